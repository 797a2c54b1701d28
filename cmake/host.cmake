# Native build: the platform-free logic and its unit tests.
find_package(GTest REQUIRED)
include(GoogleTest)

add_library(core_logic STATIC
  button/button_state.cpp
  app/placement.cpp
  platform/command_line.cpp)
target_include_directories(core_logic PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(core_logic PRIVATE ${TUMK_WARNINGS})

add_executable(host_tests
  tests/host/button_state_test.cpp
  tests/host/placement_test.cpp
  tests/host/command_line_test.cpp
  tests/host/resource_files_test.cpp)
target_compile_options(host_tests PRIVATE ${TUMK_WARNINGS})
target_compile_definitions(host_tests PRIVATE TUMK_RESOURCES_DIR="${PROJECT_SOURCE_DIR}/resources")
target_link_libraries(host_tests PRIVATE core_logic GTest::gtest_main)
# One process per case: some cases read the process-wide button's first state.
gtest_discover_tests(host_tests)

# The resource generator: draws the pictures and synthesises the sound that
# resources/ holds. `cmake --build --preset host --target resources` rewrites
# them (and the previews in docs/); a test fails while they differ.
find_package(PkgConfig REQUIRED)
pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo cairo-ft freetype2)
set(TUMK_FONT /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf CACHE FILEPATH
    "Bold sans font with Cyrillic capitals for the button's word")

add_executable(make_resources
  resources/generator/main.cpp
  resources/generator/artwork.cpp
  resources/generator/file_formats.cpp
  resources/generator/push_sound.cpp)
target_include_directories(make_resources PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_options(make_resources PRIVATE ${TUMK_WARNINGS})
target_link_libraries(make_resources PRIVATE PkgConfig::CAIRO m)

add_custom_target(resources
  COMMAND make_resources ${TUMK_FONT} ${PROJECT_SOURCE_DIR}/resources ${PROJECT_SOURCE_DIR}/docs
  COMMENT "Regenerating resources/ and docs/ previews")

# The committed files must be what the generator makes now.
add_test(NAME resources.committed_match_generator
  COMMAND ${CMAKE_COMMAND} -DGENERATOR=$<TARGET_FILE:make_resources> -DFONT=${TUMK_FONT}
          -DSOURCE=${PROJECT_SOURCE_DIR}/resources -DWORK=${CMAKE_BINARY_DIR}/regenerated
          -P ${PROJECT_SOURCE_DIR}/cmake/compare-resources.cmake)

# A fuzz target for the command-line scanner, built with clang's libFuzzer
# and sanitizers; the test gives it a short run.
find_program(TUMK_CLANGXX clang++ REQUIRED)
set(_fuzzer ${CMAKE_BINARY_DIR}/fuzz/command_line_fuzz)
add_custom_command(OUTPUT ${_fuzzer}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/fuzz
  COMMAND ${TUMK_CLANGXX} -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined
          -fno-sanitize-recover=all -I${PROJECT_SOURCE_DIR}
          ${PROJECT_SOURCE_DIR}/tests/fuzz/command_line_fuzz.cpp
          ${PROJECT_SOURCE_DIR}/platform/command_line.cpp -o ${_fuzzer}
  DEPENDS tests/fuzz/command_line_fuzz.cpp platform/command_line.cpp platform/command_line.h
  COMMENT "Building the command-line fuzz target")
add_custom_target(fuzz_targets ALL DEPENDS ${_fuzzer})
add_test(NAME fuzz.command_line COMMAND ${_fuzzer} -runs=300000 -seed=1 -max_len=256)
