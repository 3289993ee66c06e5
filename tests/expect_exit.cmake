# Runs PROGRAM ('|'-separated command) with VELMARON_PROBE_CASES=CASES and checks its exit
# code against EXPECTED: a number, or "crash" for anything but 0, 1 and the skip code.
string(REPLACE "|" ";" command "${PROGRAM}")
set(ENV{VELMARON_PROBE_CASES} "${CASES}")
execute_process(COMMAND ${command} RESULT_VARIABLE code OUTPUT_QUIET ERROR_QUIET)
if(EXPECTED STREQUAL "crash")
  if(code MATCHES "^(0|1|77)$")
    message(FATAL_ERROR "cases ${CASES}: exit code ${code}, expected a crash")
  endif()
elseif(NOT code STREQUAL EXPECTED)
  message(FATAL_ERROR "cases ${CASES}: exit code ${code}, expected ${EXPECTED}")
endif()
