// The pnputil command lines of Windows 7's tool that the system and its tests run, read into one
// record: -a INF (with -i: also install it on matching devices), -d NAME (with -f: even while
// devices use it), -e. Pure text; pnputil.cpp acts on it.
#pragma once
#include <string>
#include <vector>

enum class PnputilAction { Invalid, Add, Delete, Enumerate };

struct PnputilCommand {
  PnputilAction action = PnputilAction::Invalid;
  bool install = false;  // -i
  bool force = false;    // -f
  std::wstring operand;  // the INF path of -a, the published name of -d
};

// `args` after the program name. Options start with "-" or "/", in any order and letter case.
PnputilCommand ParsePnputilCommand(const std::vector<std::wstring>& args);

// A published name that -d can take: a plain file name ending in ".inf", no folder.
bool IsPublishedInfName(const std::wstring& name);
