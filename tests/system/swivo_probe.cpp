// One side of a Swivo pairing and control session between two computers, over real datagrams:
//   swivo_probe controlled KMPORT SCANPORT SECONDS
//       answers exchanges and pairing on KMPORT and prints what it accepts:
//       "scan request" (a broadcast on SCANPORT), "agreed KEY", "paired HOST KEY", "status S",
//       "key ACTION SCAN FLAGS", "mouse DX DY KIND"; ends after "status 0" or SECONDS.
//   swivo_probe controller THIRD FOURTH KMPORT SCANPORT NET
//       broadcasts a scan request to 192.168.NET.255, pairs with 192.168.THIRD.FOURTH, then
//       controls it: status 1, a key press and release, a forged key, a mouse move, release all,
//       status 0. Prints "agreed KEY" per exchange and "paired KEY".
// Both wait at most a few seconds for each answer; exit code 0 when their part went through.
#include <winsock2.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

#include "peers/km_packet_parser.h"
#include "peers/km_secure_packet.h"
#include "peers/km_session_socket.h"
#include "peers/swivo_exchange_sender.h"
#include "peers/system_random_source.h"

namespace {

std::string Hex(const uint8_t* bytes, size_t size) {
  std::string text;
  char pair[3];
  for (size_t i = 0; i < size; ++i) {
    std::snprintf(pair, sizeof pair, "%02x", bytes[i]);
    text += pair;
  }
  return text;
}

void Say(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

SOCKET BoundSocket(uint16_t port) {
  SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_ANY);
  if (s == INVALID_SOCKET || bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    Say("cannot bind " + std::to_string(port));
    std::exit(3);
  }
  return s;
}

// One received datagram, from whichever socket has one within `wait_ms`.
struct Received {
  SOCKET from_socket = INVALID_SOCKET;
  uint8_t source[4] = {};
  uint8_t bytes[kLanReceiveBufferSize] = {};
  size_t size = 0;
};

bool ReceiveOne(SOCKET first, SOCKET second, int wait_ms, Received* got) {
  fd_set readable;
  FD_ZERO(&readable);
  FD_SET(first, &readable);
  if (second != INVALID_SOCKET) FD_SET(second, &readable);
  timeval wait = {wait_ms / 1000, (wait_ms % 1000) * 1000};
  if (select(0, &readable, nullptr, nullptr, &wait) < 1) return false;
  got->from_socket = FD_ISSET(first, &readable) ? first : second;
  sockaddr_in from = {};
  int from_size = sizeof from;
  const int n = recvfrom(got->from_socket, reinterpret_cast<char*>(got->bytes), sizeof got->bytes, 0,
                         reinterpret_cast<sockaddr*>(&from), &from_size);
  if (n < 0) return false;
  got->size = static_cast<size_t>(n);
  const uint32_t address = ntohl(from.sin_addr.s_addr);
  for (int i = 0; i < 4; ++i) got->source[i] = static_cast<uint8_t>(address >> (24 - 8 * i));
  return true;
}

int RunControlled(uint16_t km_port, uint16_t scan_port, int seconds) {
  SOCKET km = BoundSocket(km_port);
  SOCKET scan = BoundSocket(scan_port);
  SystemRandomSource random;
  DhExchangeSets sets;
  ClearExchangeSets(&sets);
  SessionValues working, responder_key;
  RandomizeSessionSeeds(random, &working.first, &working.second);
  KmKeyTable keys;
  KmParsedMessage parsed;
  Say("listening");
  const DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
  while (GetTickCount() < end) {
    Received got;
    if (!ReceiveOne(km, scan, 200, &got)) continue;
    if (got.from_socket == scan) {
      LanHeader header;
      if (PassesLanDropRules(got.bytes, got.size, LanReceiver::kService, &header) && header.type == kScanRequest) {
        Say("scan request");
      }
      continue;
    }
    if (!ParseKmPacket(got.bytes, got.size, got.source, &parsed, true, keys, responder_key)) continue;
    const LanPeer peer{PrivatePeerAddress(got.source[2], got.source[3]), km_port};
    switch (parsed.action) {
      case kActionExchangeStart:
        SendKeyExchangeOffer(&sets, random, peer, parsed.exchange_mode);
        break;
      case kActionExchangeReply:
        if (FinishExchangeAsResponder(&sets, parsed.reply, &working)) {
          responder_key = working;
          Say("agreed " + Hex(SessionKeyOf(working).bytes, 16));
        }
        break;
      case kActionPasswordRequest: {
        SwivoKey key;
        if (parsed.exchange_mode != kExchangePairing || !SendPairingPassword(working, random, peer, &key)) break;
        keys.StoreKey(got.source[2], got.source[3], key.bytes);
        keys.TakeSnapshot();
        RandomizeSessionSeeds(random, &working.first, &working.second);
        Say("paired " + std::to_string(got.source[3]) + " " + Hex(key.bytes, 16));
        break;
      }
      case kActionKmStatus:
        Say("status " + std::to_string(parsed.status));
        if (parsed.status == 0) return 0;
        break;
      case kActionKmKey:
        Say("key " + std::to_string(parsed.key_action) + " " + std::to_string(parsed.scan_code) + " " +
            std::to_string(parsed.key_flags));
        break;
      case kActionKmMouse:
        Say("mouse " + std::to_string(parsed.dx) + " " + std::to_string(parsed.dy) + " " + std::to_string(parsed.mouse_kind));
        break;
      default:
        break;
    }
  }
  Say("timed out");
  return 1;
}

// Waits for the peer's offer and answers it; the shared values of the exchange.
bool AnswerNextOffer(SOCKET km, DhExchangeSets* sets, RandomSource& random, const LanPeer& peer, KmKeyTable& keys,
                     KmParsedMessage* parsed, SessionValues* shared) {
  for (int attempt = 0; attempt < 25; ++attempt) {
    Received got;
    if (!ReceiveOne(km, INVALID_SOCKET, 200, &got)) continue;
    if (!ParseKmPacket(got.bytes, got.size, got.source, parsed, false, keys, SessionValues{})) continue;
    if (parsed->action != kActionExchangeOffer) continue;
    if (!SendKeyExchangeReply(sets, random, peer, parsed->offer, shared)) return false;
    Say("agreed " + Hex(SessionKeyOf(*shared).bytes, 16));
    return true;
  }
  Say("no offer");
  return false;
}

int RunController(uint8_t third, uint8_t fourth, uint16_t km_port, uint16_t scan_port, uint8_t net) {
  SOCKET km = BoundSocket(km_port);
  SystemRandomSource random;
  DhExchangeSets sets;
  ClearExchangeSets(&sets);
  KmKeyTable keys;
  KmParsedMessage parsed;
  const LanPeer peer{PrivatePeerAddress(third, fourth), km_port};

  SendScanRequest(LanPeer{PrivateBroadcastAddress(net), scan_port}, true);

  // Pairing: ExchangeStart mode 0, the offer, our reply and the password request, the delivery.
  SendExchangeStart(peer, kExchangePairing);
  SessionValues shared;
  if (!AnswerNextOffer(km, &sets, random, peer, keys, &parsed, &shared)) return 1;
  Sleep(50);  // the reply must reach the responder before the request
  SendPasswordRequest(peer);
  uint8_t pairing_key[16] = {};
  bool paired = false;
  for (int attempt = 0; attempt < 25 && !paired; ++attempt) {
    Received got;
    if (!ReceiveOne(km, INVALID_SOCKET, 200, &got)) continue;
    if (ParseKmPacket(got.bytes, got.size, got.source, &parsed, false, keys, SessionValues{}) &&
        parsed.action == kActionPasswordDelivery) {
      DecryptPairingPassword(shared, parsed.payload, pairing_key);
      paired = true;
    }
  }
  if (!paired) {
    Say("no delivery");
    return 1;
  }
  Say("paired " + Hex(pairing_key, 16));

  // Control: the session socket's ExchangeStart mode 1, the offer, then the input messages.
  KmSessionSocket session;
  if (!session.Open(peer, 0, pairing_key) || !session.SendConnect()) return 1;
  if (!AnswerNextOffer(km, &sets, random, peer, keys, &parsed, &shared)) return 1;
  session.SetSessionKey(shared);
  Sleep(50);
  session.SendState(1, random);
  session.SendKey(kKeyDown, 0x1E, 0);
  session.SendKey(kKeyUp, 0x1E, 0);
  // A packet whose token is not the pairing key: the controlled side must drop it.
  const uint8_t wrong_key[16] = {};
  const KmSecurePacket forged = BuildKmSecurePacket(kKmKey, kKmKeyLength, MakeKmKeyBlock(kKeyDown, 0x1F, 0, 1),
                                                    SessionKeyOf(shared), wrong_key);
  SendLanDatagram(peer, LanDatagram(forged.bytes, forged.bytes + sizeof forged.bytes));
  session.SendMouse(5, -5, kMouseMove);
  session.SendKey(kKeyReleaseAll, 0, 0);
  Sleep(50);
  session.SendState(0, random);
  session.Close();
  Say("done");
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return 2;
  int rc = 2;
  if (argc == 5 && std::wcscmp(argv[1], L"controlled") == 0) {
    rc = RunControlled(static_cast<uint16_t>(_wtoi(argv[2])), static_cast<uint16_t>(_wtoi(argv[3])), _wtoi(argv[4]));
  } else if (argc == 7 && std::wcscmp(argv[1], L"controller") == 0) {
    rc = RunController(static_cast<uint8_t>(_wtoi(argv[2])), static_cast<uint8_t>(_wtoi(argv[3])),
                       static_cast<uint16_t>(_wtoi(argv[4])), static_cast<uint16_t>(_wtoi(argv[5])),
                       static_cast<uint8_t>(_wtoi(argv[6])));
  } else {
    Say("usage: swivo_probe controlled KMPORT SCANPORT SECONDS | controller THIRD FOURTH KMPORT SCANPORT NET");
  }
  WSACleanup();
  return rc;
}
