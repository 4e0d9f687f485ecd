#include "peers/computer_list.h"

#include <cstdio>
#include <cstring>
#include <cwchar>

#include "common/decimal_text.h"
#include "common/text_helpers.h"
#include "peers/km_line_fields.h"

namespace {
void CopyCut(wchar_t* slot, size_t units, const wchar_t* text) {
  size_t length = text ? std::wcslen(text) : 0;
  if (length > units - 1) length = units - 1;
  if (length) std::wmemcpy(slot, text, length);
  slot[length] = L'\0';
}

std::wstring MacText(const uint8_t mac[6]) {
  wchar_t text[13];
  std::swprintf(text, 13, L"%02X%02X%02X%02X%02X%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
  return text;
}
}  // namespace

void ComputerList::ClearHosts() {
  std::memset(present, 0, sizeof present);
  std::memset(name, 0, sizeof name);
  std::memset(cpu, 0, sizeof cpu);
  std::memset(os, 0, sizeof os);
  std::memset(mac, 0, sizeof mac);
}

void ComputerList::AddHost(uint8_t host, const wchar_t* hostName, const wchar_t* cpuName, int16_t osCode,
                           const uint8_t hostMac[6]) {
  present[host] = 1;
  CopyCut(name[host], kNameUnits, hostName);
  CopyCut(cpu[host], kCpuUnits, cpuName);
  os[host] = osCode;
  std::memcpy(mac[host], hostMac, 6);
}

void ComputerList::CopyHostsFrom(const ComputerList& other) {
  subnet = other.subnet;
  std::memcpy(present, other.present, sizeof present);
  std::memcpy(name, other.name, sizeof name);
  std::memcpy(cpu, other.cpu, sizeof cpu);
  std::memcpy(os, other.os, sizeof os);
  std::memcpy(mac, other.mac, sizeof mac);
}

bool ComputerList::HoldsOtherThan(int ownHost) const {
  for (int host = 0; host < kHosts; ++host) {
    if (present[host] && host != ownHost) return true;
  }
  return false;
}

void ComputerList::Snapshot() {
  std::lock_guard<std::mutex> hold(lock_);
  snapshotSubnet_ = subnet;
  std::memcpy(snapshotPresent_, present, sizeof present);
  std::memcpy(snapshotName_, name, sizeof name);
}

bool ComputerList::FindName(uint8_t subnetOctet, uint8_t host, std::wstring* found) const {
  std::lock_guard<std::mutex> hold(lock_);
  if (subnetOctet != snapshotSubnet_ || !snapshotPresent_[host]) return false;
  *found = snapshotName_[host];
  return true;
}

std::wstring ComputerListFieldText(const wchar_t* text) {
  std::wstring field = text;
  for (wchar_t& unit : field) {
    if (unit == L',') unit = L';';
    if (unit == L'\r' || unit == L'\n') unit = L' ';
  }
  return field;
}

std::vector<std::wstring> ComputerListLines(const ComputerList& list) {
  std::vector<std::wstring> lines;
  lines.push_back(std::to_wstring(list.subnet));
  for (int host = 0; host < ComputerList::kHosts; ++host) {
    if (!list.present[host]) continue;
    lines.push_back(std::to_wstring(host) + L"," + ComputerListFieldText(list.name[host]) + L"," +
                    ComputerListFieldText(list.cpu[host]) + L"," + std::to_wstring(list.os[host]) + L"," +
                    MacText(list.mac[host]));
  }
  return lines;
}

void ApplyComputerListHostLines(const std::vector<std::wstring>& lines, ComputerList* list) {
  for (const std::wstring& line : lines) {
    if (line.empty()) continue;
    std::vector<std::wstring> fields = SplitLineFields(line);
    if (fields.size() != 5) continue;
    const int32_t host = ReadDecimal(fields[0]);
    if (host < 0 || host >= ComputerList::kHosts) continue;
    uint8_t mac[6];
    HexTextToMac(mac, fields[4]);
    list->AddHost(static_cast<uint8_t>(host), fields[1].c_str(), fields[2].c_str(),
                  static_cast<int16_t>(ReadDecimal(fields[3])), mac);
  }
}
