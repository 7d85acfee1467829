# The interface pictures of the data pack.
wk_add_test(datagen_interface_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/interfacepack_test.cpp
    LIBS wk_datagen_lib wk_piclib wk_catalogue wk_platform Qt6::Gui)
# The program's icon for the desktop.
wk_add_test(datagen_icon_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/iconpainter_test.cpp
    LIBS wk_datagen_lib Qt6::Gui Qt6::Svg)
