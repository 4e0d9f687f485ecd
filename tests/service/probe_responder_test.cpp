// The scan responder on loopback: real datagrams to its socket, real replies to the KmPort, and
// the named events that switch it. The events' names are fixed, so these tests share a lock.
#include <gtest/gtest.h>

#include <iphlpapi.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <cwctype>
#include <string>
#include <vector>

#include "common/adapter_table.h"
#include "common/os_version.h"
#include "service/adapter_address.h"
#include "service/probe_responder.h"
#include "tests/common/temp_folder.h"

namespace {

using Datagram = std::vector<uint8_t>;
const uint8_t kLoopback[4] = {127, 0, 0, 1};
const uint8_t kNoAddress[4] = {0, 0, 0, 0};
const Datagram kAliveQuery = {0, 2, 0, 2};
const Datagram kAliveReply = {0, 2, 0, 3};
const Datagram kScanRequest = {0, 2, 0, 0};

Datagram Utf16Le(const std::wstring& text, size_t units) {
  Datagram bytes;
  for (wchar_t c : text) {
    bytes.push_back(static_cast<uint8_t>(c));
    bytes.push_back(static_cast<uint8_t>(c >> 8));
  }
  bytes.resize(2 * units, 0);
  return bytes;
}

class ResponderTest : public testing::Test {
 protected:
  void SetUp() override {
    WSADATA data;
    ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
    const uint32_t base = 30000 + (GetCurrentProcessId() % 4000) * 2;
    scanPort_ = base;
    kmPort_ = base + 1;
    const uint8_t mac[6] = {2, 0, 0, 0, 0, 1};
    g_AdapterTable.Clear();
    g_AdapterTable.Add(1, L"testnic", mac);
    g_AdapterTable.SetLinkFlag(L"testnic", 1);

    listener_ = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in at = Address(kLoopback, kmPort_);
    ASSERT_EQ(bind(listener_, reinterpret_cast<sockaddr*>(&at), sizeof at), 0);
  }
  void TearDown() override {
    if (started_) {
      EXPECT_TRUE(responder_.Stop());
      responder_.Close();
    }
    closesocket(listener_);
    g_AdapterTable.Clear();
  }

  static sockaddr_in Address(const uint8_t ip[4], uint32_t port) {
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    std::memcpy(&address.sin_addr, ip, 4);
    return address;
  }

  // Starts the responder with the private address and waits until its socket is bound.
  void StartResponder(const uint8_t privateIp[4], const wchar_t* adapterName = L"testnic") {
    responder_.Init();
    responder_.settingsFolder = folder_.path();
    responder_.SetPrivateIp(privateIp);
    responder_.SetAdapterGuid(L"{00000000-0000-0000-0000-000000000000}");
    responder_.SetAdapterName(adapterName);
    responder_.SetPorts(scanPort_, kmPort_);
    responder_.CollectMachineInfo();
    ASSERT_TRUE(responder_.Start());
    started_ = true;
  }
  bool WaitForBind(int timeoutMs = 5000) {
    for (int waited = 0; waited < timeoutMs; waited += 20) {
      sockaddr_in bound = {};
      int size = sizeof bound;
      if (getsockname(responder_.receiver.socket, reinterpret_cast<sockaddr*>(&bound), &size) == 0 &&
          ntohs(bound.sin_port) == scanPort_) {
        return true;
      }
      Sleep(20);
    }
    return false;
  }

  // From a fresh socket, as the interactive program sends; `from` binds its source address.
  void Send(const Datagram& datagram, const uint8_t from[4] = kLoopback) {
    SOCKET sender = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in source = Address(from, 0);
    bind(sender, reinterpret_cast<sockaddr*>(&source), sizeof source);
    sockaddr_in to = Address(kLoopback, scanPort_);
    sendto(sender, reinterpret_cast<const char*>(datagram.data()), static_cast<int>(datagram.size()), 0,
           reinterpret_cast<sockaddr*>(&to), sizeof to);
    closesocket(sender);
  }
  // The next datagram on the KmPort, or nothing after `timeoutMs`.
  Datagram Next(int timeoutMs = 2000) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(listener_, &readable);
    timeval wait = {timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    if (select(0, &readable, nullptr, nullptr, &wait) != 1) return {};
    uint8_t buffer[512];
    int got = recv(listener_, reinterpret_cast<char*>(buffer), sizeof buffer, 0);
    return got > 0 ? Datagram(buffer, buffer + got) : Datagram();
  }
  // An alive query answered means the responder is serving with responses on. Replies to the
  // earlier attempts that come late are taken away, so that they cannot pass for later replies.
  bool AnswersAlive(int attempts = 10) {
    for (int i = 0; i < attempts; ++i) {
      Send(kAliveQuery);
      if (Next(300) == kAliveReply) {
        Drain();
        return true;
      }
    }
    return false;
  }
  void Drain() {
    while (!Next(300).empty()) {
    }
  }
  void Signal(const wchar_t* name) {
    HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, name);
    ASSERT_NE(event, nullptr);
    SetEvent(event);
    CloseHandle(event);
  }
  Datagram ExpectedScanReply() const {
    const MachineInfo& m = responder_.machine;
    const std::wstring name = m.computerName, cpu = m.cpuName;
    const size_t size = 36 + 2 * name.size() + 2 * cpu.size();
    Datagram reply = {0, static_cast<uint8_t>(size - 2), 0, 1, 0, m.osCode};
    for (const auto& part : {Utf16Le(name, name.size() + 1), Utf16Le(cpu, cpu.size() + 1), Utf16Le(m.macText, 13)}) {
      reply.insert(reply.end(), part.begin(), part.end());
    }
    return reply;
  }

