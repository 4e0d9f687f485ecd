// The walk over the present devices of the Net setup class that most device operations share, and
// the driver-key reads they make.
#pragma once
#include <windows.h>
#include <setupapi.h>

#include <functional>
#include <string>

struct NetDevice {
  HDEVINFO set;
  SP_DEVINFO_DATA* data;
  HKEY driverKey;  // opened with the walk's access; closed by the walk
};

// Visits each present device of setupClass whose driver key opens; the visitor returns false to stop.
void WalkSetupClass(const wchar_t* setupClass, REGSAM access, const std::function<bool(NetDevice&)>& visit);
inline void WalkNetClass(REGSAM access, const std::function<bool(NetDevice&)>& visit) {
  WalkSetupClass(L"Net", access, visit);
}

// A string value of at most maxBytes; false when missing, of another type or longer.
bool ReadRegText(HKEY key, const wchar_t* name, DWORD maxBytes, std::wstring& value);
bool ReadRegDword(HKEY key, const wchar_t* name, DWORD& value);

// "ComponentId", lower-cased, is "qvxminip".
bool IsVirtualMiniportKey(HKEY driverKey);
// "NetCfgInstanceId" (at most 128 bytes); empty when it cannot be read.
std::wstring NetCfgInstanceId(HKEY driverKey);
// The device instance id ("ROOT\NET\0000").
std::wstring DeviceInstanceId(const NetDevice& device);
