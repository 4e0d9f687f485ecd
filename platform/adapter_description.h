// Wine describes every adapter by its Linux interface name (GetAdaptersInfo and
// GetAdaptersAddresses Description, WMI Win32_NetworkAdapter Name); Windows by the device it was
// installed as ("Moravix Virtual Miniport Driver", "... #2"). This gives the device's description
// back for the adapters that the device tree holds, so description filters and name look-ups work.
#pragma once
#include <cstddef>

// `reported` is the description or name that the system gave for an adapter. When it is the name
// of a Linux interface whose adapter GUID is a Net-class device's "NetCfgInstanceId", writes that
// device's friendly name (its description when it has none) into `description` (cut to fit
// `capacity` units with its NUL) and returns true. Otherwise (on Windows itself, for interfaces no
// device stands for) false, and `description` is untouched.
bool FillInAdapterDescription(const wchar_t* reported, wchar_t* description, size_t capacity);
