add_executable(report_text_tests
  archive_fixture.cpp
  report_lines_test.cpp
  period_test.cpp
  sorted_records_test.cpp
  event_tables_test.cpp
  time_tables_test.cpp
  report_builder_test.cpp
)
target_link_libraries(report_text_tests PRIVATE zt_report GTest::gtest_main)
target_include_directories(report_text_tests PRIVATE ${PROJECT_SOURCE_DIR})
gtest_discover_tests(report_text_tests PROPERTIES LABELS logic)

add_executable(zt_report_cli_tests cmd_report_test.cpp)
target_link_libraries(zt_report_cli_tests PRIVATE zt_cli GTest::gtest_main)
target_include_directories(zt_report_cli_tests PRIVATE ${PROJECT_SOURCE_DIR})
gtest_discover_tests(zt_report_cli_tests PROPERTIES LABELS logic)
