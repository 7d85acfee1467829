# Ini files, picture files, sound playback.
list(APPEND WK_PLATFORM_SOURCES
)
