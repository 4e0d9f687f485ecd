#include "adapters/nic_operations.h"

#include <cfgmgr32.h>
#include <ras.h>

#include "adapters/adapter_enable.h"
#include "adapters/command_runner.h"
#include "adapters/install_sequence.h"
#include "adapters/miniport_devices.h"
#include "adapters/net_cfg_session.h"
#include "adapters/net_devices.h"
#include "adapters/netsh_address.h"
#include "adapters/nic_installer.h"
#include "adapters/protocol_bindings.h"
#include "adapters/remove_sequence.h"
#include "adapters/upper_bindings.h"

namespace {

bool WriteBindingList(const std::wstring& physicalGuid, int count, const wchar_t (*virtualGuids)[64]) {
  HKEY service = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kProtocolServiceKey, 0, KEY_ALL_ACCESS, &service) != ERROR_SUCCESS)
    return false;
  return WriteUpperBindings(physicalGuid, count, virtualGuids, service);
}

void DeletePppoeEntry() { ::RasDeleteEntryW(nullptr, L"Corvane PPPoE"); }

void ReenumerateDevices() {
  DEVINST root = 0;
  if (::CM_Locate_DevNode_ExW(&root, nullptr, CM_LOCATE_DEVNODE_NORMAL, nullptr) == CR_SUCCESS)
    ::CM_Reenumerate_DevNode_Ex(root, 0, nullptr);
}

}  // namespace

NicOperations RealNicOperations() {
  NicOperations ops{};
  ops.probeWriteLock = ProbeNetCfgWriteLock;
  ops.enableVirtualAdapters = [](CNicInstaller* installer, bool on) { installer->EnableVirtualAdapters(on); };
  ops.getVirtualAdapterGuids = GetVirtualAdapterGuids;
  ops.installMiniport = [](CNicInstaller* installer, const std::wstring& description) {
    return installer->InstallMiniport(description);
  };
  ops.enableAdapterByGuid = EnableAdapterByGuid;
  ops.setNetDeviceEnabled = SetNetDeviceEnabled;
  ops.uninstallProtocol = UninstallProtocol;
  ops.installProtocol = [](CNicInstaller* installer, const std::wstring& description, std::wstring& errorText) {
    return installer->InstallProtocol(description, errorText);
  };
  ops.unbindProtocolFromAllAdapters = [](CNicInstaller* installer) { installer->UnbindProtocolFromAllAdapters(); };
  ops.saveBindings = SaveBindings;
  ops.loadBindings = [](CNicInstaller* installer, const std::wstring& guid, int mode, const std::wstring& path) {
    installer->LoadBindings(guid, mode, path);
  };
  ops.writeBindingList = WriteBindingList;
  ops.setVirtualAdapterAddress = SetVirtualAdapterAddress;
  ops.unbindProtocolFromVirtualAdapter = [](CNicInstaller* installer, const std::wstring& guid) {
    installer->UnbindProtocolFromVirtualAdapter(guid);
  };
  ops.bindPppoeOnly = [](CNicInstaller* installer, const std::wstring& guid) { installer->BindPppoeOnly(guid); };
  ops.setStaticIp = SetStaticIp;
  ops.setStaticIpAndDns = SetStaticIpAndDns;
  ops.setDhcp = SetDhcp;
  ops.createPppoeEntry = CreatePppoeEntry;
  ops.deletePppoeEntry = DeletePppoeEntry;
  ops.runCommand = RunCommandAndWait;
  ops.writeProductVersionValue = WriteProductVersionValue;
  ops.removeMiniports = RemoveMiniports;
  ops.findVirtualKmInfPath = FindVirtualKmInfPath;
  ops.findMiniportInfPath = FindMiniportInfPath;
  ops.findProtocolInfPath = FindProtocolInfPath;
  ops.deleteHklmKey = DeleteHklmKey;
  ops.reenumerateDevices = ReenumerateDevices;
  return ops;
}

NicOperations g_NicOperations = RealNicOperations();
