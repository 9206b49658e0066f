# The windowed program's reading against `zt read`, both at 38400 baud; needs the window test harness.
if(TARGET zt_window_harness)
  add_executable(bench_program_read bench_program_read.cpp)
  target_link_libraries(bench_program_read PRIVATE zt_window_harness)
  target_compile_definitions(bench_program_read PRIVATE ZT_TOOL="$<TARGET_FILE:zt>")
  add_dependencies(bench_program_read zt)
endif()
