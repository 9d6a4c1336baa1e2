# Opening and saving a design document of 100 components holding 10,000 JSON elements; the
# component tree through the window: many components, and edits at the bottom of a deep open tree.
add_executable(designer_bench ${CMAKE_CURRENT_LIST_DIR}/designer/DesignerBench.cpp
               ${CMAKE_CURRENT_LIST_DIR}/designer/TreeBench.cpp ${CMAKE_CURRENT_LIST_DIR}/common/WidgetBenchMain.cpp)
target_link_libraries(designer_bench PRIVATE velto_designer_core benchmark::benchmark)
velto_target_warnings(designer_bench)
