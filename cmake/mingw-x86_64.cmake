# Cross-compiles for x86_64 Windows with mingw-w64's -posix g++ (Debian's
# g++-mingw-w64-x86-64-posix); Wine runs the results.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TUMK_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
