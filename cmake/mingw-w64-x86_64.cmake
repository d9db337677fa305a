# Cross build of the 64-bit Windows programs and the tests, which run under Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(WRENFOLD_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

find_program(WRENFOLD_WINE64 NAMES wine64 PATHS /usr/lib/wine /usr/bin NO_DEFAULT_PATH)
if(NOT WRENFOLD_WINE64)
  message(FATAL_ERROR "wine64 was not found (Debian: apt-get install wine64). The Windows tests run under it.")
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run")
