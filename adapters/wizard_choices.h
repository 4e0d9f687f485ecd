// What the wizard's last step makes of its controls: the LinkType of the link mode and the chosen
// environment, the number of virtual adapters, whether the cable check and the used-address scan
// run, and the lines of "DrvInstWanType.txt". No windows.h: pure rules, checked by tables.
#pragma once
#include <string>

// The link modes of the second step.
enum LinkMode : int { kModeCorvane = 0, kModeDualLan = 1, kModeDirectConn = 2, kModeRouterDhcp = 3 };
// The entries of the environment combo in link mode 0 (DHCP, PPPoE, Static) and 2 (IP 1, IP 2).
enum Environment : int { kEnvDhcp = 0, kEnvPppoe = 1, kEnvStatic = 2 };

// -1 for a combination the dialog cannot offer.
int LinkTypeFromChoices(int linkMode, int environment, bool sharedChecked);
// extraAdapters: the number on the chosen count entry ("None" is 0).
int NicCountFor(int linkType, int extraAdapters);
// The number an entry of the count combo stands for: "1".."3", anything else (None, N/A) 0.
int ExtraAdaptersFromEntry(const std::wstring& entryText);
// The cable check and the scan run for the wired choice in link modes 0 and 1 only.
bool ScansUsedAddresses(bool wireless, int linkMode);
// Line 2 of "DrvInstWanType.txt": the LinkType's keyword, "WIFI" for the wireless choice.
std::wstring WanTypeKeyword(bool wireless, int linkType);
