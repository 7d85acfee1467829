# Windows, canvases, hit areas, dialogs, single instance, time.
list(APPEND WK_PLATFORM_SOURCES
)
