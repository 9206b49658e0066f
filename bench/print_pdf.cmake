# Printing needs the Qt windows library; without it there is nothing to time.
if(TARGET zt_windows)
  add_executable(bench_print_pdf ${CMAKE_CURRENT_LIST_DIR}/bench_print_pdf.cpp)
  target_link_libraries(bench_print_pdf PRIVATE zt_windows zt_bench_reports)
endif()
