# Menu: the reference window that bench/menu_start.sh times the menu against.
add_executable(minimal_window ${CMAKE_CURRENT_LIST_DIR}/minimal_window.cpp)
target_link_libraries(minimal_window PRIVATE Qt6::Widgets)
set_target_properties(minimal_window PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
# Times a start to the first painted window from the X server's side.
add_executable(paint_probe ${CMAKE_CURRENT_LIST_DIR}/paint_probe.cpp)
target_link_libraries(paint_probe PRIVATE PkgConfig::WK_XCB)
set_target_properties(paint_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
