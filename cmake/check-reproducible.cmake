# Builds the program a second time in WORK, from SOURCE with TOOLCHAIN, and
# fails unless the result has the same bytes as BUILT.
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE} -B ${WORK} -G Ninja
                        -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN}
                OUTPUT_QUIET RESULT_VARIABLE failed)
if(NOT failed)
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK} --target tumk
                  OUTPUT_QUIET RESULT_VARIABLE failed)
endif()
if(failed)
  message(FATAL_ERROR "the second build failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${BUILT} ${WORK}/tumk.exe
                RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "two builds of the same sources differ: ${BUILT} and ${WORK}/tumk.exe")
endif()
file(REMOVE_RECURSE ${WORK})
