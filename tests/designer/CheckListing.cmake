# Runs `velto-designer --list-registrations` with the test packages and a folder holding a file that
# is not a library at all; checks the listing's format, the good package's lines and the report of
# each broken one by name. Then the window must come up with the same packages.
file(REMOVE_RECURSE ${WORK})
file(WRITE ${WORK}/junk/Velto.Test.NotALibrary.so "this is not a shared library\n")
execute_process(COMMAND ${DESIGNER} --list-registrations --packages ${WORK}/junk --packages ${PACKAGES}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc TIMEOUT 60)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "exit code ${rc}\n${out}\n${err}")
endif()

string(REPLACE "\n" ";" lines "${out}")
set(seen_registration FALSE)
foreach(line IN LISTS lines)
  if(line STREQUAL "")
    continue()
  endif()
  if(line MATCHES "^package [^ ]+ \"[^\"]*\"$")
    if(seen_registration)
      message(FATAL_ERROR "package line after a registration: ${line}")
    endif()
  elseif(line MATCHES "^(property [^ ]+ [^ ]+ [^ ]+ [^ ]+|component [^ ]+ [^ ]+|stream {[0-9A-F-]+} 0x[0-9A-F]+ [0-9]+\\.[0-9]|palette .+ [^ ]+)$")
    set(seen_registration TRUE)
  else()
    message(FATAL_ERROR "line in no known format: '${line}'\n${out}")
  endif()
endforeach()

foreach(expected
    "package Velto.Test.Good \"Velto - Test Package\"\n"
    "property int TTestBlinker Rate TTestBlinkerEditor\npalette Test TTestBlinker\ncomponent TTestBlinker TTestBlinkerEditor\n")
  string(FIND "${out}" "${expected}" at)
  if(at LESS 0)
    message(FATAL_ERROR "missing from the listing:\n${expected}\n--- listing:\n${out}")
  endif()
endforeach()
set(broken
    "Velto.Test.Broken.so: Velto.Test.Unit2.Register failed: refused by the test"
    "Velto.Test.NoTable.so: not a package: does not export GetPackageInfoTable"
    "Velto.Test.NotALibrary.so: ")
foreach(expected IN LISTS broken)
  string(FIND "${err}" "${expected}" at)
  if(at LESS 0)
    message(FATAL_ERROR "missing from the error report:\n${expected}\n--- stderr:\n${err}")
  endif()
endforeach()

execute_process(COMMAND ${DESIGNER} --screenshot ${WORK}/window.png --packages ${WORK}/junk --packages ${PACKAGES}
                ERROR_VARIABLE err RESULT_VARIABLE rc TIMEOUT 60)
if(NOT rc EQUAL 0 OR NOT EXISTS ${WORK}/window.png)
  message(FATAL_ERROR "the designer did not come up beside broken packages (exit code ${rc}):\n${err}")
endif()
foreach(expected IN LISTS broken)
  string(FIND "${err}" "${expected}" at)
  if(at LESS 0)
    message(FATAL_ERROR "the window's start did not report:\n${expected}\n--- stderr:\n${err}")
  endif()
endforeach()
