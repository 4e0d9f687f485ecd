#include "adapters/net_devices.h"

#include <windows.h>
#include <cfgmgr32.h>

#include "adapters/adapter_records.h"
#include "adapters/connection_name.h"
#include "adapters/net_class_walk.h"
#include "adapters/nic_installer.h"
#include "platform/linux_physical_adapters.h"

namespace {

constexpr DWORD kNcfPhysical = 0x4;
constexpr DWORD kMedium8023 = 14;
constexpr DWORD kMediumUnspecified = 0;
constexpr DWORD kMediumNative80211 = 9;

bool IsDisabledDevice(const NetDevice& device) {
  ULONG status = 0, problem = 0;
  if (::CM_Get_DevNode_Status(&status, &problem, device.data->DevInst, 0) != CR_SUCCESS) return true;
  return (status & DN_DISABLEABLE) && !(status & DN_STARTED);
}

bool WantedMedium(bool wireless, DWORD medium) {
  return wireless ? medium == kMediumNative80211 : (medium == kMedium8023 || medium == kMediumUnspecified);
}

// Where the device tree holds no physical adapter at all (Wine's), the interfaces that stand for them.
int FillInPhysicalAdapters(AdapterRecord* records, bool xp, bool wireless) {
  int filled = 0;
  for (const auto& adapter : ListLinuxPhysicalAdapters()) {
    if (filled == kMaxPhysicalAdapters) break;
    if (!WantedMedium(wireless, xp ? kMedium8023 : adapter.wireless ? kMediumNative80211 : kMedium8023)) continue;
    AdapterRecord& record = records[filled++];
    CopyField(record.description, adapter.name);
    CopyField(record.guid, adapter.guid);
    CopyField(record.instanceId, xp ? std::wstring() : adapter.instanceId);
  }
  return filled;
}

}  // namespace

int EnumPhysicalAdapters(AdapterRecord* records, bool xp, bool vista, bool wireless) {
  int filled = 0;
  bool anyPhysical = false;
  WalkNetClass(KEY_READ, [&](NetDevice& device) {
    DWORD flags = 0;
    if (ReadRegDword(device.driverKey, L"Characteristics", flags) && (flags & kNcfPhysical)) anyPhysical = true;
    if (IsDisabledDevice(device)) return true;
    std::wstring component, description, guid, instanceId;
    DWORD characteristics = 0, medium = kMedium8023;
    if (!ReadRegText(device.driverKey, L"ComponentId", 512, component)) return true;
    if (!ReadRegDword(device.driverKey, L"Characteristics", characteristics) || !(characteristics & kNcfPhysical))
      return true;
    if (!xp && !ReadRegDword(device.driverKey, L"*PhysicalMediaType", medium)) return true;
    if (!ReadRegText(device.driverKey, L"DriverDesc", 1024, description)) return true;
    if (!ReadRegText(device.driverKey, L"NetCfgInstanceId", 128, guid)) return true;
    if (!xp) {
      if (vista) {
        wchar_t id[128] = {};
        if (!GetPnpInstanceId(id, guid.c_str())) return true;
        instanceId = id;
      } else if (!ReadRegText(device.driverKey, L"DeviceInstanceID", 256, instanceId)) {
        return true;
      }
    }
    if (filled == kMaxPhysicalAdapters) return false;
    if (!WantedMedium(wireless, medium)) return true;
    AdapterRecord& record = records[filled++];
    CopyField(record.description, description);
    CopyField(record.guid, guid);
    CopyField(record.instanceId, instanceId);
    return true;
  });
  if (!anyPhysical) return FillInPhysicalAdapters(records, xp, wireless);
  if (xp) return filled;
  for (int i = 0; i < filled; ++i) {
    HKEY key = nullptr;
    const std::wstring path = std::wstring(L"SYSTEM\\CurrentControlSet\\Enum\\") + records[i].instanceId;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) continue;
    std::wstring friendly;
    if (ReadRegText(key, L"FriendlyName", 1024, friendly)) CopyField(records[i].description, friendly);
    ::RegCloseKey(key);
  }
  return filled;
}

int EnumVirtualAdapters(VirtualAdapterRecord* records) {
  int filled = 0;
  WalkNetClass(KEY_READ, [&](NetDevice& device) {
    if (!IsVirtualMiniportKey(device.driverKey)) return true;
    std::wstring description;
    ReadRegText(device.driverKey, L"DriverDesc", 512, description);
    CopyField(records[filled].description, description);
    CopyField(records[filled].guid, NetCfgInstanceId(device.driverKey));
    return ++filled < kMaxVirtualAdapters;
  });
  return filled;
}

bool GetVirtualAdapterGuids(CNicInstaller*, int count, wchar_t (*guids)[kGuidUnits]) {
  int collected = 0;
  if (count <= 0) return true;
  WalkNetClass(KEY_READ, [&](NetDevice& device) {
    if (IsVirtualMiniportKey(device.driverKey)) CopyField(guids[collected++], kGuidUnits, NetCfgInstanceId(device.driverKey));
    return collected < count;
  });
  return collected == count;
}

bool GetPnpInstanceId(wchar_t instanceId[128], const wchar_t* adapterGuid) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, ConnectionKeyPath(adapterGuid).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  std::wstring id;
  const bool read = ReadRegText(key, L"PnpInstanceID", 520, id);
  ::RegCloseKey(key);
  if (read) CopyField(instanceId, 128, id);
  return read;
}
