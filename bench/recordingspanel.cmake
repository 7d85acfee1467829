# Recordings tab: a click on "rrec" or "rodtworz" until the recorder runs.
wk_add_benchmark(recordingspanel_benchmark
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/recordingspanel_benchmark.cpp LIBS wk_menu Qt6::Test)
