# The program's icon, drawn once as an SVG in packaging/. Its PNG sizes are
# painted from it at build time, in the hicolor theme's layout, for the
# desktop's icon theme (installed with the program) and for the program
# itself: the small ones are compiled into it as pixels (iconafinestra.cpp),
# so its windows carry the icon in the taskbar and the window switcher
# whether it runs installed or from the build tree, with no image to decode
# at start-up.

set(PARSILIA_ID it.parsilia.Parsilia)

# (A cross build runs a native build's, see CMakeLists.txt.)
if(NOT CMAKE_CROSSCOMPILING)
    add_executable(disegnaicona packaging/disegnaicona.cpp packaging/icona.cpp)
    target_link_libraries(disegnaicona PRIVATE Qt6::Gui)
endif()
set(PARSILIA_LATI_ICONA 16 32 48 64 128 256)
set(_icone)
foreach(lato IN LISTS PARSILIA_LATI_ICONA)
    list(APPEND _icone ${CMAKE_BINARY_DIR}/icone/${lato}x${lato}/apps/${PARSILIA_ID}.png)
endforeach()
add_custom_command(
    OUTPUT ${_icone}
    COMMAND disegnaicona ${CMAKE_SOURCE_DIR}/packaging/${PARSILIA_ID}.svg ${CMAKE_BINARY_DIR}/icone ${PARSILIA_LATI_ICONA}
    DEPENDS disegnaicona ${CMAKE_SOURCE_DIR}/packaging/${PARSILIA_ID}.svg
    COMMENT "Painting the icon sizes")
add_custom_target(icona ALL DEPENDS ${_icone})

# The sizes a window icon is drawn at (_NET_WM_ICON carries every one of
# them to the window manager; 256 would add a quarter of a megabyte to each
# window for nothing a taskbar shows).
set(PARSILIA_LATI_FINESTRA 16 32 48 64 128)
set(PARSILIA_ICONA_FINESTRA ${CMAKE_BINARY_DIR}/iconafinestra.cpp)
add_custom_command(
    OUTPUT ${PARSILIA_ICONA_FINESTRA}
    COMMAND disegnaicona ${CMAKE_SOURCE_DIR}/packaging/${PARSILIA_ID}.svg --sorgente ${PARSILIA_ICONA_FINESTRA}
            ${PARSILIA_LATI_FINESTRA}
    DEPENDS disegnaicona ${CMAKE_SOURCE_DIR}/packaging/${PARSILIA_ID}.svg
    COMMENT "Painting the window icon into the program")
