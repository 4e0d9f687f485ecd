#include "peers/scan_plan.h"

bool IsNoPrivateAddress(const uint8_t privateIp[4]) {
  return privateIp[0] == 0 && privateIp[1] == 0 && privateIp[2] == 0 && privateIp[3] == 0;
}

ScanPlan ChooseScanPlan(const uint8_t privateIp[4], const uint8_t physicalIp[4]) {
  ScanPlan plan;
  plan.arpSweep = IsNoPrivateAddress(privateIp);
  const uint8_t* own = plan.arpSweep ? physicalIp : privateIp;
  plan.net = own[2];
  plan.ownHost = own[3];
  return plan;
}
