// The installation sequence step by step, with the devices, the network configuration and the
// tools recorded in place: progress texts, the files it writes, the commands it runs, its result.
#include "adapters/install_sequence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/adapters/sequence_fixture.h"

namespace {

using Texts = std::vector<std::wstring>;

const uint8_t kPhysicalMac[6] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
const uint8_t kVirtualMac[6] = {0x02, 0x1A, 0x2B, 0x3C, 0x05, 0x00};
const wchar_t kPhysicalGuid[] = L"{00000002-0000-0000-0000-4E6574446576}";

std::string Ansi(const std::wstring& text) { return std::string(text.begin(), text.end()); }

std::string SettingsBytes(const Texts& values) {
  std::string bytes = "QVX_VER=1\r\n";
  for (const auto& value : values) bytes += Ansi(value) + "\r\n";
  return bytes;
}

// The program folder is the current directory: each case runs in a folder of its own.
class InstallSequence : public SequenceFixture {
 protected:
  void Install(int linkType, int count, bool wireless = false) {
    RunInstall(&installer_, wireless, 5, 7, kPhysicalGuid, L"eth0", kPhysicalMac, kVirtualMac, linkType, count);
  }
  void ExpectFile(const wchar_t* name, const Texts& values) const {
    SCOPED_TRACE(Ansi(name));
    EXPECT_EQ(SettingsBytes(values), folder_.ReadBytes(name));
  }
};

TEST_F(InstallSequence, DhcpWithTwoNewAdapters) {
  Install(kLinkDhcp, 2);
  EXPECT_TRUE(installer_.IsDone());
  const Texts expected = {
      L"Add virtual adapter 1",
      L"Add virtual adapter 2",
      L"Disable physical adapter",
      L"Install Corvane protocol",
      L"Unbind protocol from all adapters",
      L"Add binding path registry",
      L"Add virtual adapter registry 1",
      L"Add virtual adapter registry 2",
      L"Unbind protocol from virtual adapter 1",
      L"Unbind protocol from virtual adapter 2",
      L"Disable all virtual adapter",
      L"Enable all virtual adapter",
      L"Enable physical adapter",
      L"Install service and firewall setting",
      L"Add program firewall setting",
  };
  EXPECT_EQ(expected, FakeNicOperations::progress);

  ExpectFile(L"PrivateIp.txt", {L"192.168.5.7"});
  ExpectFile(L"PhysicalMacAddr.txt", {L"001A2B3C4D5E"});
  ExpectFile(L"VirtualMacAddr.txt", {L"1A-2B-3C-05"});
  ExpectFile(L"CloneAdaptGuidName.txt", {FakeGuid(0)});
  ExpectFile(L"PrivateAdaptGuidName.txt", {FakeGuid(1)});
  ExpectFile(L"OtherAdaptGuidName.txt", {});
  ExpectFile(L"DrvInstPhyNic.txt", {kPhysicalGuid, L"eth0"});
  EXPECT_FALSE(Exists(L"PppoeAdaptGuidName.txt"));
  EXPECT_FALSE(Exists(L"PppoeAdaptMacAddr.txt"));
  EXPECT_FALSE(Exists(L"savebindprot.txt")) << "the snapshot is deleted after use";

  EXPECT_EQ((Texts{L"save bindings " + std::wstring(kPhysicalGuid) + L" savebindprot.txt"}),
            FakeNicOperations::CallsStartingWith(L"save bindings "));
  EXPECT_EQ((Texts{L"load bindings " + std::wstring(kPhysicalGuid) + L" mode 2 savebindprot.txt"}),
            FakeNicOperations::CallsStartingWith(L"load bindings "));
  EXPECT_EQ((Texts{L"static " + FakeGuid(1) + L" 192.168.5.7 255.255.255.0"}),
            FakeNicOperations::CallsStartingWith(L"static "));
  EXPECT_EQ((Texts{L"address " + FakeGuid(0) + L" nic 0 type 0", L"address " + FakeGuid(1) + L" nic 1 type 0",
                   L"address " + FakeGuid(0) + L" nic 0 type 0", L"address " + FakeGuid(1) + L" nic 1 type 0"}),
            FakeNicOperations::CallsStartingWith(L"address "))
      << "each pass writes every adapter's settings again";

  wchar_t system[MAX_PATH];
  ::GetSystemDirectoryW(system, MAX_PATH);
  wchar_t module[MAX_PATH];
  ::GetModuleFileNameW(nullptr, module, MAX_PATH);
  const Texts commands = {
      L"netsh advfirewall firewall add rule name=\"Corvane Service\" action=allow dir=in program=\"" + folder_.path() +
          L"\\Service\\64\\Echoward.exe\"",
      ServiceLine(L"/install"),
      std::wstring(system) + L"\\sc.exe config \"Corvane\" start= auto",
      std::wstring(system) + L"\\sc.exe start \"Corvane\"",
      L"netsh advfirewall firewall add rule name=\"Corvane\" action=allow dir=in program=\"" + std::wstring(module) +
          L"\"",
  };
  EXPECT_EQ(commands, FakeNicOperations::commands);
  EXPECT_EQ(1u, FakeNicOperations::CallsStartingWith(L"version value").size());
}

TEST_F(InstallSequence, SecondInstallationCreatesNoAdapter) {
  FakeNicOperations::state.existingAdapters = 2;
  Install(kLinkDhcp, 2);
  EXPECT_TRUE(installer_.IsDone());
  EXPECT_TRUE(FakeNicOperations::CallsStartingWith(L"install miniport").empty());
  ASSERT_GE(FakeNicOperations::calls.size(), 3u);
  EXPECT_EQ(L"virtual adapters off", FakeNicOperations::calls[1]) << "the old adapters are disabled first";
}

TEST_F(InstallSequence, EndsEarlyWithoutDoneOnEachFailure) {
  struct Case {
    const char* what;
    void (*arrange)(FakeNicState&);
    std::wstring lastText;
  } cases[] = {
      {"lock held", [](FakeNicState& s) { s.lockFree = false; }, L"Another app is setting the network (Other Setup)"},
      {"adapters not created", [](FakeNicState& s) { s.miniportInstalls = false; }, L"Failed to create virtual adapter"},
      {"protocol not installed", [](FakeNicState& s) { s.protocolInstalls = false; }, L"Enable physical adapter"},
      {"binding list not written", [](FakeNicState& s) { s.bindingListWritten = false; },
       L"Failed to add binding path registry"},
      {"adapter settings not written", [](FakeNicState& s) { s.adapterFound = false; },
       L"Failed to add virtual adapter registry"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FakeNicOperations fake;
    installer_.SetProgressWindow(fake.window());
    c.arrange(FakeNicOperations::state);
    installer_.SetDone(true);
    Install(kLinkDhcp, 2);
    EXPECT_FALSE(installer_.IsDone());
    ASSERT_FALSE(FakeNicOperations::progress.empty());
    EXPECT_EQ(c.lastText, FakeNicOperations::progress.back());
    EXPECT_TRUE(FakeNicOperations::commands.empty()) << "no service and no firewall rule";
    EXPECT_TRUE(FakeNicOperations::CallsStartingWith(L"static ").empty());
  }
}

TEST_F(InstallSequence, ProtocolFailureGivesThePhysicalAdapterBack) {
  FakeNicOperations::state.protocolInstalls = false;
  Install(kLinkDhcp, 2);
  const Texts& texts = FakeNicOperations::progress;
  ASSERT_GE(texts.size(), 2u);
  EXPECT_EQ(L"Failed to install protocol (Couldn't install the network component.)", texts[texts.size() - 2]);
  EXPECT_EQ(L"adapter " + std::wstring(kPhysicalGuid) + L" on", FakeNicOperations::calls.back());
  EXPECT_FALSE(Exists(L"DrvInstPhyNic.txt"));
}

TEST_F(InstallSequence, PppoeWithThreeAdapters) {
  Install(kLinkPppoe, 3);
  EXPECT_TRUE(installer_.IsDone());
  ExpectFile(L"PppoeAdaptGuidName.txt", {FakeGuid(2)});
  ExpectFile(L"OtherAdaptGuidName.txt", {FakeGuid(2)});
  ExpectFile(L"PppoeAdaptMacAddr.txt", {L"02-1A-2B-3C-05-02"});
  EXPECT_EQ((Texts{L"pppoe only " + FakeGuid(2)}), FakeNicOperations::CallsStartingWith(L"pppoe only"));
  EXPECT_EQ(1u, FakeNicOperations::CallsStartingWith(L"pppoe entry").size());
  EXPECT_EQ(L"address " + FakeGuid(2) + L" nic 2 type 1", FakeNicOperations::CallsStartingWith(L"address ")[2]);
  const Texts& texts = FakeNicOperations::progress;
  EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), L"Create PPPoE adatper"));
}

