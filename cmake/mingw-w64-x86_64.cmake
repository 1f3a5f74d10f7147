# Cross-compiling the Windows side with Debian's mingw-w64 (x86_64, posix threads).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZU_WINE_WINDOWS_DIR x86_64-windows)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
