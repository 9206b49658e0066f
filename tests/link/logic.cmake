include(${CMAKE_CURRENT_LIST_DIR}/fakes.cmake)

add_executable(zt_link_logic_tests
  ${CMAKE_CURRENT_LIST_DIR}/frame_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/link_protocol_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/search_settings_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/device_search_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/password_step_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reading_run_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reading_late_reply_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/writing_run_test.cpp
)
target_link_libraries(zt_link_logic_tests PRIVATE zt_link_fakes GTest::gtest_main)
gtest_discover_tests(zt_link_logic_tests PROPERTIES LABELS logic)
