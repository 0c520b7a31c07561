# Cross build of the 32-bit Windows program with MinGW-w64; tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

# The tests need the -posix flavour (GoogleTest and the drivers use std::mutex and std::thread, which
# the -win32 threading model lacks); the program is built with -win32, which brings no winpthreads.
if(NOT TARNWICK_THREAD_MODEL)
    set(TARNWICK_THREAD_MODEL posix)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TARNWICK_THREAD_MODEL)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-${TARNWICK_THREAD_MODEL})
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-${TARNWICK_THREAD_MODEL})
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)  # never the build machine's own packages

# A bare Windows has no MinGW runtime DLLs: link everything in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

find_program(TARNWICK_WINE NAMES wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${TARNWICK_WINE})
