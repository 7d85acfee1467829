# Voice recorder: starting a recording and a playback, as the recordings panel does on a click.
wk_add_benchmark(recorder_benchmark SOURCES ${CMAKE_CURRENT_LIST_DIR}/recorder_benchmark.cpp
    LIBS wk_records)
