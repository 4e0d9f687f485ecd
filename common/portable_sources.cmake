# The common helpers with no Windows header: text helpers, the MAC text, the decimal reader, the
# scan codec and the secure clear. Both programs link them; the native tree sanitizes them too.
set(COMMON_PORTABLE_SOURCES
  text_helpers.cpp
  mac_text.cpp
  decimal_text.cpp
  scan_codec.cpp
  secure_clear.cpp
)
