# Tests of the monitor's portable cores: built for Windows (run under Wine) and natively with sanitizers.
set(MONITOR_PORTABLE_TESTS
  driver_replies_test.cpp
  traffic_counters_test.cpp
  dns_ptr_test.cpp
  log_ring_test.cpp
  conn_table_test.cpp
  route_plan_test.cpp
)
