zt_fuzz_target(load zt_core)
