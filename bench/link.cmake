add_executable(bench_link bench_link.cpp)
target_link_libraries(bench_link PRIVATE zt_sim zt_serial zt_core_fixtures benchmark::benchmark)
