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
# The picture worker against the application object's start, under helgrind where valgrind is
# (it cannot watch a sanitized build).
find_program(WK_VALGRIND valgrind)
if(WK_VALGRIND AND NOT WIKLOTEK_SANITIZE)
    add_executable(preloadrace_probe ${CMAKE_CURRENT_LIST_DIR}/preloadrace_probe.cpp)
    target_link_libraries(preloadrace_probe PRIVATE wk_platform Qt6::Gui)
    add_test(NAME preload_race COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/preload_race.sh
                                       $<TARGET_FILE:preloadrace_probe> ${WIKLOTEK_PROGRAM_DIR}/Data)
    set_tests_properties(preload_race PROPERTIES TIMEOUT 300 LABELS datapack)
endif()
