# Cross-compiles for i686 Windows with mingw-w64's -posix g++ (Debian's
# g++-mingw-w64-i686-posix); Wine runs the results.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TUMK_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
