# What the dialogs decide and the texts they show, on the standard library only: the desktop's
# dialogs and the browser edition's share it.
add_library(dialog_logic STATIC
    ${CMAKE_CURRENT_LIST_DIR}/dialog_keys.cpp
    ${CMAKE_CURRENT_LIST_DIR}/keys_logic.cpp
    ${CMAKE_CURRENT_LIST_DIR}/link_addresses.cpp
    ${CMAKE_CURRENT_LIST_DIR}/splash_logic.cpp
)
target_include_directories(dialog_logic PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(dialog_logic PUBLIC device)
