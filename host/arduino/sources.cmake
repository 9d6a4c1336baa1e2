# Arduino component library stand-in.
target_sources(velto_host PRIVATE
  arduino/JsonComponents.cpp arduino/JsonComponents.h
  arduino/JsonPackage.cpp arduino/JsonPackage.h
)
