add_executable(bench_decode bench_decode.cpp)
target_link_libraries(bench_decode PRIVATE zt_core benchmark::benchmark_main)
