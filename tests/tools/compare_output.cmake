# Runs COMMAND (a ;-list) in WORKDIR and compares its standard output with
# the file EXPECTED.
execute_process(COMMAND ${COMMAND} WORKING_DIRECTORY ${WORKDIR} OUTPUT_VARIABLE out RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "exit status ${rc}")
endif()
file(READ ${EXPECTED} expected)
if(NOT out STREQUAL expected)
  message(FATAL_ERROR "output differs from ${EXPECTED}:\n${out}")
endif()
