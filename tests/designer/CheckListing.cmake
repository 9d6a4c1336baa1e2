# Runs `velto-designer --list-registrations` with the test packages and a folder holding a file that
# is not a library at all; checks the listing's format, the good package's lines, the bindings of
# this build's package and the report of each broken one by name. Then the window must come up
# with the same packages.
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
# The package of this build sits beside the designer (the designer depends on it): its start-up
# editors are registered in their order before anything its Register procedures make, which begin
# with the stream colours, one per stream type, and then the palette; every binding of the
# inspector's editors is listed once.
string(FIND "${out}" "package Velto.Embedded.Arduino.Basic.Design \"Velto - Arduino Basic Design Package\"\n" at)
string(FIND "${out}" "\nproperty TArduinoGraphicsFont * * TArduinoGraphicsFontPropertyEditor\nproperty TArduinoGrayscaleAlphaColor * * TGrayscaleAlphaColorPropertyEditor\nproperty TArduinoCode * * TArduinoCodeStringPropertyEditor\nstream " startup_at)
if(at LESS 0 OR startup_at LESS 0)
  message(FATAL_ERROR "the package or its start-up registrations (font, grayscale colour, code string, then the stream colours) are missing\n--- listing:\n${out}")
endif()
string(SUBSTRING "${out}" ${startup_at} -1 registered)
string(REGEX REPLACE "^\n(property [^\n]*\n)+(stream [^\n]*\n)+" "" after_streams "${registered}")
string(FIND "${after_streams}" "\nstream " stray_stream)
if(NOT after_streams MATCHES "^palette " OR NOT stray_stream EQUAL -1)
  message(FATAL_ERROR "the stream colours do not come as one run before the palette\n--- listing:\n${out}")
endif()
set(streams ${lines})
list(FILTER streams INCLUDE REGEX "^stream ")
list(TRANSFORM streams REPLACE "^stream ([^ ]+) .*$" "\\1")
list(LENGTH streams stream_count)
list(REMOVE_DUPLICATES streams)
list(LENGTH streams distinct_count)
if(NOT stream_count EQUAL distinct_count)
  message(FATAL_ERROR "a stream type is coloured twice\n--- listing:\n${out}")
endif()
foreach(binding
    "property TArduinoGraphicsFont * * TArduinoGraphicsFontPropertyEditor"
    "property TArduinoGrayscaleAlphaColor * * TGrayscaleAlphaColorPropertyEditor"
    "property TArduinoCode * * TArduinoCodeStringPropertyEditor"
    "component TArduinoMakeJSON TArduinoMakeJSONObjectComponentEditor"
    "component TArduinoMakeJSONArray TArduinoMakeJSONArrayComponentEditor"
    "component TArduinoSplitJSON TArduinoSplitJSONObjectComponentEditor"
    "component TArduinoSplitJSONArray TArduinoSplitJSONArrayComponentEditor"
    "property TArduinoBasicShields * * TShieldsCollectionPropertyEditor"
    "property TArduinoColorGraphicsElementDrawBitmapPixels * * TArduinoGraphicsColorBitmapPropertyEditor"
    "property TArduinoRGBWGraphicsElementDrawBitmapPixels * * TArduinoGraphicsRGBWColorBitmapPropertyEditor"
    "property TArduinoMonochromeGraphicsElementDrawBitmapPixels * * TArduinoGraphicsMonochromeBitmapPropertyEditor"
    "property TArduinoMonochromeGraphicsElementDrawBitmapTransparencyPixels * * TArduinoGraphicsMonochromeTransparencyBitmapPropertyEditor")
  set(count 0)
  foreach(line IN LISTS lines)
    if(line STREQUAL binding)
      math(EXPR count "${count} + 1")
    endif()
  endforeach()
  if(NOT count EQUAL 1)
    message(FATAL_ERROR "'${binding}' is listed ${count} times, not once\n--- listing:\n${out}")
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
