// The adapters as devices of the Net class: the physical adapters the wizard offers, the virtual
// miniports in NIC order, and the instance id of an adapter by its GUID.
#pragma once
#include <string>

class CNicInstaller;

struct AdapterRecord {
  wchar_t description[512];
  wchar_t guid[64];
  wchar_t instanceId[128];
};
constexpr int kMaxPhysicalAdapters = 10;

struct VirtualAdapterRecord {
  wchar_t description[256];
  wchar_t guid[64];
};
constexpr int kMaxVirtualAdapters = 5;

constexpr int kGuidUnits = 64;

// Up to 10 enabled physical adapters: wired (802.3 or unspecified medium) or native 802.11.
int EnumPhysicalAdapters(AdapterRecord* records, bool xp, bool vista, bool wireless);
// Up to 5 virtual miniports.
int EnumVirtualAdapters(VirtualAdapterRecord* records);
// The GUIDs of the first `count` miniports in NIC order; false when fewer exist.
bool GetVirtualAdapterGuids(CNicInstaller* installer, int count, wchar_t (*guids)[kGuidUnits]);
// "PnpInstanceID" of the adapter's Connection key, one try.
bool GetPnpInstanceId(wchar_t instanceId[128], const wchar_t* adapterGuid);
