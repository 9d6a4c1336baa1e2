# The pixel dialog chain: plain pixel model, forms and their layouts, button glyphs.
set(_pixeleditors_ui
  ${CMAKE_CURRENT_LIST_DIR}/BasicPixelEditorFormUnit.ui
  ${CMAKE_CURRENT_LIST_DIR}/BasicSizedPixelEditorFormUnit.ui
)
# Layout connections are resolved by slot name at run time, so a descendant's handler of the same
# name serves its form.
set_source_files_properties(${_pixeleditors_ui} PROPERTIES AUTOUIC_OPTIONS "--connections;string")
target_sources(velto_package PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/PixelGrid.cpp ${CMAKE_CURRENT_LIST_DIR}/PixelGrid.h
  ${CMAKE_CURRENT_LIST_DIR}/BasicPixelEditorFormUnit.cpp ${CMAKE_CURRENT_LIST_DIR}/BasicPixelEditorFormUnit.h
  ${CMAKE_CURRENT_LIST_DIR}/BasicSizedPixelEditorFormUnit.cpp ${CMAKE_CURRENT_LIST_DIR}/BasicSizedPixelEditorFormUnit.h
  ${_pixeleditors_ui}
  ${CMAKE_CURRENT_LIST_DIR}/PixelEditors.qrc
)