  TempFolder folder_;
  ProbeResponder responder_;
  bool started_ = false;
  SOCKET listener_ = INVALID_SOCKET;
  uint32_t scanPort_ = 0, kmPort_ = 0;
};

TEST_F(ResponderTest, DatagramsAndTheirReplies) {
  folder_.WriteBytes(L"EchowardSetting.txt", "QVX_VER=1\r\nENABLED\r\n");
  StartResponder(kNoAddress);
  ASSERT_TRUE(WaitForBind());
  ASSERT_TRUE(AnswersAlive());
  Datagram full(256, 0);
  full[1] = 2;
  Datagram oversized(300, 0);
  oversized[1] = 2;
  struct Case {
    const char* what;
    Datagram datagram;
    bool scanReply;
    bool aliveReply;
  };
  const Case cases[] = {
      {"3 bytes", {0, 2, 0}, false, false},
      {"length 0", {0, 0, 0, 0}, false, false},
      {"length 257", {1, 1, 0, 0}, false, false},
      {"a scan reply", {0, 2, 0, 1}, false, false},
      {"an alive reply", {0, 2, 0, 3}, false, false},
      {"a scan request", kScanRequest, true, false},
      {"length 256 in 4 bytes", {1, 0, 0, 0}, true, false},
      {"a scan request of 256 bytes", full, true, false},
      // Larger than the buffer: a failed read, not a request cut short.
      {"a scan request of 300 bytes", oversized, false, false},
      {"an alive query", kAliveQuery, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Send(c.datagram);
    Send(kAliveQuery);  // marks the end of the case's replies
    if (c.scanReply) {
      EXPECT_EQ(Next(), ExpectedScanReply());
    }
    if (c.aliveReply) {
      EXPECT_EQ(Next(), kAliveReply);
    }
    EXPECT_EQ(Next(), kAliveReply);
  }
}

TEST_F(ResponderTest, ScanReplyCarriesThisComputer) {
  folder_.WriteBytes(L"EchowardSetting.txt", "QVX_VER=1\r\nENABLED\r\n");
  // A short MAC text: the rest of the reply's MAC field is NULs.
  folder_.WriteBytes(L"PhysicalMacAddr.txt", "QVX_VER=1\r\n12AB\r\n");
  StartResponder(kNoAddress);
  ASSERT_TRUE(WaitForBind());
  wchar_t computer[32] = {};
  DWORD size = 32;
  ASSERT_TRUE(GetComputerNameW(computer, &size));
  Send(kScanRequest);
  const Datagram reply = Next();
  const size_t nameBytes = 2 * (std::wcslen(computer) + 1);
  ASSERT_GE(reply.size(), 6 + nameBytes + 2 + 26);
  EXPECT_EQ(reply.size() - 2, static_cast<size_t>(reply[0] << 8 | reply[1]));
  EXPECT_EQ((Datagram{reply[2], reply[3], reply[4], reply[5]}),
            (Datagram{0, 1, 0, static_cast<uint8_t>(GetOsTypeCode())}));
  EXPECT_EQ(Datagram(reply.begin() + 6, reply.begin() + 6 + nameBytes), Utf16Le(computer, std::wcslen(computer) + 1));
  EXPECT_EQ(Datagram(reply.end() - 26, reply.end()), Utf16Le(L"12AB", 13));
  EXPECT_NE(responder_.machine.cpuName[0], L'\0');
  EXPECT_EQ(reply, ExpectedScanReply());
}

TEST_F(ResponderTest, MissingMacFileSendsZeros) {
  folder_.WriteBytes(L"EchowardSetting.txt", "QVX_VER=1\r\nENABLED\r\n");
  StartResponder(kNoAddress);
  ASSERT_TRUE(WaitForBind());
  Send(kScanRequest);
  const Datagram reply = Next();
  ASSERT_GE(reply.size(), 26u);
  EXPECT_EQ(Datagram(reply.end() - 26, reply.end()), Utf16Le(L"000000000000", 13));
}

TEST_F(ResponderTest, EventsSwitchResponses) {
  StartResponder(kNoAddress);  // no EchowardSetting.txt: responses start off
  ASSERT_TRUE(WaitForBind());
  Send(kAliveQuery);
  EXPECT_TRUE(Next(500).empty());
  Signal(kScanReplyOnEventName);
  ASSERT_TRUE(AnswersAlive());
  Send(kScanRequest);
  EXPECT_EQ(Next(), ExpectedScanReply());
  Signal(kScanReplyOffEventName);
  Sleep(200);
  Send(kScanRequest);
  Send(kAliveQuery);
  EXPECT_TRUE(Next(500).empty());
  Signal(kScanReplyOnEventName);
  EXPECT_TRUE(AnswersAlive());
}

TEST_F(ResponderTest, OnAndOffBothPendingLeaveResponsesOff) {
  for (bool onFirst : {true, false}) {
    SCOPED_TRACE(onFirst ? "on, then off" : "off, then on");
    folder_.WriteBytes(L"EchowardSetting.txt", "QVX_VER=1\r\nENABLED\r\n");
    // Signalled before the responder's thread first waits on them.
    HANDLE on = CreateEventW(nullptr, FALSE, FALSE, kScanReplyOnEventName);
    HANDLE off = CreateEventW(nullptr, FALSE, FALSE, kScanReplyOffEventName);
    SetEvent(onFirst ? on : off);
    SetEvent(onFirst ? off : on);
    StartResponder(kNoAddress);
    ASSERT_TRUE(WaitForBind());
    Sleep(200);
    Send(kAliveQuery);
    EXPECT_TRUE(Next(500).empty());
    // Nothing stays pending: the next switch is obeyed at once.
    Signal(kScanReplyOnEventName);
    EXPECT_TRUE(AnswersAlive());
    EXPECT_TRUE(responder_.Stop());
    responder_.Close();
    started_ = false;
    CloseHandle(on);
    CloseHandle(off);
  }
}

TEST_F(ResponderTest, ScansFromTheOwnAddressAreNotAnswered) {
  ASSERT_TRUE(LocalAddressPresent(kLoopback));
  folder_.WriteBytes(L"EchowardSetting.txt", "QVX_VER=1\r\nENABLED\r\n");
  StartResponder(kLoopback);
  ASSERT_TRUE(WaitForBind());
  ASSERT_TRUE(AnswersAlive());
  Send(kScanRequest);
  Send(kAliveQuery);
  EXPECT_EQ(Next(), kAliveReply);
}

TEST_F(ResponderTest, AbsentAddressIsNotBound) {
  // Wine would bind it as every address; the responder waits for an adapter to hold it.
  const uint8_t absent[4] = {192, 0, 2, 77};
  ASSERT_FALSE(LocalAddressPresent(absent));
  StartResponder(absent);
  EXPECT_FALSE(WaitForBind(2500));
}

TEST_F(ResponderTest, StopWhileWaitingForLink) {
  StartResponder(kNoAddress, L"not-in-the-table");
  Sleep(300);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(responder_.Stop());
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  std::printf("stopped after %lld ms while waiting for link\n", static_cast<long long>(ms.count()));
  // The bind loop looks at the stop between its one-second sleeps; three seconds is ample.
  EXPECT_LT(ms.count(), 3000);
  responder_.Close();
  started_ = false;
}

// The first adapter the system lists: its GUID name and its IPv4 address text.
bool FirstAdapter(std::wstring* guidName, std::wstring* address) {
  ULONG size = 0;
  if (::GetAdaptersInfo(nullptr, &size) != ERROR_BUFFER_OVERFLOW) return false;
  std::vector<BYTE> buffer(size);
  auto* adapters = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
  if (::GetAdaptersInfo(adapters, &size) != NO_ERROR) return false;
  const std::string name = adapters->AdapterName, ip = adapters->IpAddressList.IpAddress.String;
  *guidName = std::wstring(name.begin(), name.end());
  *address = std::wstring(ip.begin(), ip.end());
  return true;
}

TEST(AdapterAddress, GuidNamesMatchExactly) {
  std::wstring guid, address;
  ASSERT_TRUE(FirstAdapter(&guid, &address)) << "the system lists no adapter";
  std::wstring lower = guid;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](wchar_t c) { return std::towlower(c); });
  ASSERT_NE(lower, guid) << "a GUID name without letters";
  struct Case {
    const char* what;
    std::wstring name;
    bool found;
  };
  const Case cases[] = {
      {"the name as listed", guid, true},
      {"another letter case", lower, false},
      // A linguistic comparison passes over a soft hyphen; an exact one does not.
      {"a soft hyphen inside", guid.substr(0, 1) + L"\u00AD" + guid.substr(1), false},
      {"a prefix of it", guid.substr(0, guid.size() - 1), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    wchar_t text[16] = {};
    EXPECT_EQ(GetAdapterIpByGuid(text, c.name.c_str()), c.found);
    if (c.found) {
      EXPECT_EQ(std::wstring(text), address);
    }
  }
}

TEST(ResponderRun, StopBeforeStartLeavesNoResponder) {
  // The stop of a run that arrives before its responder is made: none is made afterwards.
  StopProbeResponder();
  ASSERT_EQ(StartProbeResponder(), 0);
  EXPECT_EQ(CurrentProbeResponder(), nullptr);
  EndProbeResponderRun();

  ASSERT_EQ(StartProbeResponder(), 0);
  EXPECT_NE(CurrentProbeResponder(), nullptr);
  StopProbeResponder();
  EXPECT_EQ(CurrentProbeResponder(), nullptr);
  // A second stop finds nothing to free.
  StopProbeResponder();
  EndProbeResponderRun();
}

}  // namespace
