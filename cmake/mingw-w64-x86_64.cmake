# Windows programs built on Debian with MinGW-w64, and run under Wine by CTest.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The -posix flavour: the -win32 one of GCC 12 has no std::mutex or std::call_once.
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One exe with no DLL beside it: the C++ and threads runtimes linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Windows 10 and later: the locale-name functions of the National Language Support.
add_compile_definitions(_WIN32_WINNT=0x0A00 WINVER=0x0A00 UNICODE _UNICODE)

# Wine's own loader, beside its wineserver, rather than a wrapper on the PATH.
find_program(ISOSCELES_WINE NAMES wine64 wine NAMES_PER_DIR
             HINTS /usr/lib/wine /usr/lib/x86_64-linux-gnu/wine NO_CMAKE_FIND_ROOT_PATH)
if(ISOSCELES_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run ${ISOSCELES_WINE})
endif()

# -O2 as on Linux: GCC 12's -O3 warns of overlapping copies inside std::basic_string that
# cannot happen (GCC bug 105329), and the build treats warnings as errors.
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "Release flags")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
