// An adapter's connection name from the registry's Network class key, with a retry while a new
// adapter's key does not exist yet, and the Net class GUID's key name that the look-up needs.
#pragma once
#include <cstddef>
#include <string>

constexpr size_t kConnectionNameUnits = 260;
constexpr size_t kNetClassGuidUnits = 512;

// Up to 40 opens 500 ms apart; then one read of "Name". False when the key never opened or the
// read failed.
bool GetConnectionName(wchar_t name[kConnectionNameUnits], const wchar_t* adapterGuid);
// "{4D36E972-E325-11CE-BFC1-08002BE10318}" for the Net class.
void FormatNetClassGuid(wchar_t text[kNetClassGuidUnits]);
// The same format for any setup class by name ("NetTrans"); empty when the class is unknown.
std::wstring FormatSetupClassGuid(const wchar_t* className);
// "SYSTEM\CurrentControlSet\Control\Network\<Net class>\<guid>\Connection".
std::wstring ConnectionKeyPath(const wchar_t* adapterGuid);
