#include "adapters/install_plan.h"

#include <cstdio>

namespace {

std::wstring HexPairs(const uint8_t* bytes, int count, const wchar_t* separator) {
  std::wstring text;
  wchar_t pair[3];
  for (int i = 0; i < count; ++i) {
    if (i) text += separator;
    std::swprintf(pair, 3, L"%02X", bytes[i]);
    text += pair;
  }
  return text;
}

StaticAddress OnNet(int nic, int net) {
  const std::wstring prefix = L"192.168." + std::to_wstring(net) + L".";
  return {nic, prefix + L"100", prefix + L"1"};
}

}  // namespace

InstallRoute ChooseInstallRoute(bool wireless, int linkType, int host) {
  if (wireless) return {InstallRoute::kWithoutDriver, true, host};
  switch (linkType) {
    case kLinkDhcp:
    case kLinkPppoe:
    case kLinkStaticDhcpShared:
    case kLinkStaticOnly:
      return {InstallRoute::kVirtualAdapters, false, host};
    case kLinkPhysical:
      return {InstallRoute::kWithoutDriver, false, host};
    case kLinkDirectConnIp1:
      return {InstallRoute::kWithoutDriver, false, 251};
    case kLinkDirectConnIp2:
      return {InstallRoute::kWithoutDriver, false, 252};
    case kLinkRouterDhcp:
      return {InstallRoute::kWithoutDriver, true, host};
    default:
      return {};
  }
}

std::wstring PrivateAddressText(int subnet, int host) {
  return L"192.168." + std::to_wstring(subnet) + L"." + std::to_wstring(host);
}

std::wstring PhysicalMacText(const uint8_t mac[6]) { return HexPairs(mac, 6, L""); }

std::wstring VirtualMacText(const uint8_t virtualMac[6]) { return HexPairs(virtualMac + 1, 4, L"-"); }

std::wstring PppoeMacText(const uint8_t virtualMac[6]) {
  const uint8_t mac[6] = {virtualMac[0], virtualMac[1], virtualMac[2], virtualMac[3], virtualMac[4], 2};
  return HexPairs(mac, 6, L"-");
}

std::vector<StaticAddress> StaticAddressPlan(int linkType, int count) {
  std::vector<StaticAddress> plan;
  if (linkType == kLinkStaticDhcpShared) {
    for (int nic = 2; nic < count; ++nic) plan.push_back(OnNet(nic, 9 + nic));
  } else if (linkType == kLinkStaticOnly) {
    plan.push_back(OnNet(0, 11));
    for (int nic = 2; nic < count; ++nic) plan.push_back(OnNet(nic, 10 + nic));
  }
  return plan;
}
