# Windows, canvases, hit areas, dialogs, single instance, time.
list(APPEND WK_PLATFORM_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/canvas.cpp
    ${CMAKE_CURRENT_LIST_DIR}/cursors.cpp
    ${CMAKE_CURRENT_LIST_DIR}/eventpump.cpp
    ${CMAKE_CURRENT_LIST_DIR}/form.cpp
    ${CMAKE_CURRENT_LIST_DIR}/hitarea.cpp
    ${CMAKE_CURRENT_LIST_DIR}/messagebox.cpp
    ${CMAKE_CURRENT_LIST_DIR}/shellopen.cpp
    ${CMAKE_CURRENT_LIST_DIR}/singleinstance.cpp
    ${CMAKE_CURRENT_LIST_DIR}/systemtime.cpp
)
