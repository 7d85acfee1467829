# Practice log: the time of one attempt written, and the report queries over a large log.
wk_add_benchmark(practicelog_benchmark
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/practicelog_benchmark.cpp
    LIBS wk_practicelog)
