# Completing: a new game of 15 words with their pictures, and composing the whole screen.
wk_add_benchmark(completing_benchmark
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/completing_benchmark.cpp
    LIBS wk_completing wk_menu)
