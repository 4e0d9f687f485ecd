// The firewall forms of the stand-in netsh: rules recorded in the registry where Windows keeps
// its firewall policy, so that the removal's "delete" finds and removes what the installation added.
#pragma once
#include "standins/tools/netsh_command.h"

// Adds or deletes as the command says, prints as netsh does; returns netsh's exit code.
int RunFirewallCommand(const NetshCommand& command);

// The registry keys (under HKEY_LOCAL_MACHINE) of the two stores.
extern const wchar_t kFirewallRulesKey[];        // "netsh advfirewall firewall" rules
extern const wchar_t kAuthorizedProgramsKey[];   // "netsh firewall" allowed programs
