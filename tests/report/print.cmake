add_executable(print_tests
  ${CMAKE_CURRENT_LIST_DIR}/print_settings_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/print_period_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pagination_sheets_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/print_printer_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/print_wait_test.cpp
)
target_link_libraries(print_tests PRIVATE zt_print zt_core_fixtures GTest::gtest_main)
gtest_discover_tests(print_tests PROPERTIES LABELS logic)

add_executable(print_cli_tests ${CMAKE_CURRENT_LIST_DIR}/print_cli_test.cpp)
target_link_libraries(print_cli_tests PRIVATE zt_cli zt_core_fixtures GTest::gtest_main)
gtest_discover_tests(print_cli_tests PROPERTIES LABELS logic)
