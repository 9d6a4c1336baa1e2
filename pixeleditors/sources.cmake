# The pixel dialog chain: plain pixel model, forms, their layouts and button glyphs (resources).
target_sources(velto_package PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/PixelGrid.cpp ${CMAKE_CURRENT_LIST_DIR}/PixelGrid.h
  ${CMAKE_CURRENT_LIST_DIR}/BasicPixelEditorFormUnit.cpp ${CMAKE_CURRENT_LIST_DIR}/BasicPixelEditorFormUnit.h
  ${CMAKE_CURRENT_LIST_DIR}/BasicSizedPixelEditorFormUnit.cpp ${CMAKE_CURRENT_LIST_DIR}/BasicSizedPixelEditorFormUnit.h
  ${CMAKE_CURRENT_LIST_DIR}/PixelEditors.qrc
)
