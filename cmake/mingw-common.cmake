# Shared by the mingw toolchain files: finds the compilers or stops with
# a message that says which package brings them.
foreach(tool g++-posix gcc-posix windres)
  find_program(_tumk_${tool} ${TUMK_MINGW_PREFIX}-${tool})
  if(NOT _tumk_${tool})
    message(FATAL_ERROR "${TUMK_MINGW_PREFIX}-${tool} not found: run script/bootstrap "
                        "(or install g++-mingw-w64 for ${CMAKE_SYSTEM_PROCESSOR})")
  endif()
endforeach()
set(CMAKE_CXX_COMPILER ${_tumk_g++-posix})
set(CMAKE_C_COMPILER ${_tumk_gcc-posix})
set(CMAKE_RC_COMPILER ${_tumk_windres})
set(CMAKE_FIND_ROOT_PATH /usr/${TUMK_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
