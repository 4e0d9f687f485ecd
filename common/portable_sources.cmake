# The common helpers with no Windows header: text helpers, the MAC text and the scan codec. Both programs link them; the native tree sanitizes them too.
set(COMMON_PORTABLE_SOURCES
  text_helpers.cpp
  mac_text.cpp
  scan_codec.cpp
)
