# cmake -DCONTAINERS=<dir> -DRUNTIME=<dir> -P CheckLayering.cmake
# The dependency runs one way: the containers build on the runtime, so no runtime file may include
# a container header.
file(GLOB headers RELATIVE ${CONTAINERS} ${CONTAINERS}/*.h)
file(GLOB sources ${RUNTIME}/*.h ${RUNTIME}/*.cpp)
set(found "")
foreach(source ${sources})
  file(STRINGS ${source} includes REGEX "^#include \"")
  foreach(line ${includes})
    foreach(header ${headers})
      if(line STREQUAL "#include \"${header}\"" OR line STREQUAL "#include \"containers/${header}\"")
        string(APPEND found "\n  ${source}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(found)
  message(FATAL_ERROR "host/runtime includes containers:${found}")
endif()
