// The removal sequence with its steps recorded, and the registry tree removal on the real registry.
#include "adapters/remove_sequence.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/adapters/sequence_fixture.h"

namespace {

using Texts = std::vector<std::wstring>;
const wchar_t kPhysicalGuid[] = L"{00000002-0000-0000-0000-4E6574446576}";

class RemoveSequence : public SequenceFixture {
 protected:
  RemoveSequence() {
    for (const wchar_t* name : {L"PrivateIp.txt", L"DrvInstPhyNic.txt", L"LangType.txt", L"PortNumDef.txt",
                                L"PppoeAdaptMacAddr.txt", L"KmCompList.txt"}) {
      folder_.WriteBytes(name, "QVX_VER=1\r\nx\r\n");
    }
  }
};

TEST_F(RemoveSequence, UndoesEverythingAndKeepsThePortFile) {
  RunRemove(&installer_, kPhysicalGuid);
  EXPECT_TRUE(installer_.IsDone());
  const Texts expected = {
      L"Remove program firewall setting",
      L"Remove service and firewall setting",
      L"Disable all virtual adapter",
      L"Disable physical adapter",
      L"Restore protocol binding",
      L"Remove Corvane protocol",
      L"Remove virtual adapter",
      L"Removed virtual adapter successfully",
      L"Remove protocol successfully",
  };
  EXPECT_EQ(expected, FakeNicOperations::progress);
  const Texts commands = {
      L"netsh advfirewall firewall delete rule name=\"Corvane\"",
      ServiceLine(L"/uninstall"),
      L"netsh advfirewall firewall delete rule name=\"Corvane Service\"",
      L"pnputil -f -d oem3.inf",
      L"pnputil -f -d oem4.inf",
      L"pnputil -f -d oem5.inf",
  };
  EXPECT_EQ(commands, FakeNicOperations::commands);
  EXPECT_EQ((Texts{L"load bindings " + std::wstring(kPhysicalGuid) + L" mode 1 savebindrestore.txt"}),
            FakeNicOperations::CallsStartingWith(L"load bindings "));
  EXPECT_EQ((Texts{L"dhcp " + std::wstring(kPhysicalGuid)}), FakeNicOperations::CallsStartingWith(L"dhcp "));
  EXPECT_EQ((Texts{L"delete key SYSTEM\\CurrentControlSet\\Services\\QVXPROTO\\Parameters\\Adapters",
                   L"delete key Software\\Corvane"}),
            FakeNicOperations::CallsStartingWith(L"delete key "));
  EXPECT_EQ(L"adapter " + std::wstring(kPhysicalGuid) + L" on", FakeNicOperations::calls.back());
  for (const wchar_t* name : {L"PrivateIp.txt", L"DrvInstPhyNic.txt", L"LangType.txt", L"PppoeAdaptMacAddr.txt",
                              L"KmCompList.txt"}) {
    EXPECT_FALSE(Exists(name)) << std::string(name, name + wcslen(name));
  }
  EXPECT_TRUE(Exists(L"PortNumDef.txt"));
}

TEST_F(RemoveSequence, PackagesNotFoundRunNoPnputil) {
  FakeNicOperations::state.infNames = {L"", L"oem4.inf", L""};
  RunRemove(&installer_, kPhysicalGuid);
  EXPECT_EQ(L"pnputil -f -d oem4.inf", FakeNicOperations::commands.back());
  EXPECT_EQ(4u, FakeNicOperations::commands.size());
}

TEST_F(RemoveSequence, LockHeldStopsAfterThePackages) {
  FakeNicOperations::state.lockFree = false;
  installer_.SetDone(true);
  RunRemove(&installer_, kPhysicalGuid);
  EXPECT_FALSE(installer_.IsDone());
  EXPECT_EQ(L"Another app is setting the network (Other Setup)", FakeNicOperations::progress.back());
  EXPECT_EQ(6u, FakeNicOperations::commands.size()) << "firewall, service and packages are gone already";
  EXPECT_TRUE(FakeNicOperations::CallsStartingWith(L"remove miniports").empty());
  EXPECT_TRUE(Exists(L"PrivateIp.txt"));
}

// A tree below the current user's key: siblings at each level and values.
class RegistryTree : public testing::Test {
 protected:
  static constexpr const wchar_t* kBase = L"Software\\CorvaneTreeTest";
  void SetUp() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kBase);
    for (const wchar_t* path : {L"\\a\\a1", L"\\a\\a2\\deep", L"\\b", L"\\c\\c1"}) {
      HKEY key = nullptr;
      ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(HKEY_CURRENT_USER, (std::wstring(kBase) + path).c_str(), 0, nullptr,
                                                 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
      const DWORD value = 1;
      ::RegSetValueExW(key, L"v", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
      ::RegCloseKey(key);
    }
  }
  void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kBase); }
  static bool KeyExists(const std::wstring& path) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    ::RegCloseKey(key);
    return true;
  }
};

TEST_F(RegistryTree, DeletesSiblingsAndTheKeyItself) {
  EXPECT_TRUE(DeleteRegistryTree(HKEY_CURRENT_USER, kBase));
  EXPECT_FALSE(KeyExists(kBase));
}

TEST_F(RegistryTree, BaseWithTrailingBackslashAndMissingKey) {
  EXPECT_TRUE(DeleteRegistryTree(HKEY_CURRENT_USER, (std::wstring(kBase) + L"\\a\\").c_str()));
  EXPECT_FALSE(KeyExists(std::wstring(kBase) + L"\\a"));
  EXPECT_TRUE(KeyExists(std::wstring(kBase) + L"\\b"));
  EXPECT_TRUE(DeleteRegistryTree(HKEY_CURRENT_USER, L"Software\\CorvaneTreeTestMissing")) << "missing counts as gone";
}

}  // namespace
