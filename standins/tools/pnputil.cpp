// pnputil.exe for Wine prefixes, which have none. Driver packages are the INF files in the Windows
// INF folder that name a provider (Wine's own name none): -a copies one there as oemN.inf
// (SetupCopyOEMInfW) and with -i installs it on the devices of its hardware ids; -d deletes a
// package and its .pnf, refused while a device or network component uses it unless -f; -e lists
// them. Prints and exits as Windows 7's tool does for these forms.
#include <windows.h>
#include <setupapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "standins/tools/pnputil_command.h"

namespace {

using UpdateDriver = BOOL(WINAPI*)(HWND, LPCWSTR, LPCWSTR, DWORD, PBOOL);
const wchar_t kNetworkComponents[] = L"SYSTEM\\CurrentControlSet\\Control\\Network";

void Banner() { std::wprintf(L"Microsoft PnP Utility\n\n"); }

int Usage() {
  Banner();
  std::wprintf(
      L"Usage:\n------\npnputil.exe [-f | -i] [ -? | -a | -d | -e ] <INF name>\n"
      L"Examples:\npnputil.exe -a a:\\usbcam\\USBCAM.INF      -> Add package specified by USBCAM.INF\n"
      L"pnputil.exe -i -a a:\\usbcam\\USBCAM.INF   -> Add and install driver package\n"
      L"pnputil.exe -e                           -> Enumerate all 3rd party packages\n"
      L"pnputil.exe -d oem0.inf                  -> Delete package oem0.inf\n"
      L"pnputil.exe -f -d oem0.inf               -> Force delete package oem0.inf\n");
  return ERROR_INVALID_PARAMETER;
}

std::wstring InfFolder() {
  wchar_t windows[MAX_PATH];
  ::GetWindowsDirectoryW(windows, MAX_PATH);
  return std::wstring(windows) + L"\\inf\\";
}

std::wstring VersionField(HINF inf, const wchar_t* key) {
  INFCONTEXT line;
  wchar_t value[256] = {};
  if (!::SetupFindFirstLineW(inf, L"Version", key, &line) || !::SetupGetStringFieldW(&line, 1, value, 256, nullptr))
    return {};
  return value;
}

struct Package {
  std::wstring name, provider, className, version;
};

bool ReadPackage(const std::wstring& name, Package* package) {
  HINF inf = ::SetupOpenInfFileW((InfFolder() + name).c_str(), nullptr, INF_STYLE_WIN4, nullptr);
  if (inf == INVALID_HANDLE_VALUE) return false;
  package->name = name;
  package->provider = VersionField(inf, L"Provider");
  package->className = VersionField(inf, L"Class");
  package->version = VersionField(inf, L"DriverVer");
  ::SetupCloseInfFile(inf);
  return !package->provider.empty();
}

std::vector<Package> Packages() {
  std::vector<Package> packages;
  WIN32_FIND_DATAW entry;
  HANDLE find = ::FindFirstFileW((InfFolder() + L"*.inf").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return packages;
  do {
    Package package;
    if (ReadPackage(entry.cFileName, &package)) packages.push_back(package);
  } while (::FindNextFileW(find, &entry));
  ::FindClose(find);
  return packages;
}

// The description Windows gives a setup class ("Network adapters"), else its name.
std::wstring ClassDescription(const std::wstring& className) {
  GUID guid;
  DWORD count = 0;
  wchar_t text[256] = {};
  if (::SetupDiClassGuidsFromNameW(className.c_str(), &guid, 1, &count) && count &&
      ::SetupDiGetClassDescriptionW(&guid, text, 256, nullptr))
    return text;
  return className;
}

int Enumerate() {
  Banner();
  for (const auto& p : Packages()) {
    std::wstring version = p.version;
    size_t comma = version.find(L',');
    if (comma != std::wstring::npos) version = version.substr(0, comma) + L" " + version.substr(comma + 1);
    std::wprintf(L"Published name :            %ls\nDriver package provider :   %ls\nClass :                     %ls\n"
                 L"Driver version and date :   %ls\nSigner name :               \n\n",
                 p.name.c_str(), p.provider.c_str(), ClassDescription(p.className).c_str(), version.c_str());
  }
  return 0;
}

// Installs the package on the devices of the hardware ids its models list; true when some took it.
bool InstallOnDevices(const std::wstring& path) {
  HINF inf = ::SetupOpenInfFileW(path.c_str(), nullptr, INF_STYLE_WIN4, nullptr);
  if (inf == INVALID_HANDLE_VALUE) return false;
  HMODULE newdev = ::LoadLibraryW(L"newdev.dll");
  auto update = newdev ? reinterpret_cast<UpdateDriver>(reinterpret_cast<void*>(
                             ::GetProcAddress(newdev, "UpdateDriverForPlugAndPlayDevicesW")))
                       : nullptr;
  bool installed = false;
  INFCONTEXT maker;
  for (BOOL more = update && ::SetupFindFirstLineW(inf, L"Manufacturer", nullptr, &maker); more;
       more = ::SetupFindNextLine(&maker, &maker)) {
    wchar_t models[128] = {}, decoration[64] = {};
    if (!::SetupGetStringFieldW(&maker, 1, models, 128, nullptr)) continue;
    std::wstring section = models;
    if (::SetupGetStringFieldW(&maker, 2, decoration, 64, nullptr) && decoration[0] &&
        ::SetupGetLineCountW(inf, (section + L"." + decoration).c_str()) > 0)
      section += std::wstring(L".") + decoration;
    INFCONTEXT model;
    for (BOOL line = ::SetupFindFirstLineW(inf, section.c_str(), nullptr, &model); line;
         line = ::SetupFindNextLine(&model, &model)) {
      wchar_t id[256] = {};
      BOOL reboot = FALSE;
      if (::SetupGetStringFieldW(&model, 2, id, 256, nullptr) && update(nullptr, id, path.c_str(), 0, &reboot))
        installed = true;
    }
  }
  if (newdev) ::FreeLibrary(newdev);
  ::SetupCloseInfFile(inf);
  return installed;
}

int Add(const PnputilCommand& command) {
  Banner();
  wchar_t path[MAX_PATH];
  if (!::GetFullPathNameW(command.operand.c_str(), MAX_PATH, path, nullptr)) return Usage();
  const wchar_t* file = wcsrchr(path, L'\\');
  std::wprintf(L"Processing inf :            %ls\n", file ? file + 1 : path);
  wchar_t published[MAX_PATH] = {};
  wchar_t* publishedName = nullptr;
  if (!::SetupCopyOEMInfW(path, nullptr, SPOST_PATH, 0, published, MAX_PATH, nullptr, &publishedName)) {
    DWORD error = ::GetLastError();
    std::wprintf(L"Adding the driver package failed : Invalid INF passed as parameter.\n\n\nTotal attempted:              1\n"
                 L"Number successfully imported: 0\n\n");
    return static_cast<int>(error ? error : ERROR_INVALID_PARAMETER);
  }
  if (command.install && InstallOnDevices(published))
    std::wprintf(L"Successfully installed the driver on a device on the system.\n");
  std::wprintf(L"Driver package added successfully.\nPublished name :            %ls\n\n\n"
               L"Total attempted:              1\nNumber successfully imported: 1\n\n",
               publishedName ? publishedName : published);
  return 0;
}

// True when a device's driver key or a network component names this INF.
bool InUse(const std::wstring& name) {
  bool used = false;
  HDEVINFO set = ::SetupDiGetClassDevsW(nullptr, nullptr, nullptr, DIGCF_ALLCLASSES);
  if (set != INVALID_HANDLE_VALUE) {
    SP_DEVINFO_DATA device = {sizeof device};
    for (DWORD i = 0; !used && ::SetupDiEnumDeviceInfo(set, i, &device); ++i) {
      HKEY key = ::SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_READ);
      if (key == INVALID_HANDLE_VALUE) continue;
      wchar_t inf[260] = {};
      DWORD size = sizeof inf - sizeof(wchar_t);
      used = ::RegGetValueW(key, nullptr, L"InfPath", RRF_RT_REG_SZ, nullptr, inf, &size) == ERROR_SUCCESS &&
             _wcsicmp(inf, name.c_str()) == 0;
      ::RegCloseKey(key);
    }
    ::SetupDiDestroyDeviceInfoList(set);
  }
  // Protocols, clients and services: Control\Network\{class}\{component}\InfPath.
  HKEY classes;
  if (!used && ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kNetworkComponents, 0, KEY_READ, &classes) == ERROR_SUCCESS) {
    wchar_t className[128];
    for (DWORD c = 0; !used; ++c) {
      DWORD length = 128;
      if (::RegEnumKeyExW(classes, c, className, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      HKEY components;
      if (::RegOpenKeyExW(classes, className, 0, KEY_READ, &components) != ERROR_SUCCESS) continue;
      wchar_t component[128];
      for (DWORD i = 0; !used; ++i) {
        DWORD componentLength = 128;
        if (::RegEnumKeyExW(components, i, component, &componentLength, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
          break;
        wchar_t inf[260] = {};
        DWORD size = sizeof inf - sizeof(wchar_t);
        used = ::RegGetValueW(components, component, L"InfPath", RRF_RT_REG_SZ, nullptr, inf, &size) == ERROR_SUCCESS &&
               _wcsicmp(inf, name.c_str()) == 0;
      }
      ::RegCloseKey(components);
    }
    ::RegCloseKey(classes);
  }
  return used;
}

int Delete(const PnputilCommand& command) {
  Banner();
  Package package;
  if (!ReadPackage(command.operand, &package)) {
    std::wprintf(L"Deleting the driver package failed : Invalid INF passed as parameter.\n\n");
    return ERROR_INVALID_PARAMETER;
  }
  if (!command.force && InUse(command.operand)) {
    std::wprintf(L"Deleting the driver package failed : One or more devices are presently installed using the "
                 L"specified INF.\n\n");
    return ERROR_INF_IN_USE_BY_DEVICES;
  }
  std::wstring inf = InfFolder() + command.operand;
  std::wstring pnf = inf.substr(0, inf.size() - 3) + L"pnf";
  if (!::DeleteFileW(inf.c_str())) {
    DWORD error = ::GetLastError();
    std::wprintf(L"Deleting the driver package failed : Access is denied.\n\n");
    return static_cast<int>(error);
  }
  ::DeleteFileW(pnf.c_str());
  std::wprintf(L"Driver package deleted successfully.\n\n");
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  PnputilCommand command = ParsePnputilCommand(std::vector<std::wstring>(argv + 1, argv + argc));
  switch (command.action) {
    case PnputilAction::Add: return Add(command);
    case PnputilAction::Delete: return Delete(command);
    case PnputilAction::Enumerate: return Enumerate();
    default: return Usage();
  }
}
