# The recorder simulator: its logic as a library, and the zt-sim program on a pty.
add_library(zt_sim STATIC
  ${CMAKE_CURRENT_LIST_DIR}/frame_splitter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fault_schedule.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recorder_memory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recorder_simulator.cpp
  ${CMAKE_CURRENT_LIST_DIR}/line_pacer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pty_port.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sim_server.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sim_options.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sim_thread.cpp
)
find_package(Threads REQUIRED)
target_link_libraries(zt_sim PUBLIC zt_link zt_core Threads::Threads)

add_executable(zt-sim ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(zt-sim PRIVATE zt_sim)
