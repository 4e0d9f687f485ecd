# The adapter rules without windows.h, built into the product and natively with the sanitizers.
set(ADAPTERS_PORTABLE_SOURCES
  adapter_records.cpp
  binding_rules.cpp
  command_lines.cpp
  install_plan.cpp
  miniport_values.cpp
)
