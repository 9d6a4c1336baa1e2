# Opens examples/demo.vdoc in the built designer. The example names component library classes, so
# without a package that puts them on the palette the check is skipped rather than failed.
execute_process(COMMAND ${DESIGNER} --list-registrations OUTPUT_VARIABLE listing ERROR_QUIET TIMEOUT 60)
if(NOT listing MATCHES "\npalette ")
  message("SKIP: no package registers palette classes")
  return()
endif()
execute_process(COMMAND ${DESIGNER} --screenshot ${SHOT} ${DOC} RESULT_VARIABLE rc ERROR_VARIABLE err TIMEOUT 60)
if(NOT rc EQUAL 0 OR NOT EXISTS ${SHOT})
  message(FATAL_ERROR "the example does not open (exit code ${rc}):\n${err}")
endif()
