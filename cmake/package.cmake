# The release package: `cmake --build --preset win32 --target package`
# makes build/win32/tumk-<version>-win32.zip with tumk.exe, README.txt and
# LICENSE.txt, and beside it the zip's and tumk.exe's SHA-256 checksums for
# whoever publishes it: a checksum inside the archive would vouch for
# nothing. Entries are dated by the sources' last commit, in UTC
# (cmake/package-time.cmake), so the same sources give the same bytes.
install(TARGETS tumk RUNTIME DESTINATION .)
# Texts for Notepad, whatever its age: ASCII with CRLF line ends.
set(release_texts ${CMAKE_BINARY_DIR}/release)
configure_file(release/README.txt ${release_texts}/README.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(LICENSE ${release_texts}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${release_texts}/README.txt ${release_texts}/LICENSE.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME tumk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(CPACK_SYSTEM_NAME win64)
else()
  set(CPACK_SYSTEM_NAME win32)
endif()
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/package-time.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/package-checksum.cmake)
include(CPack)
