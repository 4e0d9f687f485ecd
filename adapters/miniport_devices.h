// Creating and removing the virtual miniport devices, and giving each its MAC and role.
#pragma once
#include <cstdint>
#include <string>

class CNicInstaller;

// Removes every virtual miniport; true when every removal succeeded (also when there was none).
bool RemoveMiniports();
// "NetworkAddress" for NIC 1 and up, "IsPPPoE" on NIC 2 in the PPPOE environment; true when a
// miniport with that GUID was found.
bool SetVirtualAdapterAddress(CNicInstaller* installer, const std::wstring& adapterGuid, const uint8_t virtualMac[6],
                              int nic, int linkType);
// The INF below the program folder for this system and adapter, absolute; empty when the path
// would reach 260 characters.
std::wstring DriverInfPath(bool xp, const std::wstring& physicalDescription, const wchar_t* infName);
