# Installation layout and the Debian package (make package).
#
#   <prefix>/bin/parsilia                    a launcher (packaging/parsilia.sh)
#   <prefix>/lib/parsilia/parsilia           the program, beside ...
#   <prefix>/lib/parsilia/suoni/*.wav        ... the cues it plays
#   <prefix>/share/applications/it.parsilia.Parsilia.desktop
#   <prefix>/share/icons/hicolor/scalable/apps/it.parsilia.Parsilia.svg
#   <prefix>/share/icons/hicolor/<N>x<N>/apps/it.parsilia.Parsilia.png
#   <prefix>/share/metainfo/it.parsilia.Parsilia.metainfo.xml
#   <prefix>/share/doc/parsilia/copyright     the licence, in Debian's format
#   <prefix>/share/man/man1/parsilia.1.gz
#   <prefix>/share/doc/parsilia/frasi-esempio.txt   a teacher's file of sentences
#
# Nothing else is installed: not the tests, not the build-time tools.

set(_confezione ${CMAKE_SOURCE_DIR}/packaging)
# Installing (cpack, make install) takes what the program's target built
# (the program, its cues, the icon sizes) and builds nothing: without this,
# make package would build every test suite first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The manual page, compressed as Debian ships them.
add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/parsilia.1.gz
    COMMAND gzip -9 -n -c ${_confezione}/parsilia.1 > ${CMAKE_BINARY_DIR}/parsilia.1.gz
    DEPENDS ${_confezione}/parsilia.1
    COMMENT "Compressing the manual page")
add_custom_target(manuale ALL DEPENDS ${CMAKE_BINARY_DIR}/parsilia.1.gz)
# A package is made from the program's build alone (make package): what it
# installs is built with it.
add_dependencies(parsilia manuale)

install(TARGETS parsilia RUNTIME DESTINATION lib/parsilia)
foreach(suono IN LISTS PARSILIA_SUONI)
    install(FILES ${CMAKE_BINARY_DIR}/suoni/${suono}.wav DESTINATION lib/parsilia/suoni)
endforeach()
install(PROGRAMS ${_confezione}/parsilia.sh DESTINATION bin RENAME parsilia)
install(FILES ${_confezione}/${PARSILIA_ID}.desktop DESTINATION share/applications)
install(FILES ${_confezione}/${PARSILIA_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${CMAKE_BINARY_DIR}/parsilia.1.gz DESTINATION share/man/man1)
install(FILES ${_confezione}/frasi-esempio.txt DESTINATION share/doc/parsilia)
install(FILES ${_confezione}/${PARSILIA_ID}.svg DESTINATION share/icons/hicolor/scalable/apps)
foreach(lato IN LISTS PARSILIA_LATI_ICONA)
    install(FILES ${CMAKE_BINARY_DIR}/icone/${lato}x${lato}/apps/${PARSILIA_ID}.png
            DESTINATION share/icons/hicolor/${lato}x${lato}/apps)
endforeach()
# The copyright file every Debian package carries, with who makes it.
include(${CMAKE_SOURCE_DIR}/cmake/autori.cmake)
install(FILES ${CMAKE_BINARY_DIR}/copyright DESTINATION share/doc/parsilia)

# Checks of the above, run by CTest with the other suites.
add_executable(tst_icona packaging/tst_icona.cpp packaging/icona.cpp)
target_link_libraries(tst_icona PRIVATE Qt6::Gui Qt6::Test)
target_compile_definitions(tst_icona PRIVATE PARSILIA_ICONA="${_confezione}/${PARSILIA_ID}.svg")
add_test(NAME tst_icona COMMAND tst_icona)
set_tests_properties(tst_icona PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")

add_test(NAME tst_installazione
         COMMAND sh ${_confezione}/verifica-installazione.sh ${CMAKE_BINARY_DIR} ${CMAKE_BINARY_DIR}/prova-installazione)
set_tests_properties(tst_installazione PROPERTIES TIMEOUT 120 ENVIRONMENT "CMAKE=${CMAKE_COMMAND}")

find_program(PARSILIA_DESKTOP_FILE_VALIDATE desktop-file-validate)
if(PARSILIA_DESKTOP_FILE_VALIDATE)
    add_test(NAME tst_voce_menu COMMAND ${PARSILIA_DESKTOP_FILE_VALIDATE} ${_confezione}/${PARSILIA_ID}.desktop)
    set_tests_properties(tst_voce_menu PROPERTIES FAIL_REGULAR_EXPRESSION "error|warning|hint")
endif()
find_program(PARSILIA_APPSTREAMCLI appstreamcli)
if(PARSILIA_APPSTREAMCLI)
    add_test(NAME tst_metainfo
             COMMAND ${PARSILIA_APPSTREAMCLI} validate --no-net ${_confezione}/${PARSILIA_ID}.metainfo.xml)
    # Errors and warnings fail by the exit code; infos (a missing content
    # rating, say) should not pass either.
    set_tests_properties(tst_metainfo PROPERTIES FAIL_REGULAR_EXPRESSION "(^|\n)[IWE]: ")
endif()

# The Debian package: parsilia_<version>_<arch>.deb, installed under /usr.
execute_process(COMMAND dpkg --print-architecture
                OUTPUT_VARIABLE _architettura OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE _esito ERROR_QUIET)
if(NOT _esito EQUAL 0 OR NOT _architettura)
    set(_architettura amd64)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME parsilia)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "La squadra di Parsilia")
set(CPACK_PACKAGE_CONTACT "${PARSILIA_MANUTENTORE}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Italian grammatical analysis drill for school pupils")
set(CPACK_PACKAGE_DESCRIPTION
    "Parsilia is a self-study drill in Italian grammatical analysis (analisi logica)
for primary and lower secondary school pupils. An Italian sentence is shown
whole and cut into phrases; the phrase in red must be named by pressing one of
sixteen coloured category buttons. Every answer is judged at once, with a sound
and a colour; answers are counted in series of twenty, each closed by a grade
and a review of the errors per category.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${_architettura})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${PARSILIA_MANUTENTORE}")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The linked libraries (Qt 6, libc, libstdc++) come from dpkg-shlibdeps,
# with their versions; what is not linked is named here: Qt's platform
# plugins (xcb among them: without it no window opens, and Debian's Qt only
# recommends them, which a lab installing without recommends would miss),
# SDL2_mixer, loaded at the first cue, and the fonts the screens are drawn in.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libsdl2-mixer-2.0-0 (>= 2.6), fonts-liberation2, fonts-urw-base35")
# The voice (--voce), loaded only when a pupil asks for it: apt installs it
# with Parsilia unless told not to, and without it the drill says so and
# goes on silent.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libespeak-ng1, espeak-ng-data")
# Without dpkg-shlibdeps CPack would quietly leave the libraries out.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/CPackParsilia.cmake)
file(WRITE ${CPACK_PROJECT_CONFIG_FILE} [=[
find_program(_shlibdeps dpkg-shlibdeps)
if(CPACK_GENERATOR STREQUAL "DEB" AND NOT _shlibdeps)
    message(FATAL_ERROR "dpkg-shlibdeps is missing: install dpkg-dev (make package does).")
endif()
]=])
include(CPack)
