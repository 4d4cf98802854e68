# Who answers for Parsilia's package, for its Maintainer field, and who
# holds the copyright, for its copyright file (share/doc/parsilia/copyright):
#
#   Maintainer   whoever builds the package, found by packaging/manutentore.sh
#                at every configure: PARSILIA_MANUTENTORE ("Name <address>")
#                when given, else DEBFULLNAME and DEBEMAIL, else the builder's
#                git identity, else login@host with a warning. make package
#                configures again, so that
#                  make package PARSILIA_MANUTENTORE="Name <address>"
#                names it; cmake -B build -DPARSILIA_MAINTAINER="Name <address>"
#                fixes it for a build folder, unless PARSILIA_MANUTENTORE is given.
#   Copyright    the authors in the git history (or the maintainer), over the
#                years of its commits (or this year).

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

set(PARSILIA_MAINTAINER "" CACHE STRING
    "The package's Maintainer, Name <address> (default: whoever builds it, packaging/manutentore.sh)")
if(PARSILIA_MAINTAINER AND "$ENV{PARSILIA_MANUTENTORE}" STREQUAL "")
    set(ENV{PARSILIA_MANUTENTORE} "${PARSILIA_MAINTAINER}")
endif()
execute_process(COMMAND sh ${CMAKE_SOURCE_DIR}/packaging/manutentore.sh
                WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                OUTPUT_VARIABLE PARSILIA_MANUTENTORE OUTPUT_STRIP_TRAILING_WHITESPACE
                ERROR_VARIABLE _avviso ERROR_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE _esito)
if(NOT _esito EQUAL 0)
    message(FATAL_ERROR "${_avviso}")
elseif(_avviso)
    message(WARNING "${_avviso}")
endif()

# The copyright holders, one a line, and the years of the history.
parsilia_git(_autori log "--format=%an <%ae>")
string(REPLACE "\n" ";" _autori "${_autori}")
list(REMOVE_DUPLICATES _autori)
list(SORT _autori)
if(NOT _autori)
    set(_autori "${PARSILIA_MANUTENTORE}")
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
