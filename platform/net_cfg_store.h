// The network configuration's components and binding paths where the system's INetCfg keeps none:
// Wine answers E_NOTIMPL for FindComponent, EnumComponents, QueryNetCfgClass and Apply. Used only
// after such an answer. Components are kept where Windows keeps them (the NetTrans class key with
// "ComponentId" and "InfPath"), the enabled state of each binding path in a key of its own.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// One binding of a transport to an adapter (the path's one binding interface).
struct NetCfgStorePath {
  std::wstring componentId;   // as installed ("ms_tcpip", "QVXPROTO")
  std::wstring bindName;      // the adapter's GUID
  std::wstring pnpDevNodeId;  // the adapter's device instance id, or LINUX\NET\<name> without one
  std::wstring token;         // componentId->pnpDevNodeId
};

// The transport components: the built-in ms_tcpip and every installed one.
std::vector<std::wstring> NetCfgStoreComponents();
// Compared without regard to letter case, as INetCfg compares ids.
bool NetCfgStoreHasComponent(const std::wstring& componentId);
// Records the component with the INF name the driver store gave it and creates the services of its
// install section, as the class installer would; its paths start enabled.
HRESULT NetCfgStoreInstall(const std::wstring& componentId, const std::wstring& infPath, const std::wstring& infName);
// Forgets the component and deletes the services its installation created. S_FALSE: not installed.
HRESULT NetCfgStoreRemove(const std::wstring& componentId);

// The component's paths to every adapter of this computer.
std::vector<NetCfgStorePath> NetCfgStorePaths(const std::wstring& componentId);
bool NetCfgStoreIsEnabled(const NetCfgStorePath& path);
// Records the state; disabling ms_tcpip on an adapter with a Linux interface also takes that
// interface's IPv4 addresses away, as unbinding TCP/IP does.
HRESULT NetCfgStoreEnable(const NetCfgStorePath& path, bool enable);
