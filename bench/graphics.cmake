# Decoding large pictures, encoding an editor-sized one, and the reduction to black and white.
add_executable(graphics_bench ${CMAKE_CURRENT_LIST_DIR}/graphics/CodecsBench.cpp)
target_link_libraries(graphics_bench PRIVATE velto_host benchmark::benchmark)
velto_target_warnings(graphics_bench)
