target_sources(velto_package PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/BasicRegister.cpp ${CMAKE_CURRENT_LIST_DIR}/BasicRegister.h
  ${CMAKE_CURRENT_LIST_DIR}/ModuleFrame.cpp ${CMAKE_CURRENT_LIST_DIR}/ModuleFrame.h
)
