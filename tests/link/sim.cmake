# The recorder simulator's logic, and the link end to end over it on a pty.
add_executable(zt_sim_tests
  ${CMAKE_CURRENT_LIST_DIR}/sim_recorder_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sim_line_test.cpp
)
target_link_libraries(zt_sim_tests PRIVATE zt_sim GTest::gtest_main)
gtest_discover_tests(zt_sim_tests PROPERTIES LABELS logic)

add_executable(zt_e2e_tests
  ${CMAKE_CURRENT_LIST_DIR}/e2e_link_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/e2e_sim_line_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/e2e_late_reply_test.cpp
)
target_link_libraries(zt_e2e_tests PRIVATE zt_sim zt_cli zt_core_fixtures GTest::gtest_main)
gtest_discover_tests(zt_e2e_tests PROPERTIES LABELS e2e)

add_executable(zt_e2e_program_tests
  ${CMAKE_CURRENT_LIST_DIR}/e2e_sim_program_test.cpp
)
target_link_libraries(zt_e2e_program_tests PRIVATE zt_cli zt_core_fixtures GTest::gtest_main)
target_compile_definitions(zt_e2e_program_tests PRIVATE ZT_SIM_PROGRAM="$<TARGET_FILE:zt-sim>")
add_dependencies(zt_e2e_program_tests zt-sim)
gtest_discover_tests(zt_e2e_program_tests PROPERTIES LABELS e2e)

# zt read as a child process, killed and run out of room.
add_executable(zt_e2e_crash_tests
  ${CMAKE_CURRENT_LIST_DIR}/e2e_reading_crash_test.cpp
)
target_link_libraries(zt_e2e_crash_tests PRIVATE zt_sim zt_core_fixtures GTest::gtest_main)
target_compile_definitions(zt_e2e_crash_tests PRIVATE ZT_PROGRAM="$<TARGET_FILE:zt>")
add_dependencies(zt_e2e_crash_tests zt)
gtest_discover_tests(zt_e2e_crash_tests PROPERTIES LABELS e2e)
