#include "adapters/remove_sequence.h"

#include <cfgmgr32.h>
#include <ras.h>

#include <cstdio>
#include <cwchar>

#include "adapters/binding_rules.h"
#include "adapters/command_lines.h"
#include "adapters/connection_name.h"
#include "adapters/miniport_values.h"
#include "adapters/net_class_walk.h"
#include "adapters/nic_installer.h"
#include "adapters/nic_operations.h"
#include "adapters/program_folder.h"
#include "adapters/upper_bindings.h"
#include "common/settings_file.h"
#include "shell/lang_text.h"
#include "shell/lang_text_format.h"

namespace {

const wchar_t* Text(const char* key) { return LoadLangText(9, key); }

const wchar_t* const kSettingsFiles[] = {
    L"DrvInstPhyNic.txt",     L"DrvInstWanType.txt",      L"PhysicalMacAddr.txt",    L"PrivateIp.txt",
    L"VirtualMacAddr.txt",    L"PrivateAdaptGuidName.txt", L"CloneAdaptGuidName.txt", L"OtherAdaptGuidName.txt",
    L"PppoeAdaptMacAddr.txt", L"PppoeAdaptGuidName.txt",  L"WolCompList.txt",        L"relnote.txt",
    L"upgrade.txt",           L"KmRandPswdLocal.txt",     L"KmCompList.txt",         L"EchowardSetting.txt",
    L"SwKbSetting.txt",       L"LangType.txt",
};

const wchar_t kReinstallKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Reinstall";

// The "InfPath" of the first device of the class whose id value, lower-cased, is the one wanted.
bool FindDeviceInfPath(const wchar_t* setupClass, const wchar_t* idValue, const wchar_t* wantedId, wchar_t infName[128]) {
  bool found = false;
  WalkSetupClass(setupClass, KEY_READ, [&](NetDevice& device) {
    std::wstring id, inf;
    if (!ReadRegText(device.driverKey, idValue, 512, id) || LowerAscii(id) != wantedId) return true;
    if (!ReadRegText(device.driverKey, L"InfPath", 256, inf)) return true;
    std::wcsncpy(infName, inf.c_str(), 127);
    infName[127] = 0;
    found = true;
    return false;
  });
  return found;
}

std::wstring WindowsFolder() {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = ::GetWindowsDirectoryW(folder, MAX_PATH);
  return std::wstring(folder, length < MAX_PATH ? length : 0);
}

void DeleteXpDriverFiles() {
  CleanReinstallBackups();
  const std::wstring infFolder = WindowsFolder() + L"\\inf\\";
  wchar_t name[128];
  for (auto find : {g_NicOperations.findMiniportInfPath, g_NicOperations.findProtocolInfPath}) {
    if (!find(name)) continue;
    std::wstring inf = infFolder + name;
    ::DeleteFileW(inf.c_str());
    const size_t dot = inf.rfind(L'.');
    if (dot != std::wstring::npos && dot + 1 < inf.size()) {
      inf[dot + 1] = L'p';
      ::DeleteFileW(inf.c_str());
    }
  }
  ::DeleteFileW((WindowsFolder() + L"\\system32\\drivers\\lanvex.sys").c_str());
}

}  // namespace

