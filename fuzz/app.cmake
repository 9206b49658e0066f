zt_fuzz_target(regional_flag zt_shell)
zt_fuzz_target(operator_list zt_shell)
