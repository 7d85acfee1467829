# The start-up's picture check over every picture it covers, in the data pack of the build.
wk_add_benchmark(picturecheck_benchmark
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/picturecheck_benchmark.cpp
    LIBS wk_main)
