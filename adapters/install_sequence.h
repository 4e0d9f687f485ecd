// The installation sequence the wizard runs on its worker thread: virtual adapters, protocol and
// bindings, settings files, addresses, PPPoE entry, firewall rules, the service and the version.
#pragma once
#include <cstdint>
#include <string>

#include "adapters/install_plan.h"

class CNicInstaller;

// Dispatches by the plan; the installer's done flag tells the result (unchanged for an unknown type).
void RunInstall(CNicInstaller* installer, bool wireless, int subnet, int host, const std::wstring& physicalGuid,
                const std::wstring& physicalDescription, const uint8_t physicalMac[6], const uint8_t virtualMac[6],
                int linkType, int count);
void InstallVirtualAdapters(CNicInstaller* installer, const InstallPlan& plan);
void InstallWithoutDriver(CNicInstaller* installer, bool noAddress, const InstallPlan& plan);
bool SaveVirtualAdapterSettings(CNicInstaller* installer, int count, const wchar_t (*virtualGuids)[64],
                                const uint8_t physicalMac[6], const uint8_t virtualMac[6], int linkType);
bool CreatePppoeEntry();
bool WriteProductVersionValue();
