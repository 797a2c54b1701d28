# Runs Windows test programs under Wine. Every test shares one session: a
# virtual display (Xvfb) and a Wine prefix, started by a CTest fixture and
# stopped after the last test. The prefix is made once and reused.

set(TUMK_WINE_PREFIX "${CMAKE_BINARY_DIR}/wine-prefix" CACHE PATH
    "Wine prefix the Windows tests run in (created on first use)")
set(TUMK_DISPLAY_SIZE 1024x768 CACHE STRING "Size of the tests' virtual display")

# 32-bit programs run under the 32-bit loader, which on machines whose kernel
# has no 32-bit support runs emulated: minutes where 64-bit takes seconds.
# Their tests carry the label "emulated" so a local run can leave them out.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(TUMK_WINE_LOADER /usr/lib/wine/wine64)
  set(_wine_labels wine)
else()
  set(TUMK_WINE_LOADER /usr/lib/wine/wine)
  set(_wine_labels wine emulated)
endif()

set(TUMK_WINE_SESSION_DIR "${CMAKE_BINARY_DIR}/wine-session")
set(_session_script "${PROJECT_SOURCE_DIR}/tests/wine/session.sh")
set(CMAKE_CROSSCOMPILING_EMULATOR "${PROJECT_SOURCE_DIR}/tests/wine/exec.sh;${TUMK_WINE_LOADER}")

add_test(NAME wine.session.start
         COMMAND ${_session_script} start ${TUMK_WINE_SESSION_DIR} ${TUMK_DISPLAY_SIZE} ${TUMK_WINE_PREFIX})
add_test(NAME wine.session.stop COMMAND ${_session_script} stop ${TUMK_WINE_SESSION_DIR})
set_tests_properties(wine.session.start PROPERTIES FIXTURES_SETUP wine TIMEOUT 900)
set_tests_properties(wine.session.stop PROPERTIES FIXTURES_CLEANUP wine)

# tumk_add_wine_test(NAME name FILTER gtest-filter [ARGS ...] [LABELS ...] [TIMEOUT s])
# One CTest test per group of cases of the windows_tests program.
function(tumk_add_wine_test)
  cmake_parse_arguments(T "" "NAME;FILTER;TIMEOUT" "ARGS;LABELS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  add_test(NAME ${T_NAME}
           COMMAND windows_tests --gtest_filter=${T_FILTER} --display=${TUMK_DISPLAY_SIZE} ${T_ARGS})
  set_tests_properties(${T_NAME} PROPERTIES
    FIXTURES_REQUIRED wine
    RESOURCE_LOCK wine-display
    ENVIRONMENT "TUMK_WINE_SESSION=${TUMK_WINE_SESSION_DIR}"
    LABELS "${_wine_labels};${T_LABELS}"
    TIMEOUT ${T_TIMEOUT})
endfunction()
