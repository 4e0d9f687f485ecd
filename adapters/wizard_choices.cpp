#include "adapters/wizard_choices.h"

#include "adapters/install_plan.h"

int LinkTypeFromChoices(int linkMode, int environment, bool sharedChecked) {
  switch (linkMode) {
    case kModeCorvane:
      switch (environment) {
        case kEnvDhcp: return kLinkDhcp;
        case kEnvPppoe: return kLinkPppoe;
        case kEnvStatic: return sharedChecked ? kLinkStaticDhcpShared : kLinkStaticOnly;
        default: return -1;
      }
    case kModeDualLan: return kLinkPhysical;
    case kModeDirectConn:
      if (environment == 0) return kLinkDirectConnIp1;
      if (environment == 1) return kLinkDirectConnIp2;
      return -1;
    case kModeRouterDhcp: return kLinkRouterDhcp;
    default: return -1;
  }
}

int NicCountFor(int linkType, int extraAdapters) {
  switch (linkType) {
    case kLinkDhcp:
    case kLinkStaticOnly:
    case kLinkStaticDhcpShared: return 2 + extraAdapters;
    case kLinkPppoe: return 3;
    default: return 0;
  }
}

int ExtraAdaptersFromEntry(const std::wstring& entryText) {
  if (entryText == L"1") return 1;
  if (entryText == L"2") return 2;
  if (entryText == L"3") return 3;
  return 0;
}

bool ScansUsedAddresses(bool wireless, int linkMode) {
  return !wireless && (linkMode == kModeCorvane || linkMode == kModeDualLan);
}

std::wstring WanTypeKeyword(bool wireless, int linkType) {
  if (wireless) return L"WIFI";
  static const wchar_t* const kKeywords[] = {L"DHCP",     L"PPPOE",           L"STATIC_DHCP_SHARED", L"STATIC_ONLY",
                                             L"PHYSICAL", L"DIRECT_CONN_IP_1", L"DIRECT_CONN_IP_2",   L"ROUTER_DHCP"};
  if (linkType < 0 || linkType > 7) return L"";
  return kKeywords[linkType];
}
