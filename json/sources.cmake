target_sources(velto_package PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/JsonDesign.cpp
  ${CMAKE_CURRENT_LIST_DIR}/JsonDesign.h
  ${CMAKE_CURRENT_LIST_DIR}/JsonGeneration.h
)
