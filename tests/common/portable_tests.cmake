# Tests of the common portable helpers: built for Windows (run under Wine) and natively with sanitizers.
set(COMMON_PORTABLE_TESTS
  text_helpers_test.cpp
  mac_text_test.cpp
  decimal_text_test.cpp
  scan_codec_test.cpp
  secure_clear_test.cpp
)
