target_sources(velto_package PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Placeholder.cpp
)
