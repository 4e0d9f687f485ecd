# The adapter rules' tests that need no windows.h, run under Wine and natively with the sanitizers.
set(ADAPTERS_PORTABLE_TESTS
  adapter_records_test.cpp
  binding_rules_test.cpp
  command_lines_test.cpp
  install_plan_test.cpp
  miniport_values_test.cpp
)
