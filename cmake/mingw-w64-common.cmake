# Shared by the two mingw-w64 toolchain files; they set CMAKE_SYSTEM_PROCESSOR and
# ZU_WINE_WINDOWS_DIR (where Wine keeps that architecture's standard type libraries).
set(CMAKE_SYSTEM_NAME Windows)
set(ZU_MINGW_TRIPLE ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER ${ZU_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZU_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZU_MINGW_TRIPLE}-windres)
set(ZU_WIDL ${ZU_MINGW_TRIPLE}-widl)
# Wine's own build of the standard type libraries, for importlib("stdole2.tlb").
set(ZU_WINE_TLB_DIR /usr/lib/x86_64-linux-gnu/wine/${ZU_WINE_WINDOWS_DIR})
if(NOT EXISTS ${ZU_WINE_TLB_DIR}/stdole2.tlb)
  set(ZU_WINE_TLB_DIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
endif()
set(ZU_WINE_IDL_DIR /usr/include/wine/wine/windows)
set(CMAKE_FIND_ROOT_PATH /usr/${ZU_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
