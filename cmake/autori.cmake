# Who makes Parsilia's package, for its Maintainer field and its copyright
# file (share/doc/parsilia/copyright):
#
#   PARSILIA_MAINTAINER  "Name <address>"; by default the author of the
#                        checkout's last commit (git log -1), taken at the
#                        first configure. Give it to override:
#                          cmake -B build -DPARSILIA_MAINTAINER="Name <address>"
#
# Without a git checkout (sources from a tarball) the default is the Debian
# tools' own DEBFULLNAME and DEBEMAIL, and failing those whoever builds it,
# with a warning. The copyright holders are the authors in the git history
# (or the maintainer), over the years of its commits (or this year).

find_package(Git QUIET)

# Runs git in the sources; empty when they are not a checkout of their own.
function(parsilia_git variabile)
    set(${variabile} "" PARENT_SCOPE)
    if(NOT GIT_EXECUTABLE)
        return()
    endif()
    execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --show-toplevel
                    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                    OUTPUT_VARIABLE cima RESULT_VARIABLE esito ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT esito EQUAL 0)
        return()
    endif()
    # A tarball unpacked inside some other checkout is not one.
    file(REAL_PATH "${cima}" cima)
    file(REAL_PATH "${CMAKE_SOURCE_DIR}" sorgenti)
    if(NOT cima STREQUAL sorgenti)
        return()
    endif()
    execute_process(COMMAND ${GIT_EXECUTABLE} ${ARGN}
                    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                    OUTPUT_VARIABLE uscita RESULT_VARIABLE esito ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(esito EQUAL 0)
        set(${variabile} "${uscita}" PARENT_SCOPE)
    endif()
endfunction()

set(_forma_identita "^[^<>\n]+ <[^<>@ \n]+@[^<> \n]+>$")
if(NOT PARSILIA_MAINTAINER)
    parsilia_git(_maintainer log -1 "--format=%an <%ae>")
    if(NOT _maintainer AND DEFINED ENV{DEBFULLNAME} AND DEFINED ENV{DEBEMAIL})
        set(_maintainer "$ENV{DEBFULLNAME} <$ENV{DEBEMAIL}>")
    endif()
    if(NOT _maintainer MATCHES "${_forma_identita}")
        execute_process(COMMAND id -un OUTPUT_VARIABLE _utente OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        cmake_host_system_information(RESULT _macchina QUERY FQDN)
        set(_maintainer "${_utente} <${_utente}@${_macchina}>")
        message(WARNING "No git checkout and no DEBFULLNAME/DEBEMAIL: the package's Maintainer is "
                        "\"${_maintainer}\". Give the true one with -DPARSILIA_MAINTAINER=\"Name <address>\".")
    endif()
    set(PARSILIA_MAINTAINER "${_maintainer}" CACHE STRING
        "The package's Maintainer, Name <address> (default: the author of the checkout's last commit)" FORCE)
endif()
if(NOT PARSILIA_MAINTAINER MATCHES "${_forma_identita}")
    message(FATAL_ERROR "PARSILIA_MAINTAINER is \"${PARSILIA_MAINTAINER}\", not \"Name <address>\".")
endif()

# The copyright holders, one a line, and the years of the history.
parsilia_git(_autori log "--format=%an <%ae>")
string(REPLACE "\n" ";" _autori "${_autori}")
list(REMOVE_DUPLICATES _autori)
list(SORT _autori)
if(NOT _autori)
    set(_autori "${PARSILIA_MAINTAINER}")
endif()
parsilia_git(_anni log --format=%ad --date=format:%Y)
string(REPLACE "\n" ";" _anni "${_anni}")
list(REMOVE_DUPLICATES _anni)
list(SORT _anni COMPARE NATURAL)
if(NOT _anni)
    string(TIMESTAMP _anni "%Y")
endif()
list(GET _anni 0 _primo)
list(GET _anni -1 _ultimo)
set(_periodo ${_primo})
if(NOT _primo STREQUAL _ultimo)
    set(_periodo "${_primo}-${_ultimo}")
endif()
list(TRANSFORM _autori PREPEND "${_periodo} ")
# Continuation lines of a field begin with a space.
list(JOIN _autori "\n " PARSILIA_COPYRIGHT)
configure_file(${CMAKE_SOURCE_DIR}/packaging/copyright.in ${CMAKE_BINARY_DIR}/copyright @ONLY)
