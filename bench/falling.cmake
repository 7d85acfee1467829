# Falling game: one tick of three steps with 30 cards, and the timing and CPU share of the
# 25 ms ticks over a minute of falling.
wk_add_benchmark(falling_benchmark
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/falling_benchmark.cpp
    LIBS wk_falling wk_menu)
