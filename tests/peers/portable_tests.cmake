# Tests of the portable cores: built for Windows (run under Wine) and natively with sanitizers.
set(PEERS_PORTABLE_TESTS
  lan_message_test.cpp
  aes128_test.cpp
  dh_math_test.cpp
  swivo_exchange_test.cpp
  km_packet_parser_test.cpp
  km_settings_lines_test.cpp
  km_replay_gate_test.cpp
  clipboard_transfer_test.cpp
)
