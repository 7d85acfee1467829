# Memory: a new game of 10 pairs with its pictures, and composing the whole screen.
wk_add_benchmark(memory_benchmark
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/memory_benchmark.cpp
    LIBS wk_memory wk_menu)
