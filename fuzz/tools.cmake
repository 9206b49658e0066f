zt_fuzz_target(args zt_cli)
