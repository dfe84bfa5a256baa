# Cross build of the 64-bit Windows programs with MinGW-w64.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(OSTRIVEL_MINGW_TRIPLE x86_64-w64-mingw32)
set(OSTRIVEL_WINE_LOADER /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
