# The Windows-side tests: one test program, cross-compiled, that drives the
# built executables through the Win32 API. CTest runs it under Wine, a group
# of cases at a time (each launch of anything under Wine costs seconds).

# GoogleTest from Debian's sources, built for the target; no threads, since
# mingw's win32 thread model is not what GoogleTest expects.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

include(cmake/wine-tests.cmake)

# Variants of the program that each lack one resource: the product's script
# with that resource's line left out.
function(tumk_add_variant target resource)
  file(READ ${PROJECT_SOURCE_DIR}/resources/tumk.rc text)
  string(REGEX REPLACE "\n\"?${resource}\"? [^\n]*" "\n" text "${text}")
  file(WRITE ${CMAKE_BINARY_DIR}/variants/${target}.rc "${text}")
  tumk_add_program(${target} ${CMAKE_BINARY_DIR}/variants/${target}.rc)
endfunction()
tumk_add_variant(tumk_without_pushed_image BUTTON_PUSHED)
tumk_add_variant(tumk_without_sound PUSH_SOUND)
tumk_add_variant(tumk_without_button_image BUTTON)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS resources/tumk.rc)

add_executable(windows_tests
  tests/win/win_test_main.cpp
  tests/win/program.cpp
  tests/win/screen.cpp
  tests/win/display_test.cpp
  tests/win/resource_table_test.cpp
  tests/win/executable_test.cpp
  tests/win/button_window_test.cpp
  tests/win/clicks_test.cpp
  tests/win/painting_test.cpp
  tests/win/paint_calls_test.cpp
  tests/win/bad_input_test.cpp
  tests/win/storm_test.cpp
  tests/win/recorded_paint.cpp
  button/button_state.cpp)
target_include_directories(windows_tests PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_options(windows_tests PRIVATE ${TUMK_WARNINGS})
target_link_libraries(windows_tests PRIVATE gtest version psapi)
# The test program carries its runtime, so Wine needs no MinGW DLL.
target_link_options(windows_tests PRIVATE -static -static-libgcc -static-libstdc++)
add_dependencies(windows_tests tumk tumk_without_pushed_image tumk_without_sound
                 tumk_without_button_image)

# Loaded into the program by a test, to read its window class from inside.
add_library(class_probe SHARED tests/win/class_probe.cpp)
target_include_directories(class_probe PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_options(class_probe PRIVATE ${TUMK_WARNINGS})
target_link_options(class_probe PRIVATE -static-libgcc -static-libstdc++)
set_target_properties(class_probe PROPERTIES PREFIX "")
add_dependencies(windows_tests class_probe)

# Wine sees this machine's root as drive Z:.
set(program "--program=Z:$<TARGET_FILE:tumk>")
set(resources "--resources=Z:${PROJECT_SOURCE_DIR}/resources")
set(sound "--sound=Z:${TUMK_WINE_SESSION_DIR}/sound.wav")

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  tumk_add_wine_test(NAME display.desktop_matches_virtual_display FILTER "VirtualDisplay.*")
  tumk_add_wine_test(NAME resources.directory FILTER "ProgramResources.*" ARGS ${program} ${resources})
  tumk_add_wine_test(NAME executable.headers FILTER "Executable.*" ARGS ${program})
  tumk_add_wine_test(NAME window.shape_and_place FILTER "ButtonWindow.*"
                     ARGS ${program} "--probe=Z:$<TARGET_FILE:class_probe>")
  tumk_add_wine_test(NAME window.clicks FILTER "ButtonClicks.*" ARGS ${program} ${sound})
  tumk_add_wine_test(NAME painting.on_screen FILTER "ButtonPainting.*" ARGS ${program})
  tumk_add_wine_test(NAME painting.endurance FILTER "Endurance.*" ARGS ${program})
  tumk_add_wine_test(NAME painting.calls FILTER "PaintCalls.*" ARGS ${program})
  tumk_add_wine_test(NAME bad_input.command_lines FILTER "CommandLines.*" ARGS ${program})
  tumk_add_wine_test(NAME bad_input.many_copies FILTER "ManyCopies.*" ARGS ${program})
  tumk_add_wine_test(NAME bad_input.storm FILTER "Storm.*" ARGS ${program} TIMEOUT 3600)
  tumk_add_wine_session(NAME small SIZE 200x150 AFTER wine)
  tumk_add_wine_test(NAME bad_input.small_screen FILTER "SmallScreen.*" SESSION small
                     ARGS ${program})
  tumk_add_wine_test(NAME damaged.without_pushed_image FILTER "WithoutPushedImage.*"
                     ARGS "--program=Z:$<TARGET_FILE:tumk_without_pushed_image>")
  tumk_add_wine_test(NAME damaged.without_sound FILTER "WithoutSound.*"
                     ARGS "--program=Z:$<TARGET_FILE:tumk_without_sound>")
  tumk_add_wine_test(NAME damaged.without_button_image FILTER "WithoutButtonImage.*"
                     ARGS "--program=Z:$<TARGET_FILE:tumk_without_button_image>")
else()
  # Under emulation every launch takes about a minute: one smoke run of the
  # real 32-bit program covers its resources, headers, window and clicks.
  tumk_add_wine_test(NAME smoke32 TIMEOUT 1200
    FILTER "VirtualDisplay.*:ProgramResources.*:Executable.*:ButtonWindow.IsARound*:ButtonClicks.Each*"
    ARGS ${program} ${resources} ${sound})
endif()

# The same sources give the same bytes: a second, separate build of the
# program must match the first.
add_test(NAME executable.reproducible
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${PROJECT_SOURCE_DIR} -DWORK=${CMAKE_BINARY_DIR}/reproduce
          -DTOOLCHAIN=${CMAKE_TOOLCHAIN_FILE} -DBUILT=$<TARGET_FILE:tumk>
          -P ${PROJECT_SOURCE_DIR}/cmake/check-reproducible.cmake)
set_tests_properties(executable.reproducible PROPERTIES TIMEOUT 600)
