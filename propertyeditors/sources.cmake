# The inspector's property editors of the package.
target_sources(velto_package PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/BitmapPropertyEditors.cpp ${CMAKE_CURRENT_LIST_DIR}/BitmapPropertyEditors.h
)
