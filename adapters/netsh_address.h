// The three netsh address functions: each finds the adapter's connection name from its GUID and
// runs its commands twice, in the syntax of Windows XP or of later Windows.
#pragma once
#include <string>

// False only when the connection name is not found (within 20 seconds); netsh's own exit codes
// are not looked at. The mask is always 255.255.255.0.
bool SetStaticIpAndDns(bool xp, const std::wstring& adapterGuid, const std::wstring& address,
                       const std::wstring& mask, const std::wstring& gateway, const std::wstring& dnsServer);
bool SetStaticIp(bool xp, const std::wstring& adapterGuid, const std::wstring& address, const std::wstring& mask);
// An empty GUID: true at once, nothing run.
bool SetDhcp(bool xp, const std::wstring& adapterGuid);
