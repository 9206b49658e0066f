add_library(zt_print STATIC
  ${CMAKE_CURRENT_LIST_DIR}/text_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/print_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/printer_lookup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/print_settings_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_job_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/substitute_printer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/printer_metrics.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sheet_printing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sheet_range.cpp
  ${CMAKE_CURRENT_LIST_DIR}/page_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_period.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pagination.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_view.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_files_cleanup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/print_wait.cpp
)
target_link_libraries(zt_print PUBLIC zt_report zt_core)
target_include_directories(zt_print PUBLIC ${PROJECT_SOURCE_DIR})
