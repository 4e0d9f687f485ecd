// The hidden command runner through which the system changes addresses, interface states,
// firewall rules, services and driver packages: it starts a tool without a window and waits.
#pragma once
#include <windows.h>

#include <string>

// The tool's exit code; 0 when it could not be started or the line does not fit its 260-unit
// buffer (such a line is refused whole, never cut or overrun).
DWORD RunCommandAndWait(const wchar_t* commandLine);
