// Every message type through its sender, over a real UDP socket on the loopback address, and
// through the receiver's parser. The receiver stands where a peer's KmPort (or ScanPort) would be.
#include <winsock2.h>

#include <gtest/gtest.h>

#include <cstring>

#include "peers/km_packet_parser.h"
#include "peers/km_session_socket.h"
#include "peers/lan_sender.h"
#include "peers/swivo_exchange_sender.h"
#include "peers/system_random_source.h"

namespace {

constexpr uint32_t kLoopback = 0x7F000001;  // 127.0.0.1: third octet 0, fourth octet 1

class WinsockEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    WSADATA data;
    ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
  }
  void TearDown() override { WSACleanup(); }
};
const auto* const winsock = ::testing::AddGlobalTestEnvironment(new WinsockEnvironment);

// A bound UDP socket on 127.0.0.1 with a port of the system's choosing.
class LoopbackReceiver {
 public:
  LoopbackReceiver() {
    socket_ = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(kLoopback);
    bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    int size = sizeof address;
    getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
  }
  ~LoopbackReceiver() { closesocket(socket_); }

  LanPeer Peer() const { return LanPeer{kLoopback, port_}; }

  // The next datagram, waiting at most two seconds; empty when none came.
  std::vector<uint8_t> Receive() {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket_, &readable);
    timeval wait = {2, 0};
    if (select(0, &readable, nullptr, nullptr, &wait) != 1) return {};
    uint8_t buffer[kLanReceiveBufferSize];
    sockaddr_in from = {};
    int from_size = sizeof from;
    const int got = recvfrom(socket_, reinterpret_cast<char*>(buffer), sizeof buffer, 0,
                             reinterpret_cast<sockaddr*>(&from), &from_size);
    if (got <= 0) return {};
    source_ = ntohl(from.sin_addr.s_addr);
    return std::vector<uint8_t>(buffer, buffer + got);
  }
  uint32_t source() const { return source_; }

 private:
  SOCKET socket_;
  uint16_t port_ = 0;
  uint32_t source_ = 0;
};

class LanRoundTrip : public ::testing::Test {
 protected:
  // Receives one datagram and runs the interactive program's parser on it.
  bool ReceiveAndParse(bool pairing_allowed = false) {
    buffer_ = receiver_.Receive();
    if (buffer_.empty()) return false;
    const uint8_t source[4] = {static_cast<uint8_t>(receiver_.source() >> 24), static_cast<uint8_t>(receiver_.source() >> 16),
                               static_cast<uint8_t>(receiver_.source() >> 8), static_cast<uint8_t>(receiver_.source())};
    return ParseKmPacket(buffer_.data(), buffer_.size(), source, &parsed_, pairing_allowed, keys_, responder_key_);
  }
  bool ReceiveForService() {
    buffer_ = receiver_.Receive();
    LanHeader header;
    return !buffer_.empty() && PassesLanDropRules(buffer_.data(), buffer_.size(), LanReceiver::kService, &header) &&
           (service_type_ = header.type, true);
  }

  LoopbackReceiver receiver_;
  KmKeyTable keys_;
  SessionValues responder_key_;
  KmParsedMessage parsed_;
  std::vector<uint8_t> buffer_;
  uint16_t service_type_ = 0;
  SystemRandomSource random_;
};

TEST_F(LanRoundTrip, ScanFamily) {
  SendScanRequest(receiver_.Peer(), false);
  for (int copy = 0; copy < 2; ++copy) {  // the request goes out twice
    ASSERT_TRUE(ReceiveForService()) << copy;
    EXPECT_EQ(service_type_, kScanRequest);
  }
  SendAliveQuery(receiver_.Peer(), false);
  ASSERT_TRUE(ReceiveForService());
  EXPECT_EQ(service_type_, kAliveQuery);

  ASSERT_TRUE(SendLanDatagram(receiver_.Peer(), BuildScanReply(5, u"ABC", u"XYZ", u"0011223344AB")));
  ASSERT_TRUE(ReceiveAndParse());
  EXPECT_EQ(buffer_.size(), 48u);
  ASSERT_EQ(parsed_.action, kActionScanReply);
  ScanReplyFields fields;
  ASSERT_TRUE(DecodeScanReply(parsed_.payload, parsed_.payload_size, &fields));
  EXPECT_EQ(fields.computerName, u"ABC");
  EXPECT_EQ(fields.mac[5], 0xAB);
  ASSERT_TRUE(SendLanDatagram(receiver_.Peer(), BuildAliveReply()));
  ASSERT_TRUE(ReceiveAndParse());
  EXPECT_EQ(parsed_.action, kActionAliveReply);
}

TEST_F(LanRoundTrip, ShowNumberAndExchangeStart) {
  SendShowNumber(receiver_.Peer(), 2);
  ASSERT_TRUE(ReceiveAndParse());
  EXPECT_EQ(parsed_.action, kActionShowNumber);
  EXPECT_EQ(parsed_.show_number, 2);
  SendExchangeStart(receiver_.Peer(), kExchangePairing);
  ASSERT_TRUE(ReceiveAndParse(true));
  EXPECT_EQ(parsed_.action, kActionExchangeStart);
  EXPECT_EQ(parsed_.exchange_mode, kExchangePairing);
}

