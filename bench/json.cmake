add_executable(json_bench ${CMAKE_CURRENT_LIST_DIR}/json/JsonBench.cpp)
target_link_libraries(json_bench PRIVATE velto_package benchmark::benchmark)
velto_target_warnings(json_bench)
