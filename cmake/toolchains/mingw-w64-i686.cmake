# Cross build of the 32-bit Windows programs with MinGW-w64.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(OSTRIVEL_MINGW_TRIPLE i686-w64-mingw32)
set(OSTRIVEL_WINE_LOADER /usr/lib/wine/wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
