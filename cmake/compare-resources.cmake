# Runs the resource generator into WORK and fails, naming the file, where
# its output differs from the committed files in SOURCE.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${GENERATOR} ${FONT} ${WORK} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "the generator failed")
endif()
foreach(name button.bmp button_pushed.bmp tumk.ico push.wav)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/${name} ${SOURCE}/${name}
                  RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "resources/${name} differs from what the generator makes now: "
                        "cmake --build --preset host --target resources")
  endif()
endforeach()
