# The code string editors: the resizable in-place form, the code in-place form, the property editor
# with its dialog, and their layouts (resources).
target_sources(velto_package PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ResizableInplaceFormUnit.cpp ${CMAKE_CURRENT_LIST_DIR}/ResizableInplaceFormUnit.h
  ${CMAKE_CURRENT_LIST_DIR}/ArduinoCodeStringsInplaceFormUnit.cpp ${CMAKE_CURRENT_LIST_DIR}/ArduinoCodeStringsInplaceFormUnit.h
  ${CMAKE_CURRENT_LIST_DIR}/ArduinoCodeStringsEditorFormUnit.cpp ${CMAKE_CURRENT_LIST_DIR}/ArduinoCodeStringsEditorFormUnit.h
  ${CMAKE_CURRENT_LIST_DIR}/ArduinoCodeNames.cpp ${CMAKE_CURRENT_LIST_DIR}/ArduinoCodeNames.h
  ${CMAKE_CURRENT_LIST_DIR}/CodeStrings.qrc
)
