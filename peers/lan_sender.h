// Sending LanMessage datagrams: every message leaves from a UDP socket made for it, unbound (the
// system picks the source port), used for one or two sends and closed.
#pragma once
#include <winsock2.h>

#include <cstdint>

#include "peers/lan_message.h"

// A destination: IPv4 address in host order and UDP port.
struct LanPeer {
  uint32_t address = 0;
  uint16_t port = 0;
};

// 192.168.third.fourth: the interactive program addresses every peer by these two octets alone.
uint32_t PrivatePeerAddress(uint8_t third, uint8_t fourth);
// 192.168.net.255.
uint32_t PrivateBroadcastAddress(uint8_t net);

// One fresh socket for one message.
class LanSendSocket {
 public:
  LanSendSocket();
  ~LanSendSocket();
  LanSendSocket(const LanSendSocket&) = delete;
  LanSendSocket& operator=(const LanSendSocket&) = delete;

  bool IsOpen() const { return socket_ != INVALID_SOCKET; }
  // Sets the broadcast option, which sending to a broadcast address needs.
  bool AllowBroadcast();
  bool SendTo(const LanPeer& to, const LanDatagram& datagram);

 private:
  SOCKET socket_;
};

// Sends once from a fresh socket; false when the socket could not be made or the send failed.
bool SendLanDatagram(const LanPeer& to, const LanDatagram& datagram, bool broadcast = false);

// The scan request goes out twice from one socket, each send followed by a 100 ms pause.
void SendScanRequest(const LanPeer& to, bool broadcast);
void SendAliveQuery(const LanPeer& to, bool broadcast);
void SendExchangeStart(const LanPeer& to, uint16_t mode);
void SendShowNumber(const LanPeer& to, uint16_t slot_number);
void SendPasswordRequest(const LanPeer& to);
