# The inspector's property editors of the package, and the layout of the in-place colour form.
target_sources(velto_package PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/BitmapPropertyEditors.cpp ${CMAKE_CURRENT_LIST_DIR}/BitmapPropertyEditors.h
  ${CMAKE_CURRENT_LIST_DIR}/BoardsPropertyEditors.cpp ${CMAKE_CURRENT_LIST_DIR}/BoardsPropertyEditors.h
  ${CMAKE_CURRENT_LIST_DIR}/FontPropertyEditors.cpp ${CMAKE_CURRENT_LIST_DIR}/FontPropertyEditors.h
  ${CMAKE_CURRENT_LIST_DIR}/GrayscaleAlphaColorInplaceFormUnit.cpp ${CMAKE_CURRENT_LIST_DIR}/GrayscaleAlphaColorInplaceFormUnit.h
  ${CMAKE_CURRENT_LIST_DIR}/PropertyEditors.qrc
)
