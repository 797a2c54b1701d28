# What script/bench builds: the reference programs the button is measured
# against, and the driver that measures them. Not part of the default build.
tumk_add_crt_free_program(reference_program bench/reference_program.cpp)
tumk_add_crt_free_program(reference_with_sound bench/reference_program.cpp bench/reference_sound.rc)
target_compile_definitions(reference_with_sound PRIVATE REFERENCE_PLAYS_SOUND)
set_target_properties(reference_program reference_with_sound PROPERTIES EXCLUDE_FROM_ALL ON)

# The JSON library from Debian's nlohmann-json3-dev, seen through a folder
# holding only it: the host's whole include folder would shadow mingw-w64's
# C headers.
find_path(TUMK_JSON_INCLUDE nlohmann/json.hpp PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT TUMK_JSON_INCLUDE)
  message(FATAL_ERROR "nlohmann/json.hpp not found: run script/bootstrap (or install nlohmann-json3-dev)")
endif()
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/bench-include)
file(CREATE_LINK ${TUMK_JSON_INCLUDE}/nlohmann ${CMAKE_BINARY_DIR}/bench-include/nlohmann SYMBOLIC)

# The storm's GDI objects are counted as the tests count them.
add_executable(bench_driver bench/main.cpp bench/options.cpp bench/harness.cpp bench/launch.cpp
  bench/cpu_and_memory.cpp bench/storm.cpp bench/copies.cpp bench/executable_size.cpp bench/report.cpp
  tests/win/gdi_objects.cpp)
target_include_directories(bench_driver PRIVATE ${PROJECT_SOURCE_DIR})
target_include_directories(bench_driver SYSTEM PRIVATE ${CMAKE_BINARY_DIR}/bench-include)
target_compile_options(bench_driver PRIVATE ${TUMK_WARNINGS})
target_link_libraries(bench_driver PRIVATE psapi)
target_link_options(bench_driver PRIVATE -static -static-libgcc -static-libstdc++)
set_target_properties(bench_driver PROPERTIES EXCLUDE_FROM_ALL ON)
add_custom_target(bench DEPENDS tumk reference_program reference_with_sound bench_driver)
