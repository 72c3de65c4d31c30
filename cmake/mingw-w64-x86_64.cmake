# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (the POSIX-threads variant, which
# has std::thread and friends); programs run under Wine on the build machine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The C++ runtime linked in, so that the programs need no DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
find_program(QUILLET_WINE NAMES wine64 wine)
if(QUILLET_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QUILLET_WINE})
endif()
