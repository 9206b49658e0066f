# The serial channel on POSIX terminal devices, COM naming and the poll() host loop.
include_guard(GLOBAL)
add_library(zt_serial STATIC
  ${CMAKE_CURRENT_LIST_DIR}/com_port_names.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tty_serial_channel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/poll_host.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tty_port_hints.cpp
)
target_link_libraries(zt_serial PUBLIC zt_link zt_core)
target_include_directories(zt_serial PUBLIC ${PROJECT_SOURCE_DIR})
