// Which way the My Network page scans and checks, from the addresses it works on: with a private
// address, broadcasts to its subnet; without one (0.0.0.0), an ARP sweep of the physical adapter's
// subnet with unicast requests and a probe thread that asks host by host.
#pragma once
#include <cstdint>

struct ScanPlan {
  bool arpSweep = false;  // no-virtual-adapter mode
  uint8_t net = 0;        // third octet of the addresses scanned
  uint8_t ownHost = 0;    // the fourth octet that is never added
};

ScanPlan ChooseScanPlan(const uint8_t privateIp[4], const uint8_t physicalIp[4]);
bool IsNoPrivateAddress(const uint8_t privateIp[4]);
