# The bitmap property editors on a 255 x 255 bitmap: the inspector's preview and the dialog's
# write-back (the dialog answered through the dialog seam); the grayscale colour's track bar to the
# stored value and back into the swatch.
add_executable(propertyeditors_bench ${CMAKE_CURRENT_LIST_DIR}/propertyeditors/PropertyEditorsBench.cpp
               ${CMAKE_CURRENT_LIST_DIR}/common/WidgetBenchMain.cpp)
target_link_libraries(propertyeditors_bench PRIVATE velto_package benchmark::benchmark)
velto_target_warnings(propertyeditors_bench)
