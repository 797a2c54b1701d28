# Windows build (i686 or x86_64 through mingw-w64): the program and the
# Windows-side tests, which run under Wine on a private virtual display.

# GoogleTest from Debian's sources, built for the target; no threads, since
# mingw's win32 thread model is not what GoogleTest expects.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Test programs carry their runtime with them, so Wine needs no MinGW DLL.
set(TUMK_TEST_LINK_OPTIONS -static -static-libgcc -static-libstdc++)

include(cmake/wine-tests.cmake)

add_library(win_test_main STATIC tests/win/win_test_main.cpp)
target_include_directories(win_test_main PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(win_test_main PRIVATE ${TUMK_WARNINGS})
target_link_libraries(win_test_main PUBLIC gtest)

add_executable(display_tests tests/win/display_test.cpp)
target_compile_options(display_tests PRIVATE ${TUMK_WARNINGS})
target_link_libraries(display_tests PRIVATE win_test_main)
target_link_options(display_tests PRIVATE ${TUMK_TEST_LINK_OPTIONS})
tumk_add_wine_test(NAME display.desktop_matches_virtual_display
                   TARGET display_tests FILTER "VirtualDisplay.*")
