// Devices through SetupAPI, interfaces through "Z:\sys\class\net" and `ip` (linux_shell.h).
#include "standins/driver/miniport_link.h"

#include <windows.h>
#include <setupapi.h>

#include <cstdlib>
#include <cwchar>

#include "standins/driver/linux_shell.h"
#include "standins/driver/miniport_names.h"

namespace {

const wchar_t kHardwareId[] = L"QVXMINIP";
const wchar_t kBindingLists[] = L"SYSTEM\\CurrentControlSet\\Services\\QVXPROTO\\Parameters\\Adapters";

std::string Narrow(const std::wstring& text) {
  std::string result;
  for (wchar_t c : text) result += c < 0x80 ? static_cast<char>(c) : '?';
  return result;
}

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

std::wstring ReadString(HKEY key, const wchar_t* name) {
  wchar_t value[512] = {};
  DWORD size = sizeof value - sizeof(wchar_t), type = 0;
  if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS) return {};
  if (type != REG_SZ && type != REG_EXPAND_SZ) return {};
  return value;
}

std::wstring DeviceProperty(HDEVINFO set, SP_DEVINFO_DATA* device, DWORD property) {
  wchar_t value[512] = {};
  if (!::SetupDiGetDeviceRegistryPropertyW(set, device, property, nullptr, reinterpret_cast<BYTE*>(value),
                                           sizeof value - 2 * sizeof(wchar_t), nullptr))
    return {};
  return value;
}

bool HasHardwareId(HDEVINFO set, SP_DEVINFO_DATA* device) {
  wchar_t ids[1024] = {};
  if (!::SetupDiGetDeviceRegistryPropertyW(set, device, SPDRP_HARDWAREID, nullptr, reinterpret_cast<BYTE*>(ids),
                                           sizeof ids - 2 * sizeof(wchar_t), nullptr))
    return false;
  for (const wchar_t* id = ids; *id; id += wcslen(id) + 1) {
    if (_wcsicmp(id, kHardwareId) == 0) return true;
  }
  return false;
}

bool ReadSmallFile(const std::wstring& path, std::string* text) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char buffer[64] = {};
  DWORD got = 0;
  BOOL ok = ::ReadFile(file, buffer, sizeof buffer - 1, &got, nullptr);
  ::CloseHandle(file);
  if (!ok) return false;
  text->assign(buffer, got);
  return true;
}

// True when the multi-string holds "\Device\" + guid.
bool BindingListHolds(const wchar_t* list, size_t units, const std::wstring& guid) {
  std::wstring wanted = L"\\Device\\" + guid;
  size_t start = 0;
  while (start < units && list[start]) {
    size_t end = start;
    while (end < units && list[end]) ++end;
    if (_wcsicmp(std::wstring(list + start, end - start).c_str(), wanted.c_str()) == 0) return true;
    start = end + 1;
  }
  return false;
}

bool Failed(const LinuxShellResult& result, std::wstring* error) {
  if (result.ran && result.exitCode == 0) return false;
  if (error) *error = result.ran ? Widen(result.output) : L"the Linux command did not run";
  return true;
}

}  // namespace

bool ListMiniportDevices(std::vector<MiniportDevice>* devices) {
  devices->clear();
  HDEVINFO set = ::SetupDiGetClassDevsW(nullptr, nullptr, nullptr, DIGCF_ALLCLASSES);
  if (set == INVALID_HANDLE_VALUE) return false;
  SP_DEVINFO_DATA device = {sizeof device};
  for (DWORD i = 0; ::SetupDiEnumDeviceInfo(set, i, &device); ++i) {
    if (!HasHardwareId(set, &device)) continue;
    MiniportDevice found;
    wchar_t id[256] = {};
    if (::SetupDiGetDeviceInstanceIdW(set, &device, id, 256, nullptr)) found.instanceId = id;
    found.deviceDesc = DeviceProperty(set, &device, SPDRP_DEVICEDESC);
    found.friendlyName = DeviceProperty(set, &device, SPDRP_FRIENDLYNAME);
    HKEY key = ::SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_READ);
    if (key != INVALID_HANDLE_VALUE) {
      found.guid = ReadString(key, L"NetCfgInstanceId");
      found.networkAddress = ReadString(key, L"NetworkAddress");
      ::RegCloseKey(key);
    }
    devices->push_back(found);
  }
  ::SetupDiDestroyDeviceInfoList(set);
  return true;
}

