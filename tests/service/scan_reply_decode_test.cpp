// The interactive program's side of a scan against the responder that Echoward runs: its requests
// built by peers/lan_message, the responder's real replies on the loopback KmPort, read back by the
// interactive receiver (ParseKmPacket, DecodeScanReply). Shares the responder's named events.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/adapter_table.h"
#include "common/os_version.h"
#include "peers/km_packet_parser.h"
#include "peers/lan_message.h"
#include "service/probe_responder.h"
#include "tests/common/temp_folder.h"

namespace {

const uint8_t kLoopback[4] = {127, 0, 0, 1};

sockaddr_in Address(const uint8_t ip[4], uint32_t port) {
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_port = ::htons(static_cast<u_short>(port));
  std::memcpy(&address.sin_addr, ip, 4);
  return address;
}

class ScanReplyDecodeTest : public testing::Test {
 protected:
  void SetUp() override {
    WSADATA data;
    ASSERT_EQ(::WSAStartup(MAKEWORD(2, 2), &data), 0);
    const uint32_t base = 26000 + (::GetCurrentProcessId() % 2000) * 2;
    scanPort_ = base;
    kmPort_ = base + 1;
    const uint8_t mac[6] = {2, 0, 0, 0, 0, 1};
    g_AdapterTable.Clear();
    g_AdapterTable.Add(1, L"testnic", mac);
    g_AdapterTable.SetLinkFlag(L"testnic", 1);
    listener_ = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in at = Address(kLoopback, kmPort_);
    ASSERT_EQ(::bind(listener_, reinterpret_cast<sockaddr*>(&at), sizeof at), 0);
  }
  void TearDown() override {
    StopResponder();
    ::closesocket(listener_);
    g_AdapterTable.Clear();
  }

  // A responder answering from the start, with `macFile` as "PhysicalMacAddr.txt" (none when null).
  void StartResponder(TempFolder& folder, const char* macFile) {
    folder.WriteBytes(L"EchowardSetting.txt", "QVX_VER=1\r\nENABLED\r\n");
    if (macFile) folder.WriteBytes(L"PhysicalMacAddr.txt", macFile);
    const uint8_t anyAddress[4] = {0, 0, 0, 0};
    responder_ = std::make_unique<ProbeResponder>();
    responder_->Init();
    responder_->settingsFolder = folder.path();
    responder_->SetPrivateIp(anyAddress);
    responder_->SetAdapterGuid(L"{00000000-0000-0000-0000-000000000000}");
    responder_->SetAdapterName(L"testnic");
    responder_->SetPorts(scanPort_, kmPort_);
    responder_->CollectMachineInfo();
    ASSERT_TRUE(responder_->Start());
  }
  void StopResponder() {
    if (!responder_) return;
    EXPECT_TRUE(responder_->Stop());
    responder_->Close();
    responder_.reset();
  }

  void Send(const LanDatagram& datagram) {
    SOCKET sender = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in to = Address(kLoopback, scanPort_);
    ::sendto(sender, reinterpret_cast<const char*>(datagram.data()), static_cast<int>(datagram.size()), 0,
             reinterpret_cast<sockaddr*>(&to), sizeof to);
    ::closesocket(sender);
  }
  // The next datagram on the KmPort, or nothing after `timeoutMs`.
  std::vector<uint8_t> Next(int timeoutMs) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(listener_, &readable);
    timeval wait = {timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    if (::select(0, &readable, nullptr, nullptr, &wait) != 1) return {};
    uint8_t buffer[kLanReceiveBufferSize];
    const int got = ::recv(listener_, reinterpret_cast<char*>(buffer), sizeof buffer, 0);
    return got > 0 ? std::vector<uint8_t>(buffer, buffer + got) : std::vector<uint8_t>();
  }
  // Sends the request until the responder, still binding at first, answers it.
  std::vector<uint8_t> Ask(const LanDatagram& request) {
    for (int attempt = 0; attempt < 25; ++attempt) {
      Send(request);
      std::vector<uint8_t> reply = Next(200);
      if (!reply.empty()) return reply;
    }
    return {};
  }
  // What the interactive receiver makes of a reply from 192.168.7.9.
  bool Parse(std::vector<uint8_t>& reply, KmParsedMessage* parsed) {
    const uint8_t source[4] = {192, 168, 7, 9};
    return ParseKmPacket(reply.data(), reply.size(), source, parsed, false, keys_, session_);
  }

  std::unique_ptr<ProbeResponder> responder_;
  SOCKET listener_ = INVALID_SOCKET;
  uint32_t scanPort_ = 0, kmPort_ = 0;
  KmKeyTable keys_;
  SessionValues session_;
};

std::u16string Utf16(const wchar_t* text) { return std::u16string(text, text + std::wcslen(text)); }

TEST_F(ScanReplyDecodeTest, TheServicesRepliesReadBackAsSent) {
  // The request as the interactive program builds it, and one whose length field says 256 in its
  // 4 bytes: the service answers both.
  LanDatagram longLength = BuildScanRequest();
  longLength[0] = 1;
  longLength[1] = 0;
  struct Case {
    const char* what;
    const char* macFile;  // nullptr: no file
    LanDatagram request;
    std::vector<uint8_t> mac;
  };
  const Case cases[] = {
      {"twelve digits", "QVX_VER=1\r\n0011223344AA\r\n", BuildScanRequest(), {0x00, 0x11, 0x22, 0x33, 0x44, 0xaa}},
      {"a short MAC text: NULs, so zero bytes", "QVX_VER=1\r\n12AB\r\n", BuildScanRequest(), {0x12, 0xab, 0, 0, 0, 0}},
      {"no MAC file", nullptr, BuildScanRequest(), {0, 0, 0, 0, 0, 0}},
      {"length field 256 in 4 bytes", "QVX_VER=1\r\nAABBCCDDEEFF\r\n", longLength, {0xaa, 0xbb, 0xcc, 0xdd, 0xee, 0xff}},
  };
  wchar_t computer[32] = {};
  DWORD size = 32;
  ASSERT_TRUE(::GetComputerNameW(computer, &size));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    StartResponder(folder, c.macFile);
    std::vector<uint8_t> reply = Ask(c.request);
    ASSERT_FALSE(reply.empty()) << "no reply";
    KmParsedMessage parsed;
    ASSERT_TRUE(Parse(reply, &parsed));
    ASSERT_EQ(parsed.action, kActionScanReply);
    ScanReplyFields fields;
    ASSERT_TRUE(DecodeScanReply(parsed.payload, parsed.payload_size, &fields));
    EXPECT_EQ(fields.osTypeCode, GetOsTypeCode());
    EXPECT_EQ(fields.computerName, Utf16(computer));
    EXPECT_EQ(fields.cpuName, Utf16(responder_->machine.cpuName));
    EXPECT_FALSE(fields.cpuName.empty());
    EXPECT_EQ(std::vector<uint8_t>(fields.mac, fields.mac + 6), c.mac);
    StopResponder();
  }
}

TEST_F(ScanReplyDecodeTest, TheServicesAliveReplyIsTaken) {
  TempFolder folder;
  StartResponder(folder, nullptr);
  std::vector<uint8_t> reply = Ask(BuildAliveQuery());
  ASSERT_EQ(reply, BuildAliveReply());
  KmParsedMessage parsed;
  ASSERT_TRUE(Parse(reply, &parsed));
  EXPECT_EQ(parsed.action, kActionAliveReply);
}

}  // namespace
