// The Linux side of the virtual miniports: which device has which interface, and making,
// switching and deleting those interfaces (a macvlan on the physical one) from a Windows process.
// Used by the link service, which follows the devices, and by the stand-in netsh.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct MiniportDevice {
  std::wstring instanceId;      // "ROOT\NET\0000"
  std::wstring guid;            // the driver key's "NetCfgInstanceId"; "" before the driver gave one
  std::wstring networkAddress;  // the driver key's "NetworkAddress"; "" when it has none
  std::wstring deviceDesc;      // SPDRP_DEVICEDESC
  std::wstring friendlyName;    // SPDRP_FRIENDLYNAME; "" when it has none
};

struct LinuxInterface {
  std::wstring name;
  uint32_t index = 0;
};

// Every device of hardware id QVXMINIP that the registry holds, present or not, in SetupAPI's order;
// false when the device list cannot be read (then nothing can be said about any device).
bool ListMiniportDevices(std::vector<MiniportDevice>* devices);

// The interfaces of this computer (Z:\sys\class\net), loopback left out.
std::vector<LinuxInterface> ListLinuxInterfaces();
// The interface with that index; "" when there is none.
std::wstring InterfaceNameOfIndex(const std::vector<LinuxInterface>& interfaces, uint32_t index);

// The physical interface under a virtual adapter: the one whose GUID names the QVXPROTO binding
// list that holds the adapter, else the only interface that is not a miniport's. "" when neither.
std::wstring PhysicalInterfaceOf(const std::wstring& virtualGuid, const std::vector<LinuxInterface>& interfaces);

// Makes the device's interface (its index and name from its GUID, its MAC from "NetworkAddress"
// or the default of its index), up. True also when it exists already. `error` says why not.
bool CreateMiniportInterface(const MiniportDevice& device, std::wstring* error);
// Gives the device's interface the MAC its driver key now asks for, as the miniport takes it when it
// starts again (enabled, or the computer restarted). True when the interface has it.
bool ApplyMiniportMac(const MiniportDevice& device, std::wstring* error);
// The device of that GUID among `devices`; null when none has it.
const MiniportDevice* FindMiniportDevice(const std::vector<MiniportDevice>& devices, const std::wstring& guid);
// Admin state up or down.
bool SetInterfaceUp(const std::wstring& name, bool up, std::wstring* error);
bool DeleteInterface(const std::wstring& name, std::wstring* error);
