# Shared part of the MinGW-w64 toolchains. Expects OSTRIVEL_MINGW_TRIPLE and
# OSTRIVEL_WINE_LOADER from the including file.
set(CMAKE_SYSTEM_NAME Windows)

# The POSIX threading flavour: GoogleTest needs std::mutex, which the win32
# flavour of GCC 12 lacks. -static below links winpthread in too.
set(CMAKE_C_COMPILER ${OSTRIVEL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${OSTRIVEL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${OSTRIVEL_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${OSTRIVEL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every program is self-contained: no libgcc, libstdc++ or winpthread DLLs
# beside it, only the system's own.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs run under Wine, in a prefix kept in the build directory.
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_CURRENT_LIST_DIR}/run-under-wine.sh ${OSTRIVEL_WINE_LOADER})
