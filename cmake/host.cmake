# Native build: the platform-free logic and its unit tests.
find_package(GTest REQUIRED)
include(GoogleTest)

add_library(button_logic STATIC button/button_state.cpp)
target_include_directories(button_logic PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(button_logic PRIVATE ${TUMK_WARNINGS})

add_executable(host_tests tests/host/button_state_test.cpp)
target_compile_options(host_tests PRIVATE ${TUMK_WARNINGS})
target_link_libraries(host_tests PRIVATE button_logic GTest::gtest_main)
# One process per case: some cases read the process-wide button's first state.
gtest_discover_tests(host_tests)

