# Cross-compiling for 32-bit Windows with Debian's mingw-w64 (posix threads).
set(MINGW_TARGET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
