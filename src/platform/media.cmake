# Ini files, picture files, sound playback and capture.
list(APPEND WK_PLATFORM_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/textdecoding.cpp
    ${CMAKE_CURRENT_LIST_DIR}/inifile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/regularfile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pixelbuffer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/jpegdecoder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/imageloader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/picturepreload.cpp
    ${CMAKE_CURRENT_LIST_DIR}/coresplit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sdlaudio.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sdllibrary.cpp
    ${CMAKE_CURRENT_LIST_DIR}/wavesamples.cpp
    ${CMAKE_CURRENT_LIST_DIR}/audiooutput.cpp
    ${CMAKE_CURRENT_LIST_DIR}/audioinput.cpp
    ${CMAKE_CURRENT_LIST_DIR}/soundplayer.cpp
)
