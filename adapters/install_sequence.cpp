#include "adapters/install_sequence.h"

#include <windows.h>
#include <ras.h>

#include <vector>

#include "adapters/command_lines.h"
#include "adapters/nic_installer.h"
#include "adapters/nic_operations.h"
#include "adapters/program_folder.h"
#include "common/settings_file.h"
#include "shell/lang_text.h"
#include "shell/lang_text_format.h"

namespace {

constexpr int kMaxPlannedAdapters = 5;

const wchar_t* Text(const char* key) { return LoadLangText(9, key); }

void WriteProgramFile(const wchar_t* name, const std::vector<std::wstring>& values) {
  WriteSettingsFile(SettingsFilePath(ProgramFolder(), name), values);
}

std::vector<std::wstring> OtherGuids(int count, const wchar_t (*guids)[64]) {
  std::vector<std::wstring> others;
  for (int nic = 2; nic < count; ++nic) others.emplace_back(guids[nic]);
  return others;
}

void FinishWithServiceAndFirewall(CNicInstaller* installer) {
  installer->ReportProgress(Text("TXT_INST_SRV_FIREWALL"));
  installer->InstallService();
  installer->ReportProgress(Text("TXT_ADD_PROG_FIREWALL"));
  installer->AddProgramFirewallRule();
  g_NicOperations.writeProductVersionValue();
}

// Up to N attempts, each one miniport, until N exist.
bool EnsureVirtualAdapters(CNicInstaller* installer, const InstallPlan& plan, wchar_t (*guids)[64]) {
  NicOperations& ops = g_NicOperations;
  if (ops.getVirtualAdapterGuids(installer, plan.count, guids)) return true;
  for (int attempt = 1; attempt <= plan.count; ++attempt) {
    installer->ReportProgress(FormatLangText(Text("TXT_ADD_VIR_ADAPT"), attempt));
    if (!ops.installMiniport(installer, plan.physicalDescription)) {
      installer->ReportProgress(Text("TXT_FAIL_CREATE_VIR_ADAPT"));
    } else if (ops.getVirtualAdapterGuids(installer, plan.count, guids)) {
      return true;
    }
  }
  return ops.getVirtualAdapterGuids(installer, plan.count, guids);
}

// The protocol's steps once it is installed; false when the binding list or an adapter's
// settings could not be written, which leaves the installation unusable.
bool BindProtocol(CNicInstaller* installer, const InstallPlan& plan, const wchar_t (*guids)[64]) {
  NicOperations& ops = g_NicOperations;
  installer->ReportProgress(Text("TXT_UNBIND_PROT_ALL_ADAPT"));
  ops.unbindProtocolFromAllAdapters(installer);
  const std::wstring snapshot = SettingsFilePath(ProgramFolder(), L"savebindprot.txt");
  ops.saveBindings(installer, plan.physicalGuid, snapshot);
  ops.loadBindings(installer, plan.physicalGuid, 2, snapshot);
  ::DeleteFileW(snapshot.c_str());

  installer->ReportProgress(Text("TXT_ADD_BINDING_PATH_REG"));
  for (int i = 1; i <= plan.count; ++i) {
    if (!ops.writeBindingList(plan.physicalGuid, plan.count, guids)) {
      installer->ReportProgress(Text("TXT_FAIL_ADD_BINDING_PATH_REG"));
      return false;
    }
    installer->ReportProgress(FormatLangText(Text("TXT_ADD_VIR_NIC_REG"), i));
    if (!SaveVirtualAdapterSettings(installer, plan.count, guids, plan.physicalMac, plan.virtualMac, plan.linkType)) {
      installer->ReportProgress(Text("TXT_FAIL_ADD_VIR_NIC_REG"));
      return false;
    }
  }
  for (int j = 1; j <= plan.count; ++j) {
    installer->ReportProgress(FormatLangText(Text("TXT_UNBIND_PROT_VIR_ADAPT"), j));
    ops.unbindProtocolFromVirtualAdapter(installer, guids[j - 1]);
  }
  if (plan.linkType == kLinkPppoe) {
    WriteProgramFile(L"PppoeAdaptMacAddr.txt", {PppoeMacText(plan.virtualMac)});
    ops.bindPppoeOnly(installer, guids[2]);
  }
  installer->ReportProgress(Text("TXT_DISABLE_ALL_VIR_ADAPT"));
  ops.enableVirtualAdapters(installer, false);
  ops.setNetDeviceEnabled(plan.physicalGuid, false);
  installer->ReportProgress(Text("TXT_ENABLE_ALL_VIR_ADAPT"));
  ops.enableVirtualAdapters(installer, true);
  ops.setNetDeviceEnabled(plan.physicalGuid, true);
  WriteProgramFile(L"DrvInstPhyNic.txt", {plan.physicalGuid, plan.physicalDescription});
  return true;
}

}  // namespace

