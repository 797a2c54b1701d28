# Read by CPack as it packs: archive entries take the time of the commit the
# sources come from instead of the files' own, so the same commit packs to
# the same bytes, dated truly. Sources that are not a git checkout keep the
# zip format's first day, 1980-01-01.

# The checkout may belong to another user than the one packing (root, say):
# reading one commit's time from it is safe.
get_filename_component(sources ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
execute_process(COMMAND git -c safe.directory=${sources} -C ${sources} log -1 --format=%ct
                OUTPUT_VARIABLE committed OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE failed)
if(failed OR NOT committed MATCHES "^[0-9]+$")
  set(committed 315532800)
endif()
set(ENV{SOURCE_DATE_EPOCH} ${committed})
# The zip's DOS times are written in local time: in UTC, wherever it is packed.
set(ENV{TZ} UTC0)
