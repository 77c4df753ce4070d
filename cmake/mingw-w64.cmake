# Cross-compiling for Windows with Debian's mingw-w64 (posix threads): 64-bit unless a
# toolchain that includes this one names another target first.
if(NOT MINGW_TARGET)
  set(MINGW_TARGET x86_64-w64-mingw32)
endif()
string(REGEX MATCH "^[^-]+" CMAKE_SYSTEM_PROCESSOR ${MINGW_TARGET})
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${MINGW_TARGET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TARGET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TARGET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Tests are Windows programs: CTest runs them through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
