include(${PROJECT_SOURCE_DIR}/tests/link/fakes.cmake)
zt_fuzz_target(reply zt_link zt_link_fakes)
zt_fuzz_target(search_settings zt_link)
