add_executable(bench_report bench_report.cpp)
target_link_libraries(bench_report PRIVATE zt_report benchmark::benchmark_main)
