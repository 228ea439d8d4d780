# Fails when a program's --help names an option that its guide page does not
# mention, or when --help does not exit 0.
#
#   cmake -DPROGRAM=... -DPAGE=... -P options_documented.cmake
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE usage RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help exited with ${status}")
endif()
file(READ ${PAGE} page)
string(REGEX MATCHALL "--[a-z][a-z-]*" options "${usage}")
list(REMOVE_DUPLICATES options)
if(NOT options)
  message(FATAL_ERROR "${PROGRAM} --help names no options")
endif()
set(missing)
foreach(option IN LISTS options)
  # The option itself, not the start of a longer one (--max in --max-line-length).
  string(REGEX MATCH "${option}([^a-z-]|$)" found "${page}")
  if(NOT found)
    list(APPEND missing ${option})
  endif()
endforeach()
if(missing)
  message(FATAL_ERROR "${PAGE} does not mention ${missing}")
endif()
list(LENGTH options count)
message(STATUS "${count} options of ${PROGRAM} --help, each in ${PAGE}")
