// The description fill-in leaves alone what no device of the device tree stands for; the adapters
// that a device stands for are tried under Wine in tests/system/driver_pair_test.sh.
#include "platform/adapter_description.h"

#include <gtest/gtest.h>

#include <cwchar>

namespace {

TEST(AdapterDescription, NamesNoDeviceStandsFor) {
  struct Case {
    const char* what;
    const wchar_t* reported;
  } cases[] = {
      {"loopback, an interface without a device", L"lo"},
      {"no such interface", L"qvx999999"},
      {"a device's own description", L"Moravix Virtual Miniport Driver"},
      {"a path out of the interfaces folder", L"..\\..\\etc"},
      {"empty", L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    wchar_t description[8] = L"kept";
    EXPECT_FALSE(FillInAdapterDescription(c.reported, description, 8));
    EXPECT_STREQ(description, L"kept");
  }
  wchar_t description[8] = L"kept";
  EXPECT_FALSE(FillInAdapterDescription(nullptr, description, 8));
  EXPECT_FALSE(FillInAdapterDescription(L"lo", description, 0));
}

}  // namespace
