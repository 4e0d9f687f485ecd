// The physical adapters that stand in for the device tree's: each is named by its interface and
// its GUID by its ifindex; loopback is never one. Which interfaces a computer has is tried in
// tests/system/virtual_adapters_test.sh, in a computer of its own.
#include "platform/linux_physical_adapters.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/linux_interfaces.h"

namespace {

TEST(LinuxPhysicalAdapters, NamedByTheirInterfaces) {
  for (const auto& adapter : ListLinuxPhysicalAdapters()) {
    SCOPED_TRACE(std::string(adapter.name.begin(), adapter.name.end()));
    EXPECT_NE(adapter.name, L"lo");
    EXPECT_EQ(adapter.guid, AdapterGuidOfInterface(adapter.name.c_str()));
    EXPECT_EQ(adapter.instanceId, L"LINUX\\NET\\" + adapter.name);
  }
}

TEST(LinuxInterfaces, NamesOutsideTheFolderAreRefused) {
  std::string text;
  for (const wchar_t* name : {L"..", L".", L"", L"lo\\..\\..", L"a/b", L"sixteen-letters!"}) {
    EXPECT_FALSE(IsPlainInterfaceName(name));
    EXPECT_FALSE(ReadInterfaceFile(name, L"ifindex", text));
    EXPECT_EQ(AdapterGuidOfInterface(name), L"");
  }
  ASSERT_TRUE(ReadInterfaceFile(L"lo", L"ifindex", text));
  EXPECT_EQ(std::strtol(text.c_str(), nullptr, 10), 1);
  EXPECT_EQ(AdapterGuidOfInterface(L"lo"), L"{00000001-0000-0000-0000-4E6574446576}");
}

}  // namespace
