# Labelling: a new game of 15 words with their pictures, and one step of dragging a tile.
wk_add_benchmark(labelling_benchmark
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/labelling_benchmark.cpp
    LIBS wk_labelling wk_menu)
