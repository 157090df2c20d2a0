# What the program's window decides that every front end shares, on the standard library
# only (the desktop, the browser edition): the full-screen key legend.
add_library(window_logic STATIC
    ${CMAKE_CURRENT_LIST_DIR}/key_legend.cpp
)
target_include_directories(window_logic PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(window_logic PUBLIC device skin_layout)
