# The layout a configuration makes, on the standard library only: every front end shares it
# (the desktop's skin library, the browser edition).
add_library(skin_layout STATIC
    ${CMAKE_CURRENT_LIST_DIR}/box_bounds.cpp
    ${CMAKE_CURRENT_LIST_DIR}/components.cpp
    ${CMAKE_CURRENT_LIST_DIR}/config_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/config_values.cpp
    ${CMAKE_CURRENT_LIST_DIR}/segment_components.cpp
    ${CMAKE_CURRENT_LIST_DIR}/skin_layout.cpp
)
target_include_directories(skin_layout PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(skin_layout PUBLIC device)
