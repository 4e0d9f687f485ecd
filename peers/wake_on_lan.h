// Sends the Wake-on-LAN magic packet once, as a broadcast to 192.168.<net>.255 port 7.
#pragma once
#include <cstdint>

// False when nothing was sent: a MAC of all zeros, or no socket.
bool SendWakeOnLan(uint8_t net, const uint8_t mac[6]);
