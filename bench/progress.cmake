# Progress view: reading a long statistics file, opening the window over it.
wk_add_benchmark(progress_benchmark
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/progress_benchmark.cpp
    LIBS wk_progresswin wk_catalogue)