void RunRemove(CNicInstaller* installer, const std::wstring& physicalGuid) {
  NicOperations& ops = g_NicOperations;
  installer->SetDone(false);
  installer->ReportProgress(Text("TXT_RMV_PROG_FIREWALL"));
  RemoveProgramFirewallRule(installer);
  installer->ReportProgress(Text("TXT_RMV_SRV_FIREWALL"));
  installer->RemoveService();
  installer->RemoveDriverPackages();

  wchar_t holder[128] = {};
  if (!ops.probeWriteLock(holder)) {
    installer->ReportProgress(FormatLangText(Text("TXT_APP_SETTING_NETWORK"), holder));
    return;
  }
  installer->ReportProgress(Text("TXT_DISABLE_ALL_VIR_ADAPT"));
  ops.enableVirtualAdapters(installer, false);
  installer->ReportProgress(Text("TXT_DISABLE_PHY_ADAPT"));
  ops.enableAdapterByGuid(installer, false, physicalGuid);
  installer->ReportProgress(Text("TXT_RESTORE_PROT_BIND"));
  const std::wstring snapshot = SettingsFilePath(ProgramFolder(), L"savebindrestore.txt");
  ops.saveBindings(installer, physicalGuid, snapshot);
  ops.loadBindings(installer, physicalGuid, 1, snapshot);
  ::DeleteFileW(snapshot.c_str());
  ops.setDhcp(installer->IsXp(), physicalGuid);
  installer->ReportProgress(Text("TXT_RMV_QVX_PROT"));
  ops.unbindProtocolFromAllAdapters(installer);
  installer->ReportProgress(Text("TXT_RMV_VIR_ADAPT"));
  installer->ReportProgress(Text(ops.removeMiniports() ? "TXT_RMV_VIR_ADAPT_SUCC" : "TXT_RMV_VIR_ADAPT_FAIL"));
  std::wstring errorText;
  installer->ReportProgress(Text(ops.uninstallProtocol(installer, errorText) ? "TXT_RMV_PROT_SUCC" : "TXT_RMV_PROT_FAIL"));
  ops.deletePppoeEntry();
  ops.deleteHklmKey(kProtocolAdaptersKey);
  DeleteSettingsFiles();
  ops.deleteHklmKey(L"Software\\Corvane");
  ops.reenumerateDevices();
  ops.enableAdapterByGuid(installer, true, physicalGuid);
  installer->SetDone(true);
}

void RemoveProgramFirewallRule(CNicInstaller* installer) {
  const std::wstring command = DeleteFirewallRuleCommand(installer->IsXp(), kProgramRuleName, ProgramModulePath());
  g_NicOperations.runCommand(command.c_str());
}

void CNicInstaller::RemoveService() {
  const std::wstring folder = ProgramFolder();
  const std::wstring commands[] = {
      ServiceSwitchCommand(folder, L"/uninstall"),
      DeleteFirewallRuleCommand(xp_, kServiceRuleName, ServiceProgramPath(folder)),
  };
  for (const auto& command : commands) g_NicOperations.runCommand(command.c_str());
}

void CNicInstaller::RemoveDriverPackages() {
  if (xp_) {
    DeleteXpDriverFiles();
    return;
  }
  wchar_t name[128];
  for (auto find : {g_NicOperations.findVirtualKmInfPath, g_NicOperations.findMiniportInfPath,
                    g_NicOperations.findProtocolInfPath}) {
    if (!find(name)) continue;
    const std::wstring command = DeleteDriverPackageCommand(name);
    g_NicOperations.runCommand(command.c_str());
  }
}

bool FindVirtualKmInfPath(wchar_t infName[128]) {
  return FindDeviceInfPath(L"HIDClass", L"MatchingDeviceId", L"moravix\\qvxvirkm", infName);
}

bool FindMiniportInfPath(wchar_t infName[128]) {
  return FindDeviceInfPath(L"Net", L"ComponentId", kMiniportComponentId, infName);
}

