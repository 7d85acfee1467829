# Windows, canvases, hit areas, dialogs, single instance, time.
wk_add_test(platform_canvas_test SOURCES canvas_test.cpp LIBS wk_platform)
wk_add_test(platform_systemtime_test SOURCES systemtime_test.cpp LIBS wk_platform)
wk_add_test(platform_form_test SOURCES form_test.cpp LIBS wk_platform Qt6::Test)
