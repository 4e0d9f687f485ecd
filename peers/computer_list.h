// ComputerList: the remembered computers of the private network by host octet, as the My Network
// page keeps them and "WolCompList.txt" stores them, with a locked snapshot of the names for
// readers on other threads. The line codec here is portable; the file access is in
// computer_list_file.cpp.
#pragma once
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

struct ComputerList {
  static constexpr int kHosts = 256;
  static constexpr int kNameUnits = 256;
  static constexpr int kCpuUnits = 64;

  // The GUI thread's fields.
  uint8_t subnet = 0;
  uint8_t present[kHosts] = {};
  wchar_t name[kHosts][kNameUnits] = {};
  wchar_t cpu[kHosts][kCpuUnits] = {};
  int16_t os[kHosts] = {};
  uint8_t mac[kHosts][6] = {};

  ComputerList() = default;
  ComputerList(const ComputerList&) = delete;
  ComputerList& operator=(const ComputerList&) = delete;

  // present, name, cpu, os and mac; the subnet stays.
  void ClearHosts();
  // present := 1 and the host's fields overwritten; texts are cut to their slots.
  void AddHost(uint8_t host, const wchar_t* hostName, const wchar_t* cpuName, int16_t osCode, const uint8_t hostMac[6]);
  // The first six fields of another list (the computer-list dialog's copy and back).
  void CopyHostsFrom(const ComputerList& other);
  // Any present host other than ownHost.
  bool HoldsOtherThan(int ownHost) const;

  // Under the lock: subnet, present and names into the snapshot.
  void Snapshot();
  // Under the lock: the snapshot's name of host when subnet is the snapshot's and the host is
  // present there; false otherwise.
  bool FindName(uint8_t subnetOctet, uint8_t host, std::wstring* found) const;

 private:
  mutable std::mutex lock_;
  uint8_t snapshotSubnet_ = 0;
  uint8_t snapshotPresent_[kHosts] = {};
  wchar_t snapshotName_[kHosts][kNameUnits] = {};
};

inline constexpr wchar_t kWolCompListFile[] = L"WolCompList.txt";

// A name or CPU name as it goes into a line: a "," would shift the fields for every reader of
// the file, so it becomes ";", and a line break becomes a space.
std::wstring ComputerListFieldText(const wchar_t* text);

// The lines after the header: the subnet ("%d"), then "host,name,cpu,os,MAC" per present host in
// ascending order, the MAC as 12 upper-case hex digits.
std::vector<std::wstring> ComputerListLines(const ComputerList& list);
// The host lines (after the subnet line) into the list: lines that are empty, that do not split
// into exactly five fields at ",", or whose host is outside 0 to 255 are skipped; texts are cut to
// their slots; a MAC pair with a non-hex character, or cut short, reads as 0.
void ApplyComputerListHostLines(const std::vector<std::wstring>& lines, ComputerList* list);
