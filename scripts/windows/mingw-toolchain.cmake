# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (posix threads).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VELTO_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VELTO_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELTO_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${VELTO_MINGW}-windres)
set(CMAKE_AR /usr/bin/${VELTO_MINGW}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB /usr/bin/${VELTO_MINGW}-ranlib CACHE FILEPATH "")
# Libraries and headers come from the MinGW sysroot and from the prefixes given in CMAKE_PREFIX_PATH;
# programs (moc, uic, rcc and the like) come from the build machine.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${VELTO_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
