// Switching adapters on and off: through netsh by connection name (the virtual miniports with
// progress texts, one adapter by GUID), or one device through SetupAPI.
#pragma once
#include <string>

class CNicInstaller;

void EnableAdapterByGuid(CNicInstaller* installer, bool on, const std::wstring& adapterGuid);
// True when no present device has the GUID.
bool SetNetDeviceEnabled(const std::wstring& adapterGuid, bool on);
