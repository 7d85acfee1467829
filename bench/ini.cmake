# Ini files: reading the largest data.ini accepted.
wk_add_benchmark(ini_benchmark SOURCES ${CMAKE_CURRENT_LIST_DIR}/ini_benchmark.cpp
    LIBS wk_platform)
