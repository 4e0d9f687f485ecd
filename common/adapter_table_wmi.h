// The values of one Win32_NetworkAdapter object as the adapter table takes them, apart from the
// WMI calls that read them, so that what WMI may hand over (a NULL MACAddress) is tested alone.
#pragma once
#include "common/adapter_table.h"
#include "common/com_ref.h"

// Adds the Ethernet adapter with these Index, Name and MACAddress values. A Name that is no text
// gives an empty name; a MACAddress that is no text (WMI gives NULL for an adapter without one)
// gives six zeros: the adapter stays in the table either way.
void AddWmiAdapter(AdapterTable& table, const Variant& index, const Variant& name, const Variant& macAddress);
