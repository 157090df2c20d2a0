# The menu's item table, on the standard library only: every front end builds its menus from
# it (the desktop's context menu and in-window game menu, the browser edition's).
add_library(menu_table STATIC
    ${CMAKE_CURRENT_LIST_DIR}/menu_items.cpp
)
target_include_directories(menu_table PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(menu_table PUBLIC device)
