# The in-memory serial line and the scripted recorder, shared by the logic
# tests and the reply fuzzer.
include_guard(GLOBAL)
add_library(zt_link_fakes STATIC
  ${CMAKE_CURRENT_LIST_DIR}/fake_channel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fake_recorder.cpp
)
target_link_libraries(zt_link_fakes PUBLIC zt_link zt_core_fixtures)
