#include "peers/wake_on_lan.h"

#include "peers/lan_sender.h"
#include "peers/magic_packet.h"

bool SendWakeOnLan(uint8_t net, const uint8_t mac[6]) {
  MagicPacket packet;
  if (!BuildMagicPacket(mac, &packet)) return false;
  const LanDatagram datagram(packet.begin(), packet.end());
  return SendLanDatagram({PrivateBroadcastAddress(net), kWakeOnLanPort}, datagram, true);
}
