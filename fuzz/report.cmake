zt_fuzz_target(settings zt_print)
