# The pixel dialog chain: plain pixel model and its undo history, forms, their layouts and button
# glyphs (resources).
target_sources(velto_package PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/PixelGrid.cpp ${CMAKE_CURRENT_LIST_DIR}/PixelGrid.h
  ${CMAKE_CURRENT_LIST_DIR}/BitmapKinds.cpp ${CMAKE_CURRENT_LIST_DIR}/BitmapKinds.h
  ${CMAKE_CURRENT_LIST_DIR}/PixelHistory.cpp ${CMAKE_CURRENT_LIST_DIR}/PixelHistory.h
  ${CMAKE_CURRENT_LIST_DIR}/GridZoom.cpp ${CMAKE_CURRENT_LIST_DIR}/GridZoom.h
  ${CMAKE_CURRENT_LIST_DIR}/ImportOptionsFormUnit.cpp ${CMAKE_CURRENT_LIST_DIR}/ImportOptionsFormUnit.h
  ${CMAKE_CURRENT_LIST_DIR}/BasicPixelEditorFormUnit.cpp ${CMAKE_CURRENT_LIST_DIR}/BasicPixelEditorFormUnit.h
  ${CMAKE_CURRENT_LIST_DIR}/BasicSizedPixelEditorFormUnit.cpp ${CMAKE_CURRENT_LIST_DIR}/BasicSizedPixelEditorFormUnit.h
  ${CMAKE_CURRENT_LIST_DIR}/BasicLoadSaveSizedPixelEditorFormUnit.cpp ${CMAKE_CURRENT_LIST_DIR}/BasicLoadSaveSizedPixelEditorFormUnit.h
  ${CMAKE_CURRENT_LIST_DIR}/BasicMonochromeBitmapEditorFormUnit.cpp ${CMAKE_CURRENT_LIST_DIR}/BasicMonochromeBitmapEditorFormUnit.h
  ${CMAKE_CURRENT_LIST_DIR}/BasicMonochromeTransparencyBitmapEditorFormUnit.cpp ${CMAKE_CURRENT_LIST_DIR}/BasicMonochromeTransparencyBitmapEditorFormUnit.h
  ${CMAKE_CURRENT_LIST_DIR}/AlphaColorBitmapEditorFormUnit.cpp ${CMAKE_CURRENT_LIST_DIR}/AlphaColorBitmapEditorFormUnit.h
  ${CMAKE_CURRENT_LIST_DIR}/AlphaGrayscaleBitmapEditorFormUnit.cpp ${CMAKE_CURRENT_LIST_DIR}/AlphaGrayscaleBitmapEditorFormUnit.h
  ${CMAKE_CURRENT_LIST_DIR}/AlphaRGBWColorBitmapEditorFormUnit.cpp ${CMAKE_CURRENT_LIST_DIR}/AlphaRGBWColorBitmapEditorFormUnit.h
  ${CMAKE_CURRENT_LIST_DIR}/PixelEditors.qrc
)
