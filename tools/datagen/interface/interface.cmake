# The interface pictures of the default data pack (window pictures, picture library, letter
# tiles). Included by the generator's CMakeLists, which compiles these sources into its logic
# library; they need Qt6::Gui, wk_catalogue (the words' graphemes), wk_core (LetterToken) and
# libjpeg.
set(_wk_interface_dir ${CMAKE_CURRENT_LIST_DIR})
list(APPEND WK_DATAGEN_INTERFACE_SOURCES
    ${_wk_interface_dir}/backgroundpainter.cpp
    ${_wk_interface_dir}/buttonpainter.cpp
    ${_wk_interface_dir}/iconpainter.cpp
    ${_wk_interface_dir}/interfacenames.cpp
    ${_wk_interface_dir}/interfacepack.cpp
    ${_wk_interface_dir}/interfacesheet.cpp
    ${_wk_interface_dir}/interfacestyle.cpp
    ${_wk_interface_dir}/lettertilepainter.cpp
    ${_wk_interface_dir}/maskedpicture.cpp
    ${_wk_interface_dir}/menupiecepainter.cpp
    ${_wk_interface_dir}/ringpainter.cpp
    ${_wk_interface_dir}/tabstrippainter.cpp
)
set(WK_DATAGEN_INTERFACE_INCLUDE_DIRS ${_wk_interface_dir})
set(WK_DATAGEN_INTERFACE_LIBS Qt6::Gui Qt6::Svg wk_catalogue wk_core JPEG::JPEG)
