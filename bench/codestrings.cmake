# The code string editor on a 10,000-line value: opening its in-place form and the row's display text;
# typing into the in-place form on a long one-line value and on many lines; the code dialog's
# completion list over every name and its find bar on 20,000 lines.
add_executable(codestrings_bench ${CMAKE_CURRENT_LIST_DIR}/codestrings/CodeStringsBench.cpp
               ${CMAKE_CURRENT_LIST_DIR}/codestrings/CodeEditorBench.cpp
               ${CMAKE_CURRENT_LIST_DIR}/common/WidgetBenchMain.cpp)
target_link_libraries(codestrings_bench PRIVATE velto_package benchmark::benchmark Qt6::Test)
velto_target_warnings(codestrings_bench)
