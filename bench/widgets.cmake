# Widgets: composing an image button's state over the window's background.
wk_add_benchmark(widgets_benchmark
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/widgets_benchmark.cpp
    LIBS wk_widgets)
