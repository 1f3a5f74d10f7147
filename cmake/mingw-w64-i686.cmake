# Cross-compiling the Windows side with Debian's mingw-w64 (i686, posix threads).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ZU_WINE_WINDOWS_DIR i386-windows)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
