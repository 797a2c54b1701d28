# Windows build (i686 or x86_64 through mingw-w64): the program and the
# Windows-side tests, which run under Wine on a private virtual display.

# The program: no C runtime, no exceptions, no heap; it imports from the
# four system DLLs it links and nothing else.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(TUMK_ENTRY WinMainCRTStartup)
else()
  set(TUMK_ENTRY _WinMainCRTStartup@0)  # stdcall decoration on i686
endif()
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} --codepage=65001")  # tumk.rc is UTF-8

add_executable(tumk WIN32
  platform/startup.cpp
  platform/command_line.cpp
  app/win_main.cpp
  app/button_window.cpp
  app/placement.cpp
  button/button_state.cpp
  button/paint.cpp
  resources/tumk.rc)
target_include_directories(tumk PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/resources)
target_compile_options(tumk PRIVATE ${TUMK_WARNINGS}
  $<$<COMPILE_LANGUAGE:CXX>:-Os -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
                             -fno-stack-protector -fno-ident>)
target_link_options(tumk PRIVATE -nostartfiles -nostdlib -s -Wl,-e,${TUMK_ENTRY}
  -Wl,--no-insert-timestamp -Wl,--dynamicbase -Wl,--nxcompat)
# -lgcc last: the compiler's own helpers (stack probes, 64-bit arithmetic).
target_link_libraries(tumk PRIVATE kernel32 user32 gdi32 winmm gcc)

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

# Wine sees this machine's root as drive Z:.
set(TUMK_PROGRAM_ARG "--program=Z:$<TARGET_FILE:tumk>")
set(TUMK_RESOURCES_ARG "--resources=Z:${PROJECT_SOURCE_DIR}/resources")

add_executable(resource_tests tests/win/resource_table_test.cpp)
target_compile_options(resource_tests PRIVATE ${TUMK_WARNINGS})
target_link_libraries(resource_tests PRIVATE win_test_main version)
target_link_options(resource_tests PRIVATE ${TUMK_TEST_LINK_OPTIONS})
add_dependencies(resource_tests tumk)
tumk_add_wine_test(NAME resources.directory TARGET resource_tests FILTER "ProgramResources.*"
                   ARGS ${TUMK_PROGRAM_ARG} ${TUMK_RESOURCES_ARG})

add_library(program_driver STATIC tests/win/program.cpp)
target_compile_options(program_driver PRIVATE ${TUMK_WARNINGS})
target_link_libraries(program_driver PUBLIC win_test_main)

add_executable(window_tests
  tests/win/button_window_test.cpp
  tests/win/clicks_test.cpp
  tests/win/executable_test.cpp)
target_compile_options(window_tests PRIVATE ${TUMK_WARNINGS})
target_link_libraries(window_tests PRIVATE program_driver)
target_link_options(window_tests PRIVATE ${TUMK_TEST_LINK_OPTIONS})
add_dependencies(window_tests tumk)
set(TUMK_SOUND_ARG "--sound=Z:${TUMK_WINE_SESSION_DIR}/sound.wav")
tumk_add_wine_test(NAME window.shape_and_place TARGET window_tests FILTER "ButtonWindow.*"
                   ARGS ${TUMK_PROGRAM_ARG})
tumk_add_wine_test(NAME window.clicks TARGET window_tests FILTER "ButtonClicks.*"
                   ARGS ${TUMK_PROGRAM_ARG} ${TUMK_SOUND_ARG})
tumk_add_wine_test(NAME executable.headers TARGET window_tests FILTER "Executable.*"
                   ARGS ${TUMK_PROGRAM_ARG})
