# Whole-image operations of the pixel dialogs on a 255 x 255 image and their undo, the preview
# rebuild and a full paint of the visible grid.
add_executable(pixeleditors_bench ${CMAKE_CURRENT_LIST_DIR}/pixeleditors/PixelEditorsBench.cpp)
target_link_libraries(pixeleditors_bench PRIVATE velto_package benchmark::benchmark)
velto_target_warnings(pixeleditors_bench)