bool FindProtocolInfPath(wchar_t infName[128]) {
  const std::wstring transportClass = FormatSetupClassGuid(L"NetTrans");
  if (transportClass.empty()) return false;
  HKEY classKey = nullptr;
  const std::wstring path = L"SYSTEM\\CurrentControlSet\\Control\\Network\\" + transportClass;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &classKey) != ERROR_SUCCESS) return false;
  DWORD longest = 0;
  ::RegQueryInfoKeyW(classKey, nullptr, nullptr, nullptr, nullptr, &longest, nullptr, nullptr, nullptr, nullptr,
                     nullptr, nullptr);
  bool found = false;
  wchar_t name[128];
  for (DWORD index = 0; !found && longest <= 127; ++index) {
    DWORD units = 128;
    if (::RegEnumKeyExW(classKey, index, name, &units, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    HKEY sub = nullptr;
    if (::RegOpenKeyExW(classKey, name, 0, KEY_READ, &sub) != ERROR_SUCCESS) continue;
    std::wstring component, inf;
    if (ReadRegText(sub, L"ComponentId", 512, component) && component == kProtocolComponentId &&
        ReadRegText(sub, L"InfPath", 256, inf)) {
      std::wcsncpy(infName, inf.c_str(), 127);
      infName[127] = 0;
      found = true;
    }
    ::RegCloseKey(sub);
  }
  ::RegCloseKey(classKey);
  return found;
}

void CleanReinstallBackups() {
  HKEY reinstall = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kReinstallKey, 0, KEY_READ, &reinstall) != ERROR_SUCCESS) return;
  std::wstring matched;
  wchar_t name[128];
  for (DWORD index = 0;; ++index) {
    DWORD units = 128;
    if (::RegEnumKeyExW(reinstall, index, name, &units, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    HKEY entry = nullptr;
    if (::RegOpenKeyExW(reinstall, name, 0, KEY_READ, &entry) != ERROR_SUCCESS) continue;
    std::wstring description;
    const bool ours = ReadRegText(entry, L"DeviceDesc", 512, description) && description == kMiniportDescription;
    ::RegCloseKey(entry);
    if (!ours) continue;
    const std::wstring backup = WindowsFolder() + L"\\system32\\ReinstallBackups\\" + name;
    const std::wstring files = backup + L"\\DriverFiles";
    for (const wchar_t* file : {L"qvx_mp.inf", L"qvx_mp.pnf", L"lanvex.sys"}) ::DeleteFileW((files + L"\\" + file).c_str());
    ::RemoveDirectoryW(files.c_str());
    ::RemoveDirectoryW(backup.c_str());
    matched = std::wstring(kReinstallKey) + L"\\" + name;
  }
  ::RegCloseKey(reinstall);
  if (!matched.empty()) DeleteHklmKey(matched.c_str());
}

void DeleteSettingsFiles() {
  const std::wstring folder = ProgramFolder();
  for (const wchar_t* name : kSettingsFiles) ::DeleteFileW(SettingsFilePath(folder, name).c_str());
}

bool DeleteHklmKey(const wchar_t* keyPath) {
  wchar_t path[520];
  std::wcsncpy(path, keyPath, 519);
  path[519] = 0;
  if (::RegDeleteKeyW(HKEY_LOCAL_MACHINE, path) == ERROR_SUCCESS) return true;
  return DeleteRegistryTree(HKEY_LOCAL_MACHINE, path);
}

bool DeleteRegistryTree(HKEY root, const wchar_t* keyPath) {
  HKEY key = nullptr;
  const LONG opened = ::RegOpenKeyExW(root, keyPath, 0, KEY_READ, &key);
  if (opened == ERROR_FILE_NOT_FOUND) {
    std::fputs("Key not found.\n", stdout);
    return true;
  }
  if (opened != ERROR_SUCCESS) {
    std::fputs("Error opening key.\n", stdout);
    return false;
  }
  std::wstring base = keyPath;
  if (base.empty() || base.back() != L'\\') base += L'\\';
  for (;;) {
    wchar_t name[261];
    DWORD units = 261;
    if (::RegEnumKeyExW(key, 0, name, &units, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    // The subkey's path is the base and this name alone, whichever sibling came before.
    const std::wstring child = base + name;
    if (::RegDeleteKeyW(root, child.c_str()) != ERROR_SUCCESS && !DeleteRegistryTree(root, child.c_str())) break;
  }
  ::RegCloseKey(key);
  return ::RegDeleteKeyW(root, keyPath) == ERROR_SUCCESS;
}
