# Word models: cleaning a take, importing a folder of takes for every word, and the look-up of
# an own model before a word plays.
wk_add_benchmark(wordmodels_benchmark
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/wordmodels_benchmark.cpp
    LIBS wk_wordmodels wk_catalogue wk_records wk_core)
