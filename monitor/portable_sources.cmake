# The monitor's byte-level and rule cores with no Windows header: the driver's reply readers and
# writers, the counter arithmetic, the reverse look-up's bytes, the log ring, the connection table
# and the route rules. Built into the product and natively with the sanitizers and fuzzers.
set(MONITOR_PORTABLE_SOURCES
  driver_replies.cpp
  driver_reply_writer.cpp
  traffic_counters.cpp
  dns_ptr.cpp
  log_ring.cpp
  rate_text.cpp
  conn_table.cpp
  route_plan.cpp
)
