// The product's protocol as a network transport: its installation and removal, and the binding
// snapshots that decide, path by path, which protocols stay bound to an adapter.
#pragma once
#include <windows.h>
#include <netcfgx.h>

#include <string>

class CNicInstaller;

// Removes "qvxproto"; true also when it is not installed. errorText: the reason (English).
bool UninstallProtocol(CNicInstaller* installer, std::wstring& errorText);
HRESULT InstallNetComponent(INetCfg* config, const wchar_t* componentId, const std::wstring& infPath);

// Applies the mode to each listed (component, path token) pair in its own configuration session.
void SetProtocolBindings(bool xp, const std::wstring* componentIds, const std::wstring* tokens, int count, int mode);
// The matching binding path below the component (caller releases it), or null.
INetCfgBindingPath* FindBindingPath(INetCfg* config, const wchar_t* componentId, const std::wstring& token);

// The binding text of one adapter: one line per transport bound directly to it, below 2048 units.
std::wstring DumpNetTransBindings(const std::wstring& adapterGuid);
// That text to a snapshot file (UTF-16LE, no mark, no terminator).
void SaveBindings(CNicInstaller* installer, const std::wstring& adapterGuid, const std::wstring& filePath);
// A snapshot file's text: at most its 4098-byte buffer less one terminator unit.
std::wstring ReadBindingSnapshot(const std::wstring& filePath);
