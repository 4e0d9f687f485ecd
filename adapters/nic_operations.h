// The steps the installation and removal sequences are made of, behind function pointers so that
// the sequence tests can record them in place of the devices, the network configuration and the
// tools. System tests run the real ones.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

class CNicInstaller;

struct NicOperations {
  bool (*probeWriteLock)(wchar_t holder[128]);
  void (*enableVirtualAdapters)(CNicInstaller* installer, bool on);
  bool (*getVirtualAdapterGuids)(CNicInstaller* installer, int count, wchar_t (*guids)[64]);
  bool (*installMiniport)(CNicInstaller* installer, const std::wstring& physicalDescription);
  void (*enableAdapterByGuid)(CNicInstaller* installer, bool on, const std::wstring& adapterGuid);
  bool (*setNetDeviceEnabled)(const std::wstring& adapterGuid, bool on);
  bool (*uninstallProtocol)(CNicInstaller* installer, std::wstring& errorText);
  bool (*installProtocol)(CNicInstaller* installer, const std::wstring& physicalDescription, std::wstring& errorText);
  void (*unbindProtocolFromAllAdapters)(CNicInstaller* installer);
  void (*saveBindings)(CNicInstaller* installer, const std::wstring& adapterGuid, const std::wstring& filePath);
  void (*loadBindings)(CNicInstaller* installer, const std::wstring& adapterGuid, int mode, const std::wstring& filePath);
  // Opens the protocol's service key and writes its "UpperBindings" for the physical adapter.
  bool (*writeBindingList)(const std::wstring& physicalGuid, int count, const wchar_t (*virtualGuids)[64]);
  bool (*setVirtualAdapterAddress)(CNicInstaller* installer, const std::wstring& adapterGuid,
                                   const uint8_t virtualMac[6], int nic, int linkType);
  void (*unbindProtocolFromVirtualAdapter)(CNicInstaller* installer, const std::wstring& adapterGuid);
  void (*bindPppoeOnly)(CNicInstaller* installer, const std::wstring& adapterGuid);
  bool (*setStaticIp)(bool xp, const std::wstring& adapterGuid, const std::wstring& address, const std::wstring& mask);
  bool (*setStaticIpAndDns)(bool xp, const std::wstring& adapterGuid, const std::wstring& address,
                            const std::wstring& mask, const std::wstring& gateway, const std::wstring& dnsServer);
  bool (*setDhcp)(bool xp, const std::wstring& adapterGuid);
  bool (*createPppoeEntry)();
  void (*deletePppoeEntry)();
  DWORD (*runCommand)(const wchar_t* commandLine);
  bool (*writeProductVersionValue)();
  bool (*removeMiniports)();
  bool (*findVirtualKmInfPath)(wchar_t infName[128]);
  bool (*findMiniportInfPath)(wchar_t infName[128]);
  bool (*findProtocolInfPath)(wchar_t infName[128]);
  bool (*deleteHklmKey)(const wchar_t* keyPath);
  void (*reenumerateDevices)();
};

// The real steps.
NicOperations RealNicOperations();
extern NicOperations g_NicOperations;
