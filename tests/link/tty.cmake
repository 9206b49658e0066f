# The serial channel, COM naming and the host loop, on pseudo-terminals and fake trees.
add_executable(zt_tty_tests
  ${CMAKE_CURRENT_LIST_DIR}/tty_channel_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tty_com_port_names_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tty_poll_host_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tty_port_hints_test.cpp
)
target_link_libraries(zt_tty_tests PRIVATE zt_serial zt_core_fixtures GTest::gtest_main)
gtest_discover_tests(zt_tty_tests PROPERTIES LABELS logic)

# The zt tool's device session against a scripted recorder on a pseudo-terminal.
include(${CMAKE_CURRENT_LIST_DIR}/fakes.cmake)
add_executable(zt_tty_session_tests
  ${CMAKE_CURRENT_LIST_DIR}/tty_device_session_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tty_cmd_device_test.cpp
)
target_link_libraries(zt_tty_session_tests PRIVATE zt_cli zt_link_fakes GTest::gtest_main)
gtest_discover_tests(zt_tty_session_tests PROPERTIES LABELS logic)
