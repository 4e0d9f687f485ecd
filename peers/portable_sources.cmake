# The byte-level cores of the peer protocol: no Windows header, so the native tree builds them too.
set(PEERS_PORTABLE_SOURCES
  lan_message.cpp
  aes128.cpp
  random_source.cpp
  dh_math.cpp
  swivo_exchange.cpp
  km_secure_packet.cpp
  km_line_fields.cpp
  km_key_table.cpp
  km_settings.cpp
  km_packet_parser.cpp
  km_replay_gate.cpp
  km_hotkey_match.cpp
  clipboard_transfer.cpp
)
