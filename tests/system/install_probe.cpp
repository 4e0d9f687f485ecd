// Runs the installation or removal sequence in a computer of its own, as the wizard's and the
// removal dialog's worker threads do, and prints each progress text with its time, the done flag,
// and the adapter table. It changes to its own folder first: that is the program folder.
//   install_probe install LINK-TYPE N S H PHYSICAL-GUID PHYSICAL-DESCRIPTION PHYSICAL-MAC VIRTUAL-MAC [wireless]
//   install_probe remove PHYSICAL-GUID
//   install_probe adapters          (GUID|description|MAC|address per line, virtual miniports only)
//   install_probe physical [wireless]  (GUID|description|instance id per physical adapter offered)
//   install_probe devices           (GUID|NetworkAddress|IsPPPoE|Characteristics per miniport, NIC order)
//   install_probe hold-lock SECONDS CLIENT STOP-FILE
//                                   (holds the configuration's write lock, "locked" once held, until
//                                    STOP-FILE appears or SECONDS pass)
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "adapters/adapter_enum.h"
#include "common/adapter_table.h"
#include "adapters/install_sequence.h"
#include "adapters/net_cfg_session.h"
#include "adapters/net_class_walk.h"
#include "adapters/net_devices.h"
#include "adapters/nic_installer.h"
#include "adapters/remove_sequence.h"

namespace {

ULONGLONG g_start = 0;

LRESULT CALLBACK ProgressProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == UM_PROGRESS_TEXT) {
    std::wprintf(L"progress %llu %ls\n", ::GetTickCount64() - g_start, reinterpret_cast<const wchar_t*>(lParam));
    std::fflush(stdout);
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

HWND ProgressWindow() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = ProgressProc;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"InstallProbeProgress";
  ::RegisterClassW(&windowClass);
  return ::CreateWindowW(L"InstallProbeProgress", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance,
                         nullptr);
}

void MacFromHex(uint8_t mac[6], const wchar_t* text) {
  for (int i = 0; i < 6; ++i) {
    wchar_t pair[3] = {text[2 * i], text[2 * i + 1], 0};
    mac[i] = static_cast<uint8_t>(std::wcstoul(pair, nullptr, 16));
  }
}

void EnterProgramFolder() {
  wchar_t path[MAX_PATH];
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  *std::wcsrchr(path, L'\\') = 0;
  ::SetCurrentDirectoryW(path);
}

int ListAdapters() {
  // The MACs come from the adapter table, which the program fills at its start.
  ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  g_AdapterTable.EnumerateWmi();
  IpAdapterRecord records[kMaxAdapterRecords];
  uint32_t count = 0;
  const uint8_t none[6] = {};
  if (!EnumAdapters(records, &count, kMiniportsOnly, none, false)) return 1;
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* m = records[i].mac;
    std::wprintf(L"%ls|%ls|%02X-%02X-%02X-%02X-%02X-%02X|%ls\n", records[i].adapterName, records[i].description, m[0],
                 m[1], m[2], m[3], m[4], m[5], records[i].ipv4);
  }
  return 0;
}

int ListPhysicalAdapters(bool wireless) {
  static AdapterRecord records[kMaxPhysicalAdapters];
  const int count = EnumPhysicalAdapters(records, false, false, wireless);
  for (int i = 0; i < count; ++i)
    std::wprintf(L"%ls|%ls|%ls\n", records[i].guid, records[i].description, records[i].instanceId);
  return 0;
}

int ListMiniportValues() {
  WalkNetClass(KEY_READ, [](NetDevice& device) {
    if (!IsVirtualMiniportKey(device.driverKey)) return true;
    std::wstring address, pppoe;
    DWORD characteristics = 0;
    ReadRegText(device.driverKey, L"NetworkAddress", 64, address);
    ReadRegText(device.driverKey, L"IsPPPoE", 64, pppoe);
    ReadRegDword(device.driverKey, L"Characteristics", characteristics);
    std::wprintf(L"%ls|%ls|%ls|0x%lX\n", NetCfgInstanceId(device.driverKey).c_str(), address.c_str(), pppoe.c_str(),
                 static_cast<unsigned long>(characteristics));
    return true;
  });
  return 0;
}

int HoldWriteLock(int seconds, const wchar_t* client, const wchar_t* stopFile) {
  NetCfgSession session;
  std::wstring holder;
  const HRESULT hr = session.OpenLocked(&holder, client);
  if (FAILED(hr)) {
    std::wprintf(L"not locked 0x%08lX %ls\n", static_cast<unsigned long>(hr), holder.c_str());
    return 1;
  }
  std::wprintf(L"locked\n");
  std::fflush(stdout);
  const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
  while (::GetTickCount64() < end && ::GetFileAttributesW(stopFile) == INVALID_FILE_ATTRIBUTES) ::Sleep(100);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  EnterProgramFolder();
  g_start = ::GetTickCount64();
  const std::wstring action = argc > 1 ? argv[1] : L"";
  if (action == L"adapters") return ListAdapters();
  if (action == L"devices") return ListMiniportValues();
  if (action == L"physical") return ListPhysicalAdapters(argc > 2 && std::wstring(argv[2]) == L"wireless");
  if (action == L"hold-lock" && argc >= 5) return HoldWriteLock(_wtoi(argv[2]), argv[3], argv[4]);
  CNicInstaller installer;
  installer.SetProgressWindow(ProgressWindow());
  if (action == L"install" && argc >= 10) {
    uint8_t physicalMac[6], virtualMac[6];
    MacFromHex(physicalMac, argv[8]);
    MacFromHex(virtualMac, argv[9]);
    const bool wireless = argc > 10 && std::wstring(argv[10]) == L"wireless";
    RunInstall(&installer, wireless, _wtoi(argv[4]), _wtoi(argv[5]), argv[6], argv[7], physicalMac, virtualMac,
               _wtoi(argv[2]), _wtoi(argv[3]));
  } else if (action == L"remove" && argc >= 3) {
    RunRemove(&installer, argv[2]);
  } else {
    std::fputs("usage: install_probe install|remove|adapters ...\n", stderr);
    return 2;
  }
  std::wprintf(L"done %d %llu\n", installer.IsDone() ? 1 : 0, ::GetTickCount64() - g_start);
  return installer.IsDone() ? 0 : 1;
}
