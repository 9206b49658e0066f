zt_fuzz_target(settings zt_print)
zt_fuzz_target(report_period zt_print)
