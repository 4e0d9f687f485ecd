#include "tests/adapters/fake_nic_operations.h"

#include <cwchar>

#include "adapters/nic_installer.h"

FakeNicState FakeNicOperations::state;
std::vector<std::wstring> FakeNicOperations::calls;
std::vector<std::wstring> FakeNicOperations::commands;
std::vector<std::wstring> FakeNicOperations::progress;

namespace {

using F = FakeNicOperations;

void Log(const std::wstring& call) { F::calls.push_back(call); }
std::wstring OnOff(bool on) { return on ? L" on" : L" off"; }

LRESULT CALLBACK ProgressProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == UM_PROGRESS_TEXT) {
    F::progress.emplace_back(reinterpret_cast<const wchar_t*>(lParam));
    F::calls.push_back(L"progress " + F::progress.back());
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

bool FindInf(int which, wchar_t name[128]) {
  if (which >= static_cast<int>(F::state.infNames.size()) || F::state.infNames[which].empty()) return false;
  std::wcsncpy(name, F::state.infNames[which].c_str(), 127);
  name[127] = 0;
  return true;
}

NicOperations Recorder() {
  NicOperations ops{};
  ops.probeWriteLock = [](wchar_t holder[128]) {
    Log(L"probe");
    if (!F::state.lockFree) std::wcsncpy(holder, F::state.lockHolder.c_str(), 127);
    return F::state.lockFree;
  };
  ops.enableVirtualAdapters = [](CNicInstaller*, bool on) { Log(L"virtual adapters" + OnOff(on)); };
  ops.getVirtualAdapterGuids = [](CNicInstaller*, int count, wchar_t (*guids)[64]) {
    const int have = F::state.existingAdapters < count ? F::state.existingAdapters : count;
    for (int i = 0; i < have; ++i) std::wcsncpy(guids[i], FakeGuid(i).c_str(), 63);
    return F::state.existingAdapters >= count;
  };
  ops.installMiniport = [](CNicInstaller*, const std::wstring&) {
    Log(L"install miniport");
    if (F::state.miniportInstalls) ++F::state.existingAdapters;
    return F::state.miniportInstalls;
  };
  ops.enableAdapterByGuid = [](CNicInstaller*, bool on, const std::wstring& guid) { Log(L"adapter " + guid + OnOff(on)); };
  ops.setNetDeviceEnabled = [](const std::wstring& guid, bool on) {
    Log(L"device " + guid + OnOff(on));
    return true;
  };
  ops.uninstallProtocol = [](CNicInstaller*, std::wstring&) {
    Log(L"uninstall protocol");
    return true;
  };
  ops.installProtocol = [](CNicInstaller*, const std::wstring&, std::wstring& error) {
    Log(L"install protocol");
    if (!F::state.protocolInstalls) error = L"Couldn't install the network component.";
    return F::state.protocolInstalls;
  };
  ops.unbindProtocolFromAllAdapters = [](CNicInstaller*) { Log(L"unbind all"); };
  ops.saveBindings = [](CNicInstaller*, const std::wstring& guid, const std::wstring& path) {
    Log(L"save bindings " + guid + L" " + path.substr(path.rfind(L'\\') + 1));
  };
  ops.loadBindings = [](CNicInstaller*, const std::wstring& guid, int mode, const std::wstring& path) {
    Log(L"load bindings " + guid + L" mode " + std::to_wstring(mode) + L" " + path.substr(path.rfind(L'\\') + 1));
  };
  ops.writeBindingList = [](const std::wstring& physical, int count, const wchar_t (*)[64]) {
    Log(L"binding list " + physical + L" " + std::to_wstring(count));
    return F::state.bindingListWritten;
  };
  ops.setVirtualAdapterAddress = [](CNicInstaller*, const std::wstring& guid, const uint8_t*, int nic, int linkType) {
    Log(L"address " + guid + L" nic " + std::to_wstring(nic) + L" type " + std::to_wstring(linkType));
    return F::state.adapterFound;
  };
  ops.unbindProtocolFromVirtualAdapter = [](CNicInstaller*, const std::wstring& guid) { Log(L"unbind " + guid); };
  ops.bindPppoeOnly = [](CNicInstaller*, const std::wstring& guid) { Log(L"pppoe only " + guid); };
  ops.setStaticIp = [](bool, const std::wstring& guid, const std::wstring& address, const std::wstring& mask) {
    Log(L"static " + guid + L" " + address + L" " + mask);
    return true;
  };
  ops.setStaticIpAndDns = [](bool, const std::wstring& guid, const std::wstring& address, const std::wstring& mask,
                             const std::wstring& gateway, const std::wstring& dns) {
    Log(L"static dns " + guid + L" " + address + L" " + mask + L" " + gateway + L" " + dns);
    return true;
  };
  ops.setDhcp = [](bool, const std::wstring& guid) {
    Log(L"dhcp " + guid);
    return true;
  };
  ops.createPppoeEntry = [] {
    Log(L"pppoe entry");
    return true;
  };
  ops.deletePppoeEntry = [] { Log(L"delete pppoe entry"); };
  ops.runCommand = [](const wchar_t* line) -> DWORD {
    F::commands.emplace_back(line);
    Log(std::wstring(L"run ") + line);
    return 0;
  };
  ops.writeProductVersionValue = [] {
    Log(L"version value");
    return true;
  };
  ops.removeMiniports = [] {
    Log(L"remove miniports");
    return true;
  };
  ops.findVirtualKmInfPath = [](wchar_t name[128]) { return FindInf(0, name); };
  ops.findMiniportInfPath = [](wchar_t name[128]) { return FindInf(1, name); };
  ops.findProtocolInfPath = [](wchar_t name[128]) { return FindInf(2, name); };
  ops.deleteHklmKey = [](const wchar_t* path) {
    Log(std::wstring(L"delete key ") + path);
    return true;
  };
  ops.reenumerateDevices = [] { Log(L"reenumerate"); };
  return ops;
}

}  // namespace

std::wstring FakeGuid(int nic) { return L"{0000010" + std::to_wstring(nic) + L"-0000-0000-0000-4E6574446576}"; }

FakeNicOperations::FakeNicOperations() : saved_(g_NicOperations) {
  state = FakeNicState{};
  calls.clear();
  commands.clear();
  progress.clear();
  g_NicOperations = Recorder();
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = ProgressProc;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"CorvaneTestProgress";
  ::RegisterClassW(&windowClass);
  window_ = ::CreateWindowW(L"CorvaneTestProgress", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance,
                            nullptr);
}

FakeNicOperations::~FakeNicOperations() {
  g_NicOperations = saved_;
  if (window_) ::DestroyWindow(window_);
}

std::vector<std::wstring> FakeNicOperations::CallsStartingWith(const std::wstring& prefix) {
  std::vector<std::wstring> found;
  for (const auto& call : calls) {
    if (call.compare(0, prefix.size(), prefix) == 0) found.push_back(call);
  }
  return found;
}
