// What the main dialog reads from the settings files at start-up: the ports, whether an
// installation is present, the network environment's WAN flags, the private address and the
// physical adapter. A missing or malformed file leaves its defaults.
#pragma once
#include <cstdint>
#include <string>

struct StartupPorts {
  uint16_t scanPort = 33333;
  uint16_t kmPort = 33334;
  uint16_t clipboardPort = 33334;
};

// The LinkType keywords of "DrvInstWanType.txt" for installations without virtual adapters.
struct WanFlags {
  bool physical = false;
  bool wifi = false;
  bool directConnIp1 = false;
  bool directConnIp2 = false;
  bool routerDhcp = false;
  bool Any() const { return physical || wifi || directConnIp1 || directConnIp2 || routerDhcp; }
};

struct StartupSettings {
  StartupPorts ports;
  bool installationPresent = false;
  WanFlags wan;
  uint8_t privateIp[4] = {192, 168, 2, 1};
  std::wstring adapterGuidName;  // "DrvInstPhyNic.txt" line 2
  std::wstring adapterName;      // line 3, the key of the adapter table
};

// "PortNumDef.txt": its line 1 only; exactly four comma-separated fields give the scan, Swivo and
// clipboard ports from fields 1, 2 and 4 (field 3 is ignored); any other count keeps the defaults.
StartupPorts ReadPortNumbers(const std::wstring& folder);
// True when each of the eight files an installation writes exists as a file (not a folder).
bool CheckSettingsFiles(const std::wstring& folder);
WanFlags ReadWanFlags(const std::wstring& folder);
// "PrivateIp.txt" line 1, then line 2 over it; four fields at "." give the octets.
void ReadPrivateIp(const std::wstring& folder, uint8_t octets[4]);
void ReadPhysicalAdapter(const std::wstring& folder, std::wstring* guidName, std::wstring* name);

StartupSettings LoadStartupSettings(const std::wstring& folder);
