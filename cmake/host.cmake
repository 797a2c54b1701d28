# Native build: the resource generator, which draws the pictures and
# synthesises the sound that resources/ holds. `cmake --build --preset host
# --target resources` rewrites them (and the previews in docs/); a test fails
# while they differ.
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
