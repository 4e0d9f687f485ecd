#include "peers/lan_sender.h"

namespace {

constexpr DWORD kScanRequestPauseMs = 100;

sockaddr_in SocketAddressOf(const LanPeer& peer) {
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_port = htons(peer.port);
  address.sin_addr.s_addr = htonl(peer.address);
  return address;
}

}  // namespace

uint32_t PrivatePeerAddress(uint8_t third, uint8_t fourth) {
  return 192u << 24 | 168u << 16 | static_cast<uint32_t>(third) << 8 | fourth;
}

uint32_t PrivateBroadcastAddress(uint8_t net) { return PrivatePeerAddress(net, 255); }

LanSendSocket::LanSendSocket() : socket_(socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP)) {}

LanSendSocket::~LanSendSocket() {
  if (socket_ != INVALID_SOCKET) closesocket(socket_);
}

bool LanSendSocket::AllowBroadcast() {
  const BOOL on = TRUE;
  return IsOpen() && setsockopt(socket_, SOL_SOCKET, SO_BROADCAST, reinterpret_cast<const char*>(&on), sizeof on) == 0;
}

bool LanSendSocket::SendTo(const LanPeer& to, const LanDatagram& datagram) {
  if (!IsOpen()) return false;
  const sockaddr_in address = SocketAddressOf(to);
  const int sent = sendto(socket_, reinterpret_cast<const char*>(datagram.data()), static_cast<int>(datagram.size()), 0,
                          reinterpret_cast<const sockaddr*>(&address), sizeof address);
  return sent == static_cast<int>(datagram.size());
}

bool SendLanDatagram(const LanPeer& to, const LanDatagram& datagram, bool broadcast) {
  LanSendSocket socket;
  if (!socket.IsOpen()) return false;
  if (broadcast) socket.AllowBroadcast();
  return socket.SendTo(to, datagram);
}

void SendScanRequest(const LanPeer& to, bool broadcast) {
  LanSendSocket socket;
  if (!socket.IsOpen()) return;
  if (broadcast) socket.AllowBroadcast();
  const LanDatagram request = BuildScanRequest();
  for (int send = 0; send < 2; ++send) {
    socket.SendTo(to, request);
    Sleep(kScanRequestPauseMs);
  }
}

void SendAliveQuery(const LanPeer& to, bool broadcast) { SendLanDatagram(to, BuildAliveQuery(), broadcast); }
void SendExchangeStart(const LanPeer& to, uint16_t mode) { SendLanDatagram(to, BuildExchangeStart(mode)); }
void SendShowNumber(const LanPeer& to, uint16_t slot_number) { SendLanDatagram(to, BuildShowNumber(slot_number)); }
void SendPasswordRequest(const LanPeer& to) { SendLanDatagram(to, BuildPasswordRequest()); }
