# Cross build of the shipped 32-bit Windows programs. Nothing built here runs on
# this machine: its kernel cannot execute 32-bit code, so Wine cannot either.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(WRENFOLD_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