// Pairing between two sides in one process: the offer, the reply, the request and the delivered
// key each cross the loopback socket and the parser, and both sides end with the same key.
TEST_F(LanRoundTrip, PairingExchangeEndsWithTheSameKey) {
  DhExchangeSets responder_sets, initiator_sets;
  ClearExchangeSets(&responder_sets);
  ClearExchangeSets(&initiator_sets);

  ASSERT_TRUE(SendKeyExchangeOffer(&responder_sets, random_, receiver_.Peer(), kExchangePairing));
  ASSERT_TRUE(ReceiveAndParse(true));
  ASSERT_EQ(parsed_.action, kActionExchangeOffer);
  SessionValues initiator_key;
  ASSERT_TRUE(SendKeyExchangeReply(&initiator_sets, random_, receiver_.Peer(), parsed_.offer, &initiator_key));

  ASSERT_TRUE(ReceiveAndParse(true));
  ASSERT_EQ(parsed_.action, kActionExchangeReply);
  SessionValues responder_key;
  ASSERT_TRUE(FinishExchangeAsResponder(&responder_sets, parsed_.reply, &responder_key));
  EXPECT_EQ(responder_key.first, initiator_key.first);
  EXPECT_EQ(responder_key.second, initiator_key.second);

  SendPasswordRequest(receiver_.Peer());
  ASSERT_TRUE(ReceiveAndParse(true));
  EXPECT_EQ(parsed_.action, kActionPasswordRequest);
  SwivoKey delivered;
  ASSERT_TRUE(SendPairingPassword(responder_key, random_, receiver_.Peer(), &delivered));
  ASSERT_TRUE(ReceiveAndParse(true));
  ASSERT_EQ(parsed_.action, kActionPasswordDelivery);
  uint8_t password[16];
  DecryptPairingPassword(initiator_key, parsed_.payload, password);
  EXPECT_EQ(std::memcmp(password, delivered.bytes, 16), 0);
}

// A control session: ExchangeStart mode 1, then status, keys and mouse under the session key with
// the slot's pairing key as token; the receiver admits the sender 127.0.0.1 as host 1 of subnet 0.
TEST_F(LanRoundTrip, ControlSessionOverTheSessionSocket) {
  const uint8_t pairing_key[16] = {7, 6, 5, 4, 3, 2, 1, 0, 9, 9, 9, 9, 1, 2, 3, 4};
  keys_.StoreKey(0, 1, pairing_key);
  keys_.TakeSnapshot();
  responder_key_ = SessionValues{0x1234, 0x7FFF0000};

  KmSessionSocket session;
  ASSERT_TRUE(session.Open(receiver_.Peer(), 1, pairing_key));
  session.SetSessionKey(responder_key_);
  ASSERT_TRUE(session.SendConnect());
  ASSERT_TRUE(ReceiveAndParse());
  EXPECT_EQ(parsed_.action, kActionExchangeStart);
  EXPECT_EQ(parsed_.exchange_mode, kExchangeControl);

  ASSERT_TRUE(session.SendState(2, random_));
  ASSERT_TRUE(ReceiveAndParse());
  EXPECT_EQ(parsed_.action, kActionKmStatus);
  EXPECT_EQ(parsed_.status, 2);
  const uint16_t start = session.Sequence();
  EXPECT_LE(start, 32767);

  ASSERT_TRUE(session.SendKey(kKeyDown, 0x38, 1));
  ASSERT_TRUE(ReceiveAndParse());
  EXPECT_EQ(buffer_.size(), kKmSecurePacketSize);
  EXPECT_EQ(parsed_.action, kActionKmKey);
  EXPECT_EQ(parsed_.scan_code, 0x38);
  EXPECT_EQ(parsed_.key_flags, 1);
  EXPECT_EQ(session.Sequence(), static_cast<uint16_t>(start + 1));
  EXPECT_EQ(buffer_[4 + 6] << 8 | buffer_[4 + 7], session.Sequence());  // decrypted in place

  ASSERT_TRUE(session.SendMouse(-5, 17, kMouseMove));
  ASSERT_TRUE(ReceiveAndParse());
  EXPECT_EQ(parsed_.action, kActionKmMouse);
  EXPECT_EQ(parsed_.dx, -5);
  EXPECT_EQ(parsed_.dy, 17);

  // Another session key on the receiver, as after another controller's exchange: dropped.
  responder_key_ = SessionValues{1, 1};
  ASSERT_TRUE(session.SendKey(kKeyUp, 0x38, 1));
  EXPECT_FALSE(ReceiveAndParse());
  session.Close();
  EXPECT_FALSE(session.SendKey(kKeyUp, 0x38, 1));

  // The session key went with the session: opened again without a new exchange, the socket's
  // packets no longer pass under the old key.
  responder_key_ = SessionValues{0x1234, 0x7FFF0000};
  ASSERT_TRUE(session.Open(receiver_.Peer(), 1, pairing_key));
  ASSERT_TRUE(session.SendKey(kKeyUp, 0x38, 1));
  EXPECT_FALSE(ReceiveAndParse());
  EXPECT_EQ(buffer_.size(), kKmSecurePacketSize);
}

TEST(SystemRandomSource, GivesDifferentBytesEachTime) {
  SystemRandomSource random;
  uint8_t first[32] = {}, second[32] = {};
  ASSERT_TRUE(random.Fill(first, sizeof first));
  ASSERT_TRUE(random.Fill(second, sizeof second));
  EXPECT_NE(std::memcmp(first, second, sizeof first), 0);
}

}  // namespace