void RunInstall(CNicInstaller* installer, bool wireless, int subnet, int host, const std::wstring& physicalGuid,
                const std::wstring& physicalDescription, const uint8_t physicalMac[6], const uint8_t virtualMac[6],
                int linkType, int count) {
  const InstallRoute route = ChooseInstallRoute(wireless, linkType, host);
  InstallPlan plan;
  plan.wireless = wireless;
  plan.subnet = subnet;
  plan.host = route.host;
  plan.physicalGuid = physicalGuid;
  plan.physicalDescription = physicalDescription;
  for (int i = 0; i < 6; ++i) {
    plan.physicalMac[i] = physicalMac[i];
    plan.virtualMac[i] = virtualMac[i];
  }
  plan.linkType = linkType;
  plan.count = count;
  if (route.kind == InstallRoute::kVirtualAdapters) InstallVirtualAdapters(installer, plan);
  if (route.kind == InstallRoute::kWithoutDriver) InstallWithoutDriver(installer, route.noAddress, plan);
}

void InstallVirtualAdapters(CNicInstaller* installer, const InstallPlan& plan) {
  NicOperations& ops = g_NicOperations;
  installer->SetDone(false);
  wchar_t holder[128] = {};
  if (!ops.probeWriteLock(holder)) {
    installer->ReportProgress(FormatLangText(Text("TXT_APP_SETTING_NETWORK"), holder));
    return;
  }
  const std::wstring privateAddress = PrivateAddressText(plan.subnet, plan.host);
  WriteProgramFile(L"PrivateIp.txt", {privateAddress});
  ops.enableVirtualAdapters(installer, false);

  // The adapters' GUIDs live in fixed slots; a plan outside 1 to 5 adapters cannot be carried out.
  wchar_t guids[kMaxPlannedAdapters][64] = {};
  if (plan.count < 1 || plan.count > kMaxPlannedAdapters || !EnsureVirtualAdapters(installer, plan, guids)) {
    installer->ReportProgress(Text("TXT_FAIL_CREATE_VIR_ADAPT"));
    return;
  }

  installer->ReportProgress(Text("TXT_DISABLE_PHY_ADAPT"));
  ops.enableAdapterByGuid(installer, false, plan.physicalGuid);
  installer->ReportProgress(Text("TXT_INST_QVX_PROT"));
  std::wstring ignored, errorText;
  ops.uninstallProtocol(installer, ignored);
  if (!ops.installProtocol(installer, plan.physicalDescription, errorText)) {
    // Without the protocol the virtual adapters carry nothing: the physical adapter is given back
    // and the installation does not count as done.
    installer->ReportProgress(FormatLangText(Text("TXT_FAIL_INST_PROT"), errorText.c_str()));
    installer->ReportProgress(Text("TXT_ENABLE_PHY_ADAPT"));
    ops.enableAdapterByGuid(installer, true, plan.physicalGuid);
    return;
  }
  if (!BindProtocol(installer, plan, guids)) return;

  installer->ReportProgress(Text("TXT_ENABLE_PHY_ADAPT"));
  ops.enableAdapterByGuid(installer, true, plan.physicalGuid);
  ops.setStaticIp(installer->IsXp(), guids[1], privateAddress, kPrivateMask);
  if (plan.linkType == kLinkPppoe) {
    installer->ReportProgress(Text("TXT_CREATE_PPPOE_ADAPT"));
    ops.createPppoeEntry();
  } else if (plan.linkType == kLinkStaticDhcpShared || plan.linkType == kLinkStaticOnly) {
    installer->ReportProgress(Text("TXT_SET_STATIC_IP"));
    for (const auto& address : StaticAddressPlan(plan.linkType, plan.count)) {
      ops.setStaticIpAndDns(installer->IsXp(), guids[address.nic], address.address, kPrivateMask, address.gateway,
                            kPublicDnsServer);
    }
  }
  FinishWithServiceAndFirewall(installer);
  installer->SetDone(true);
}

void InstallWithoutDriver(CNicInstaller* installer, bool noAddress, const InstallPlan& plan) {
  installer->SetDone(false);
  const std::wstring privateAddress = noAddress ? L"0.0.0.0" : PrivateAddressText(plan.subnet, plan.host);
  WriteProgramFile(L"PhysicalMacAddr.txt", {PhysicalMacText(plan.physicalMac)});
  WriteProgramFile(L"VirtualMacAddr.txt", {});
  WriteProgramFile(L"CloneAdaptGuidName.txt", {});
  WriteProgramFile(L"PrivateAdaptGuidName.txt", {});
  WriteProgramFile(L"OtherAdaptGuidName.txt", {});
  WriteProgramFile(L"PrivateIp.txt", {privateAddress});
  WriteProgramFile(L"DrvInstPhyNic.txt", {plan.physicalGuid, plan.physicalDescription});
  if (!noAddress) g_NicOperations.setStaticIp(installer->IsXp(), plan.physicalGuid, privateAddress, kPrivateMask);
  FinishWithServiceAndFirewall(installer);
  installer->SetDone(true);
}

