# Windows build (i686 or x86_64 through mingw-w64): the program, its
# release package and what script/bench measures it with.

# The program: no C runtime, no exceptions, no heap; it imports from the
# four system DLLs it links and nothing else. Its header asks for Windows
# 4.0 on i686, as GNU ld always wrote; x86_64 Windows began with 5.2.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(TUMK_ENTRY WinMainCRTStartup)
  set(TUMK_LLD_EMULATION i386pep)
  set(TUMK_SUBSYSTEM_VERSION 5.2)
else()
  set(TUMK_ENTRY _WinMainCRTStartup@0)  # stdcall decoration on i686
  set(TUMK_LLD_EMULATION i386pe)
  set(TUMK_SUBSYSTEM_VERSION 4.0)
endif()

# LLVM's linker links these programs, since GNU ld writes no load
# configuration (platform/load_config.cpp). CMake takes a target's link rule
# from its linker language: they link as C, by this rule, with nothing the
# C or C++ runtime would add; the test programs link as C++ through g++.
list(TRANSFORM CMAKE_C_IMPLICIT_LINK_DIRECTORIES PREPEND -L OUTPUT_VARIABLE library_dirs)
list(JOIN library_dirs " " library_dirs)  # import libraries and libgcc, where g++ finds them
set(CMAKE_C_LINK_EXECUTABLE
    "${TUMK_LLD} -m ${TUMK_LLD_EMULATION} <LINK_FLAGS> <OBJECTS> -o <TARGET> ${library_dirs} <LINK_LIBRARIES>")
set(CMAKE_C_STANDARD_LIBRARIES "")
set(CMAKE_CXX_IMPLICIT_LINK_LIBRARIES "")
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} --codepage=65001")  # tumk.rc is UTF-8

set(TUMK_PROGRAM_SOURCES app/win_main.cpp app/button_window.cpp app/placement.cpp
    button/button_state.cpp button/paint.cpp)
list(TRANSFORM TUMK_PROGRAM_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/)

# tumk_add_crt_free_program(TARGET sources...): a GUI program entered at
# platform/startup.cpp, with no C runtime, importing only the system DLLs.
function(tumk_add_crt_free_program target)
  add_executable(${target} ${PROJECT_SOURCE_DIR}/platform/startup.cpp
                 ${PROJECT_SOURCE_DIR}/platform/command_line.cpp ${PROJECT_SOURCE_DIR}/platform/load_config.cpp
                 ${ARGN})
  set_target_properties(${target} PROPERTIES LINKER_LANGUAGE C)
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/resources)
  target_compile_options(${target} PRIVATE ${TUMK_WARNINGS}
    $<$<COMPILE_LANGUAGE:CXX>:-Os -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
                               -fno-stack-protector -fno-ident>)
  # GNU ld's defaults kept: no terminal-server flag, a 2 MB stack.
  target_link_options(${target} PRIVATE --subsystem windows:${TUMK_SUBSYSTEM_VERSION}
    --major-os-version=4 --minor-os-version=0 -e ${TUMK_ENTRY} -s --no-insert-timestamp
    --dynamicbase --nxcompat --disable-tsaware --stack=0x200000)
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
