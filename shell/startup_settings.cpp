#include "shell/startup_settings.h"

#include <windows.h>

#include "common/settings_file.h"
#include "common/text_file.h"
#include "common/text_helpers.h"

namespace {
constexpr const wchar_t* kInstallationFiles[] = {
    L"DrvInstPhyNic.txt",        L"DrvInstWanType.txt",      L"PhysicalMacAddr.txt",
    L"PrivateIp.txt",            L"VirtualMacAddr.txt",      L"CloneAdaptGuidName.txt",
    L"PrivateAdaptGuidName.txt", L"OtherAdaptGuidName.txt",
};
constexpr size_t kGuidNameChars = 64;
constexpr size_t kAdapterNameChars = 128;

uint16_t PortNumber(const std::wstring& field) {
  return static_cast<uint16_t>(wcstoul(field.c_str(), nullptr, 10));
}
}  // namespace

StartupPorts ReadPortNumbers(const std::wstring& folder) {
  StartupPorts ports;
  CTextFileRead file(SettingsFilePath(folder, L"PortNumDef.txt"));
  std::wstring line;
  if (!file.IsOpen() || !file.ReadLine(line) || line.empty()) return ports;
  int count = 0;
  auto fields = SplitString(line, L',', &count);
  if (count != 4) return ports;
  ports.scanPort = PortNumber(fields[0]);
  ports.kmPort = PortNumber(fields[1]);
  ports.clipboardPort = PortNumber(fields[3]);
  return ports;
}

bool CheckSettingsFiles(const std::wstring& folder) {
  for (const wchar_t* name : kInstallationFiles) {
    DWORD attributes = ::GetFileAttributesW(SettingsFilePath(folder, name).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  }
  return true;
}

WanFlags ReadWanFlags(const std::wstring& folder) {
  WanFlags flags;
  std::wstring value;
  ReadSettingValue(SettingsFilePath(folder, L"DrvInstWanType.txt"), value);
  value = TrimWhiteSpace(value);
  flags.physical = value == L"PHYSICAL";
  flags.wifi = value == L"WIFI";
  flags.directConnIp1 = value == L"DIRECT_CONN_IP_1";
  flags.directConnIp2 = value == L"DIRECT_CONN_IP_2";
  flags.routerDhcp = value == L"ROUTER_DHCP";
  return flags;
}

void ReadPrivateIp(const std::wstring& folder, uint8_t octets[4]) {
  std::wstring value;
  ReadSettingValue(SettingsFilePath(folder, L"PrivateIp.txt"), value);
  if (value.empty()) return;
  int count = 0;
  auto fields = SplitString(value, L'.', &count);
  if (count != 4) return;
  for (int i = 0; i < 4; ++i) octets[i] = static_cast<uint8_t>(wcstoul(fields[i].c_str(), nullptr, 10));
}

void ReadPhysicalAdapter(const std::wstring& folder, std::wstring* guidName, std::wstring* name) {
  CTextFileRead file(SettingsFilePath(folder, L"DrvInstPhyNic.txt"));
  if (!file.IsOpen()) return;
  std::wstring value;  // line 1, then line 2 over it: the GUID name; line 3 into the same text
  file.ReadLine(value);
  file.ReadLine(value);
  if (!value.empty()) *guidName = value.substr(0, kGuidNameChars - 1);
  file.ReadLine(value);
  if (!value.empty()) *name = value.substr(0, kAdapterNameChars - 1);
}

StartupSettings LoadStartupSettings(const std::wstring& folder) {
  StartupSettings settings;
  settings.ports = ReadPortNumbers(folder);
  settings.installationPresent = CheckSettingsFiles(folder);
  settings.wan = ReadWanFlags(folder);
  ReadPrivateIp(folder, settings.privateIp);
  ReadPhysicalAdapter(folder, &settings.adapterGuidName, &settings.adapterName);
  return settings;
}
