# Arduino component library stand-in.
target_sources(velto_host PRIVATE
  arduino/Components.cpp arduino/Components.h
  arduino/Displays.cpp arduino/Displays.h
  arduino/JsonComponents.cpp arduino/JsonComponents.h
  arduino/JsonPackage.cpp arduino/JsonPackage.h
  arduino/Packages.cpp arduino/Packages.h
  arduino/Pixels.cpp arduino/Pixels.h
  arduino/Shields.cpp arduino/Shields.h
  arduino/Values.cpp arduino/Values.h
)