TEST_F(InstallSequence, StaticAddressesOfTheOtherAdapters) {
  struct Case {
    const char* what;
    int linkType;
    Texts calls;
  } cases[] = {
      {"shared", kLinkStaticDhcpShared,
       {L"static dns " + FakeGuid(2) + L" 192.168.11.100 255.255.255.0 192.168.11.1 8.8.8.8",
        L"static dns " + FakeGuid(3) + L" 192.168.12.100 255.255.255.0 192.168.12.1 8.8.8.8"}},
      {"only", kLinkStaticOnly,
       {L"static dns " + FakeGuid(0) + L" 192.168.11.100 255.255.255.0 192.168.11.1 8.8.8.8",
        L"static dns " + FakeGuid(2) + L" 192.168.12.100 255.255.255.0 192.168.12.1 8.8.8.8",
        L"static dns " + FakeGuid(3) + L" 192.168.13.100 255.255.255.0 192.168.13.1 8.8.8.8"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FakeNicOperations fake;
    Install(c.linkType, 4);
    EXPECT_TRUE(installer_.IsDone());
    EXPECT_EQ(c.calls, FakeNicOperations::CallsStartingWith(L"static dns "));
    ExpectFile(L"OtherAdaptGuidName.txt", {FakeGuid(2), FakeGuid(3)});
  }
}

TEST_F(InstallSequence, WithoutVirtualAdapters) {
  struct Case {
    const char* what;
    bool wireless;
    int linkType;
    std::wstring privateIp;
    bool addressSet;
  } cases[] = {
      {"direct connection 2", false, kLinkDirectConnIp2, L"192.168.5.252", true},
      {"physical", false, kLinkPhysical, L"192.168.5.7", true},
      {"router DHCP", false, kLinkRouterDhcp, L"0.0.0.0", false},
      {"wireless", true, kLinkDhcp, L"0.0.0.0", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FakeNicOperations fake;
    installer_.SetProgressWindow(fake.window());
    Install(c.linkType, 2, c.wireless);
    EXPECT_TRUE(installer_.IsDone());
    ExpectFile(L"PrivateIp.txt", {c.privateIp});
    ExpectFile(L"PhysicalMacAddr.txt", {L"001A2B3C4D5E"});
    for (const wchar_t* name : {L"VirtualMacAddr.txt", L"CloneAdaptGuidName.txt", L"PrivateAdaptGuidName.txt",
                                L"OtherAdaptGuidName.txt"}) {
      ExpectFile(name, {});
    }
    ExpectFile(L"DrvInstPhyNic.txt", {kPhysicalGuid, L"eth0"});
    EXPECT_EQ(c.addressSet ? Texts{L"static " + std::wstring(kPhysicalGuid) + L" " + c.privateIp + L" 255.255.255.0"}
                           : Texts{},
              FakeNicOperations::CallsStartingWith(L"static "));
    EXPECT_TRUE(FakeNicOperations::CallsStartingWith(L"install miniport").empty());
    EXPECT_EQ((Texts{L"Install service and firewall setting", L"Add program firewall setting"}),
              FakeNicOperations::progress);
    EXPECT_EQ(5u, FakeNicOperations::commands.size());
  }
}

TEST_F(InstallSequence, UnknownLinkTypeRunsNothing) {
  installer_.SetDone(true);
  Install(8, 2);
  EXPECT_TRUE(installer_.IsDone());
  EXPECT_TRUE(FakeNicOperations::calls.empty());
}

}  // namespace
