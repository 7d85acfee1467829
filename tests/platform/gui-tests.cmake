# Windows, canvases, hit areas, dialogs, single instance, time.
wk_add_test(platform_canvas_test SOURCES canvas_test.cpp LIBS wk_platform)
wk_add_test(platform_systemtime_test SOURCES systemtime_test.cpp LIBS wk_platform)
wk_add_test(platform_form_test SOURCES form_test.cpp LIBS wk_platform Qt6::Test)
wk_add_test(platform_hitarea_test SOURCES hitarea_test.cpp LIBS wk_platform Qt6::Test)
add_executable(platform_singleinstance_helper singleinstance_helper.cpp)
target_link_libraries(platform_singleinstance_helper PRIVATE wk_platform)
set_target_properties(platform_singleinstance_helper PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
# Qt's own local server stands in for other programs on the socket.
wk_add_test(platform_singleinstance_test SOURCES singleinstance_test.cpp LIBS wk_platform
            Qt6::Network)
target_compile_definitions(platform_singleinstance_test PRIVATE
    WK_SINGLEINSTANCE_HELPER="$<TARGET_FILE:platform_singleinstance_helper>")
add_dependencies(platform_singleinstance_test platform_singleinstance_helper)
wk_add_test(platform_dialogs_test SOURCES dialogs_test.cpp LIBS wk_platform)
