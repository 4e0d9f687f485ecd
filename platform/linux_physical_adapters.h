// Wine's device tree holds no device for the computer's own network adapters (only for those
// installed through SetupAPI), so a walk of the Net class finds no physical adapter. In their
// place this lists the Linux interfaces that stand for one: Ethernet-type, up, and no device's own.
#pragma once
#include <string>
#include <vector>

struct LinuxPhysicalAdapter {
  std::wstring name;        // also the description Wine reports for it
  std::wstring guid;        // the adapter GUID Wine names it with
  std::wstring instanceId;  // "LINUX\NET\<name>", as the binding store names such adapters
  bool wireless = false;
};

// In ifindex order.
std::vector<LinuxPhysicalAdapter> ListLinuxPhysicalAdapters();
