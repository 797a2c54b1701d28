# Windows build (i686 or x86_64 through mingw-w64): the program, its
# release package and what script/bench measures it with.

# The program: no C runtime, no exceptions, no heap; it imports from the
# four system DLLs it links and nothing else.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(TUMK_ENTRY WinMainCRTStartup)
else()
  set(TUMK_ENTRY _WinMainCRTStartup@0)  # stdcall decoration on i686
endif()
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} --codepage=65001")  # tumk.rc is UTF-8

set(TUMK_PROGRAM_SOURCES app/win_main.cpp app/button_window.cpp app/placement.cpp
    button/button_state.cpp button/paint.cpp)
list(TRANSFORM TUMK_PROGRAM_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/)

# tumk_add_crt_free_program(TARGET sources...): a GUI program entered at
# platform/startup.cpp, with no C runtime, importing only the system DLLs.
function(tumk_add_crt_free_program target)
  add_executable(${target} WIN32 ${PROJECT_SOURCE_DIR}/platform/startup.cpp
                 ${PROJECT_SOURCE_DIR}/platform/command_line.cpp ${ARGN})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/resources)
  target_compile_options(${target} PRIVATE ${TUMK_WARNINGS}
    $<$<COMPILE_LANGUAGE:CXX>:-Os -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
                               -fno-stack-protector -fno-ident>)
  target_link_options(${target} PRIVATE -nostartfiles -nostdlib -s -Wl,-e,${TUMK_ENTRY}
    -Wl,--no-insert-timestamp -Wl,--dynamicbase -Wl,--nxcompat)
  # -lgcc last: the compiler's own helpers (stack probes, 64-bit arithmetic).
  target_link_libraries(${target} PRIVATE kernel32 user32 gdi32 winmm gcc)
endfunction()

# tumk_add_program(TARGET resource-script): the program linked with a
# resource script; tests build variants that lack a resource.
function(tumk_add_program target script)
  tumk_add_crt_free_program(${target} ${TUMK_PROGRAM_SOURCES} ${script})
endfunction()

tumk_add_program(tumk resources/tumk.rc)
include(cmake/package.cmake)

include(cmake/bench.cmake)
