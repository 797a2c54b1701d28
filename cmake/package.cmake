# The release package: `cmake --build --preset win32 --target package`
# makes build/win32/tumk-<version>-win32.zip with tumk.exe, README.md and
# tumk.exe.sha256. Entries get a fixed time (cmake/package-time.cmake), so
# the same sources give the same bytes.
install(TARGETS tumk RUNTIME DESTINATION .)
install(FILES README.md DESTINATION .)
install(CODE [[
  set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
  file(SHA256 "${root}/tumk.exe" sum)
  file(WRITE "${root}/tumk.exe.sha256" "${sum}  tumk.exe\n")
]])

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
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/package-time.cmake)
include(CPack)

