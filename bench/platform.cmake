wk_add_benchmark(jpeg_benchmark SOURCES ${CMAKE_CURRENT_LIST_DIR}/jpeg_benchmark.cpp
    LIBS wk_platform)