bool SaveVirtualAdapterSettings(CNicInstaller* installer, int count, const wchar_t (*virtualGuids)[64],
                                const uint8_t physicalMac[6], const uint8_t virtualMac[6], int linkType) {
  NicOperations& ops = g_NicOperations;
  WriteProgramFile(L"PhysicalMacAddr.txt", {PhysicalMacText(physicalMac)});
  WriteProgramFile(L"VirtualMacAddr.txt", {VirtualMacText(virtualMac)});
  WriteProgramFile(L"CloneAdaptGuidName.txt", {virtualGuids[0]});
  if (!ops.setVirtualAdapterAddress(installer, virtualGuids[0], virtualMac, 0, linkType)) return false;
  WriteProgramFile(L"PrivateAdaptGuidName.txt", {virtualGuids[1]});
  ops.setVirtualAdapterAddress(installer, virtualGuids[1], virtualMac, 1, linkType);
  if (linkType == kLinkPppoe) WriteProgramFile(L"PppoeAdaptGuidName.txt", {virtualGuids[2]});
  WriteProgramFile(L"OtherAdaptGuidName.txt", OtherGuids(count, virtualGuids));
  for (int nic = 2; nic < count; ++nic) {
    if (!ops.setVirtualAdapterAddress(installer, virtualGuids[nic], virtualMac, nic, linkType)) return false;
  }
  return true;
}

bool CreatePppoeEntry() {
  DWORD size = 0;
  ::RasGetEntryPropertiesW(nullptr, L"", nullptr, &size, nullptr, nullptr);
  if (size < sizeof(RASENTRYW)) size = sizeof(RASENTRYW);
  auto* entry = static_cast<RASENTRYW*>(::HeapAlloc(::GetProcessHeap(), HEAP_ZERO_MEMORY, size));
  if (!entry) return false;
  entry->dwSize = size;
  lstrcpynW(entry->szDeviceName, L"WAN Miniport (PPPOE)", RAS_MaxDeviceName + 1);
  lstrcpynW(entry->szDeviceType, L"PPPoE", RAS_MaxDeviceType + 1);
  entry->dwFramingProtocol = RASFP_Ppp;
  entry->dwfNetProtocols = RASNP_Ip;
  entry->dwRedialCount = 3;
  entry->dwRedialPause = 60;
  entry->dwfOptions = RASEO_RemoteDefaultGateway | RASEO_ModemLights | RASEO_SecureLocalFiles | RASEO_RequirePAP |
                      RASEO_PreviewUserPw | RASEO_ShowDialingProgress | RASEO_RequireCHAP | RASEO_RequireMsCHAP2;
  entry->dwfOptions2 = RASEO2_SecureFileAndPrint | RASEO2_SecureClientForMSNet | RASEO2_DontNegotiateMultilink |
                       RASEO2_DontUseRasCredentials | RASEO2_Internet | RASEO2_DisableNbtOverIP |
                       RASEO2_ReconnectIfDropped;
  const DWORD result = ::RasSetEntryPropertiesW(nullptr, L"Corvane PPPoE", entry, size, nullptr, 0);
  ::HeapFree(::GetProcessHeap(), 0, entry);
  return result == ERROR_SUCCESS;
}

bool WriteProductVersionValue() {
  HKEY software = nullptr, product = nullptr;
  if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &software, nullptr) !=
      ERROR_SUCCESS)
    return false;
  bool written = false;
  if (::RegCreateKeyExW(software, L"Corvane", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &product, nullptr) ==
      ERROR_SUCCESS) {
    const wchar_t version[] = L"1.0";
    written = ::RegSetValueExW(product, L"QvxVer", 0, REG_SZ, reinterpret_cast<const BYTE*>(version), sizeof version) ==
              ERROR_SUCCESS;
    ::RegCloseKey(product);
  }
  ::RegCloseKey(software);
  return written;
}

void CNicInstaller::AddProgramFirewallRule() {
  const std::wstring command = AddFirewallRuleCommand(xp_, kProgramRuleName, ProgramModulePath());
  g_NicOperations.runCommand(command.c_str());
}

void CNicInstaller::InstallService() {
  const std::wstring folder = ProgramFolder();
  const std::wstring commands[] = {
      AddFirewallRuleCommand(xp_, kServiceRuleName, ServiceProgramPath(folder)),
      ServiceSwitchCommand(folder, L"/install"),
      ServiceAutoStartCommand(SystemFolder()),
      ServiceStartCommand(SystemFolder()),
  };
  for (const auto& command : commands) g_NicOperations.runCommand(command.c_str());
}
