# Sibilant analysis: a 2 s word analysed whole, the live stream per 10 ms of sound, the
# spectrogram of a word.
wk_add_benchmark(sibilants_benchmark
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/sibilants_benchmark.cpp
    LIBS wk_sibilants)
