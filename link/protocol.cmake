add_library(zt_link STATIC
  ${CMAKE_CURRENT_LIST_DIR}/frame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/payloads.cpp
  ${CMAKE_CURRENT_LIST_DIR}/decimal_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/link_protocol.cpp
  ${CMAKE_CURRENT_LIST_DIR}/quiet_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/search_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/device_search.cpp
  ${CMAKE_CURRENT_LIST_DIR}/password_step.cpp
  ${CMAKE_CURRENT_LIST_DIR}/link_run.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reading_run.cpp
  ${CMAKE_CURRENT_LIST_DIR}/writing_run.cpp
)
target_link_libraries(zt_link PUBLIC zt_core)
target_include_directories(zt_link PUBLIC ${PROJECT_SOURCE_DIR})
