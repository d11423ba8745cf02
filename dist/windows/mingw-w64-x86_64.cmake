# Cross-building for 64-bit Windows with Debian's MinGW-w64 (the posix
# thread model, which std::thread and std::mutex need), the programs run
# under Wine. The Windows builds of the third-party libraries are looked up
# in KELVRA_WIN_PREFIX (tools/build-windows.sh fills it), never in the
# build machine's own folders.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KELVRA_WIN_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KELVRA_WIN_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KELVRA_WIN_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KELVRA_WIN_TRIPLET}-windres)
set(CMAKE_AR ${KELVRA_WIN_TRIPLET}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${KELVRA_WIN_TRIPLET}-gcc-ranlib-posix CACHE FILEPATH "")

if(NOT DEFINED KELVRA_WIN_PREFIX AND DEFINED ENV{KELVRA_WIN_PREFIX})
    set(KELVRA_WIN_PREFIX $ENV{KELVRA_WIN_PREFIX})
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KELVRA_WIN_PREFIX)
set(CMAKE_FIND_ROOT_PATH /usr/${KELVRA_WIN_TRIPLET} ${KELVRA_WIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Static libraries only, the C++ runtime and winpthread included: the
# programs then need no DLLs beside them.
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

find_program(KELVRA_WINE NAMES wine64 wine)
if(KELVRA_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${KELVRA_WINE})
endif()
