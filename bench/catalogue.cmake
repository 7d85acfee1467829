# Word catalogue: filtering and drawing, and the resource check over all 1722 media paths.
wk_add_benchmark(catalogue_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/catalogue/catalogue_bench.cpp
    LIBS wk_catalogue)
