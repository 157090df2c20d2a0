# The manual's paging rules, its buttons' places and what the skin's configuration says of
# it, on the standard library only: the desktop's viewer and the browser edition's share it.
add_library(manual_logic STATIC
    ${CMAKE_CURRENT_LIST_DIR}/manual_config.cpp
    ${CMAKE_CURRENT_LIST_DIR}/manual_geometry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/manual_pager.cpp
)
target_include_directories(manual_logic PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(manual_logic PUBLIC device skin_layout)
