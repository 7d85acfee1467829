# Statistics file: appending game-run records.
wk_add_benchmark(records_benchmark
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/records_benchmark.cpp
    LIBS wk_records)