std::vector<LinuxInterface> ListLinuxInterfaces() {
  std::vector<LinuxInterface> interfaces;
  const std::wstring folder = L"Z:\\sys\\class\\net\\";
  WIN32_FIND_DATAW entry;
  HANDLE find = ::FindFirstFileW((folder + L"*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return interfaces;
  do {
    std::wstring name = entry.cFileName;
    if (!IsPlainInterfaceName(name) || name == L"lo") continue;
    std::string text;
    if (!ReadSmallFile(folder + name + L"\\ifindex", &text)) continue;
    long index = std::strtol(text.c_str(), nullptr, 10);
    if (index <= 0) continue;
    interfaces.push_back({name, static_cast<uint32_t>(index)});
  } while (::FindNextFileW(find, &entry));
  ::FindClose(find);
  return interfaces;
}

std::wstring InterfaceNameOfIndex(const std::vector<LinuxInterface>& interfaces, uint32_t index) {
  for (const auto& i : interfaces) {
    if (i.index == index) return i.name;
  }
  return {};
}

std::wstring PhysicalInterfaceOf(const std::wstring& virtualGuid, const std::vector<LinuxInterface>& interfaces) {
  HKEY lists;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kBindingLists, 0, KEY_READ, &lists) == ERROR_SUCCESS) {
    wchar_t physicalGuid[128];
    for (DWORD i = 0;; ++i) {
      DWORD length = 128;
      if (::RegEnumKeyExW(lists, i, physicalGuid, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      wchar_t list[1024] = {};
      DWORD size = sizeof list - 2 * sizeof(wchar_t);
      if (::RegGetValueW(lists, physicalGuid, L"UpperBindings", RRF_RT_REG_MULTI_SZ, nullptr, list, &size) !=
          ERROR_SUCCESS)
        continue;
      uint32_t index = 0;
      if (BindingListHolds(list, size / sizeof(wchar_t), virtualGuid) && IndexOfAdapterGuid(physicalGuid, &index)) {
        ::RegCloseKey(lists);
        return InterfaceNameOfIndex(interfaces, index);
      }
    }
    ::RegCloseKey(lists);
  }
  std::wstring only;
  for (const auto& i : interfaces) {
    uint32_t index = 0;
    if (IndexOfMiniportInterfaceName(i.name, &index)) continue;
    if (!only.empty()) return {};
    only = i.name;
  }
  return only;
}

bool CreateMiniportInterface(const MiniportDevice& device, std::wstring* error) {
  uint32_t index = 0;
  if (!IndexOfAdapterGuid(device.guid, &index)) {
    if (error) *error = L"the device has no network GUID of a Linux interface";
    return false;
  }
  auto interfaces = ListLinuxInterfaces();
  std::wstring name = MiniportInterfaceName(index);
  std::wstring present = InterfaceNameOfIndex(interfaces, index);
  if (present == name) return true;
  if (!present.empty()) {
    if (error) *error = L"interface index " + std::to_wstring(index) + L" is taken by " + present;
    return false;
  }
  std::wstring parent = PhysicalInterfaceOf(device.guid, interfaces);
  if (parent.empty()) {
    if (error) *error = L"no physical interface to carry " + name;
    return false;
  }
  std::string mac;
  if (!MacOfNetworkAddress(device.networkAddress, &mac)) mac = DefaultMacOfIndex(index);
  // A macvlan beside an address of its parent's subnet answers ARP for itself only with these.
  std::string script =
      "sysctl -qw net.ipv4.conf.all.arp_ignore=1 net.ipv4.conf.all.arp_announce=2 >/dev/null 2>&1\n"
      "ip link add link " + ShellQuoted(Narrow(parent)) + " name " + ShellQuoted(Narrow(name)) + " index " +
      std::to_string(index) + " address " + mac + " type macvlan mode bridge && ip link set " +
      ShellQuoted(Narrow(name)) + " up";
  LinuxShellResult result = RunLinuxShell(script);
  if (!Failed(result, error)) return true;
  // Made meanwhile by another process (the service and netsh may both see the device first).
  return InterfaceNameOfIndex(ListLinuxInterfaces(), index) == name;
}

const MiniportDevice* FindMiniportDevice(const std::vector<MiniportDevice>& devices, const std::wstring& guid) {
  for (const auto& device : devices) {
    if (_wcsicmp(device.guid.c_str(), guid.c_str()) == 0) return &device;
  }
  return nullptr;
}

bool ApplyMiniportMac(const MiniportDevice& device, std::wstring* error) {
  uint32_t index = 0;
  if (!IndexOfAdapterGuid(device.guid, &index)) {
    if (error) *error = L"the device has no network GUID of a Linux interface";
    return false;
  }
  std::wstring name = MiniportInterfaceName(index);
  std::string wanted, present;
  if (!MacOfNetworkAddress(device.networkAddress, &wanted)) wanted = DefaultMacOfIndex(index);
  if (!ReadSmallFile(L"Z:\\sys\\class\\net\\" + name + L"\\address", &present)) {
    if (error) *error = name + L" does not exist";
    return false;
  }
  if (present.compare(0, wanted.size(), wanted) == 0) return true;
  return !Failed(RunLinuxShell("ip link set dev " + ShellQuoted(Narrow(name)) + " address " + wanted), error);
}

bool SetInterfaceUp(const std::wstring& name, bool up, std::wstring* error) {
  if (!IsPlainInterfaceName(name)) {
    if (error) *error = L"not an interface name";
    return false;
  }
  return !Failed(RunLinuxShell("ip link set " + ShellQuoted(Narrow(name)) + (up ? " up" : " down")), error);
}

bool DeleteInterface(const std::wstring& name, std::wstring* error) {
  if (!IsPlainInterfaceName(name)) {
    if (error) *error = L"not an interface name";
    return false;
  }
  return !Failed(RunLinuxShell("ip link delete " + ShellQuoted(Narrow(name))), error);
}
