// The removal sequence the removal dialog runs on its worker thread: it undoes every kind of
// installation; steps that find nothing to do do nothing.
#pragma once
#include <windows.h>

#include <string>

class CNicInstaller;

void RunRemove(CNicInstaller* installer, const std::wstring& physicalGuid);
void RemoveProgramFirewallRule(CNicInstaller* installer);
bool FindVirtualKmInfPath(wchar_t infName[128]);
bool FindMiniportInfPath(wchar_t infName[128]);
bool FindProtocolInfPath(wchar_t infName[128]);
void CleanReinstallBackups();
void DeleteSettingsFiles();
bool DeleteHklmKey(const wchar_t* keyPath);
// Depth-first; each subkey's name goes after the base path, in place of the one before.
bool DeleteRegistryTree(HKEY root, const wchar_t* keyPath);
