add_library(zt_report STATIC
  ${CMAKE_CURRENT_LIST_DIR}/report_lines.cpp
  ${CMAKE_CURRENT_LIST_DIR}/period.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sorted_records.cpp
  ${CMAKE_CURRENT_LIST_DIR}/header_footer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/event_tables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/time_tables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_builder.cpp
)
target_link_libraries(zt_report PUBLIC zt_core)
target_include_directories(zt_report PUBLIC ${PROJECT_SOURCE_DIR})
