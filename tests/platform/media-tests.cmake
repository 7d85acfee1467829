wk_add_test(inifile_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/inifile_test.cpp LIBS wk_platform)
wk_add_test(imageloader_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/imageloader_test.cpp
    LIBS wk_platform JPEG::JPEG)
wk_add_test(soundplayer_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/soundplayer_test.cpp LIBS wk_platform)
wk_add_test(wavesamples_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/wavesamples_test.cpp
    LIBS wk_platform SDL2::SDL2)
wk_add_test(picturepreload_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/picturepreload_test.cpp
    LIBS wk_platform)
wk_add_test(coresplit_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/coresplit_test.cpp LIBS wk_platform)
wk_add_test(regularfile_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/regularfile_test.cpp
    LIBS wk_platform)
