# Cross-compiling for 64-bit Windows with Debian's mingw-w64, the posix
# threads flavour: Qt's threads are std::thread and its mutexes, which the
# win32 flavour of mingw's libstdc++ lacks.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(PARSILIA_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${PARSILIA_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PARSILIA_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER  ${PARSILIA_MINGW}-windres)
set(CMAKE_AR           /usr/bin/${PARSILIA_MINGW}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB       /usr/bin/${PARSILIA_MINGW}-ranlib CACHE FILEPATH "")
set(CMAKE_STRIP        /usr/bin/${PARSILIA_MINGW}-strip CACHE FILEPATH "")

# Headers and libraries come from mingw's sysroot and from the prefixes named
# in CMAKE_PREFIX_PATH (our Qt); programs are the build machine's own.
set(CMAKE_FIND_ROOT_PATH /usr/${PARSILIA_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
