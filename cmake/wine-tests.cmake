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

set(_session_script "${PROJECT_SOURCE_DIR}/tests/wine/session.sh")
set(CMAKE_CROSSCOMPILING_EMULATOR "${PROJECT_SOURCE_DIR}/tests/wine/exec.sh;${TUMK_WINE_LOADER}")

# tumk_add_wine_session(NAME name SIZE WxH [AFTER earlier-session]): a CTest
# fixture `name` with a display of that size. Sessions share the prefix and
# its wineserver, so one runs only after the one before has stopped.
function(tumk_add_wine_session)
  cmake_parse_arguments(S "" "NAME;SIZE;AFTER" "" ${ARGN})
  set(dir "${CMAKE_BINARY_DIR}/${S_NAME}-session")
  add_test(NAME ${S_NAME}.session.start
           COMMAND ${_session_script} start ${dir} ${S_SIZE} ${TUMK_WINE_PREFIX})
  add_test(NAME ${S_NAME}.session.stop COMMAND ${_session_script} stop ${dir})
  set_tests_properties(${S_NAME}.session.start PROPERTIES FIXTURES_SETUP ${S_NAME} TIMEOUT 900)
  set_tests_properties(${S_NAME}.session.stop PROPERTIES FIXTURES_CLEANUP ${S_NAME})
  if(S_AFTER)
    set_tests_properties(${S_NAME}.session.start PROPERTIES DEPENDS ${S_AFTER}.session.stop)
  endif()
  set(TUMK_SESSION_${S_NAME}_DIR ${dir} PARENT_SCOPE)
  set(TUMK_SESSION_${S_NAME}_SIZE ${S_SIZE} PARENT_SCOPE)
endfunction()

tumk_add_wine_session(NAME wine SIZE ${TUMK_DISPLAY_SIZE})
set(TUMK_WINE_SESSION_DIR ${TUMK_SESSION_wine_DIR})

# tumk_add_wine_test(NAME name FILTER gtest-filter [SESSION name] [ARGS ...]
#                    [LABELS ...] [TIMEOUT s])
# One CTest test per group of cases of the windows_tests program.
function(tumk_add_wine_test)
  cmake_parse_arguments(T "" "NAME;FILTER;SESSION;TIMEOUT" "ARGS;LABELS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  if(NOT T_SESSION)
    set(T_SESSION wine)
  endif()
  add_test(NAME ${T_NAME}
           COMMAND windows_tests --gtest_filter=${T_FILTER}
                   --display=${TUMK_SESSION_${T_SESSION}_SIZE} ${T_ARGS})
  set_tests_properties(${T_NAME} PROPERTIES
    FIXTURES_REQUIRED ${T_SESSION}
    RESOURCE_LOCK wine-display
    ENVIRONMENT "TUMK_WINE_SESSION=${TUMK_SESSION_${T_SESSION}_DIR}"
    LABELS "${_wine_labels};${T_LABELS}"
    TIMEOUT ${T_TIMEOUT})
endfunction()
