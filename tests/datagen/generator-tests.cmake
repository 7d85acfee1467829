# The generator's own logic, and the generated pack checked against the program's catalogue.
wk_add_test(datagen_media_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/datagen_media_test.cpp
    LIBS wk_datagen_lib JPEG::JPEG Qt6::Gui)
wk_add_test(datagen_pictures_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/datagen_pictures_test.cpp
    LIBS wk_datagen_lib Qt6::Gui Qt6::Svg)
if(TARGET wk_catalogue AND TARGET wk_platform)
    wk_add_test(datagen_wordtable_test
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/datagen_wordtable_test.cpp
        LIBS wk_datagen_lib wk_catalogue Qt6::Gui)
    wk_add_test(datapack_completeness_test
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/datapack_completeness_test.cpp
        LIBS wk_datagen_lib wk_catalogue wk_platform Qt6::Gui
        LABELS datapack)
endif()
