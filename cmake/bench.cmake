# What script/bench builds: the reference program the button is measured
# against, and the driver that measures both. Not part of the default build.
tumk_add_crt_free_program(reference_program bench/reference_program.cpp)
set_target_properties(reference_program PROPERTIES EXCLUDE_FROM_ALL ON)

# The storm's GDI objects are counted as the tests count them.
add_executable(bench_driver bench/bench_driver.cpp tests/win/gdi_objects.cpp)
target_include_directories(bench_driver PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_options(bench_driver PRIVATE ${TUMK_WARNINGS})
target_link_libraries(bench_driver PRIVATE psapi)
target_link_options(bench_driver PRIVATE -static -static-libgcc -static-libstdc++)
set_target_properties(bench_driver PROPERTIES EXCLUDE_FROM_ALL ON)
add_custom_target(bench DEPENDS tumk reference_program bench_driver)
