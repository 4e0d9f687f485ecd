// Where WMI cannot tell the media state, "Z:\sys\class\net\<if>\carrier" can: it is read here,
// once for the present state and then on a thread of its own, several times a second.
#include "platform/ndis_media_status.h"

#include <windows.h>

#include "platform/adapter_description.h"

namespace {

// A name that could leave the interfaces folder is no interface name.
bool IsPlainName(const std::wstring& name) {
  if (name.empty() || name == L"." || name == L"..") return false;
  return name.find_first_of(L"\\/:*?\"<>|") == std::wstring::npos;
}

}  // namespace

CarrierMediaStatus::CarrierMediaStatus(std::wstring interfacesFolder, std::chrono::milliseconds period)
    : folder_(std::move(interfacesFolder)), period_(period) {}

CarrierMediaStatus::~CarrierMediaStatus() { Stop(); }

int CarrierMediaStatus::ReadCarrier(const std::wstring& name) const {
  if (!IsPlainName(name)) return -1;
  std::wstring path = folder_ + name + L"\\carrier";
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return -1;
  char text[8] = {};
  DWORD got = 0;
  BOOL read = ReadFile(file, text, sizeof text - 1, &got, nullptr);
  CloseHandle(file);
  return read && got > 0 && text[0] == '1' ? 1 : 0;
}

std::wstring CarrierMediaStatus::InterfaceOf(const std::wstring& name) const {
  if (ReadCarrier(name) >= 0) return name;
  // An adapter the device tree holds is named by its device's description, as on Windows.
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW((folder_ + L"*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return name;
  std::wstring found = name;
  do {
    wchar_t described[132];
    if (FillInAdapterDescription(entry.cFileName, described, 132) && name == described) {
      found = entry.cFileName;
      break;
    }
  } while (FindNextFileW(find, &entry));
  FindClose(find);
  return found;
}

int CarrierMediaStatus::IndicatePresent(const std::vector<std::wstring>& names,
                                        const Indication& indicate) const {
  int readable = 0;
  for (const std::wstring& name : names) {
    int state = ReadCarrier(InterfaceOf(name));
    if (state < 0) continue;
    ++readable;
    indicate(name.c_str(), static_cast<uint8_t>(state));
  }
  return readable;
}

bool CarrierMediaStatus::Start(std::vector<std::wstring> names, Indication indicate) {
  if (thread_.joinable() || !indicate) return false;
  std::vector<int> states;
  std::vector<std::wstring> interfaces;
  bool anyReadable = false;
  for (const std::wstring& name : names) {
    interfaces.push_back(InterfaceOf(name));
    states.push_back(ReadCarrier(interfaces.back()));
    anyReadable = anyReadable || states.back() >= 0;
  }
  if (!anyReadable) return false;
  for (size_t i = 0; i < names.size(); ++i) {
    if (states[i] >= 0) indicate(names[i].c_str(), static_cast<uint8_t>(states[i]));
  }
  stopRequested_ = false;
  thread_ = std::thread(&CarrierMediaStatus::Poll, this, std::move(names), std::move(interfaces), std::move(states),
                        std::move(indicate));
  return true;
}

void CarrierMediaStatus::Stop() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopRequested_ = true;
  }
  wake_.notify_all();
  thread_.join();
}

void CarrierMediaStatus::Poll(std::vector<std::wstring> names, std::vector<std::wstring> interfaces,
                              std::vector<int> states, Indication indicate) {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!wake_.wait_for(lock, period_, [this] { return stopRequested_; })) {
    lock.unlock();
    for (size_t i = 0; i < names.size(); ++i) {
      int state = ReadCarrier(interfaces[i]);
      // An interface that vanished says nothing; one that comes back is indicated again.
      if (state >= 0 && state != states[i]) indicate(names[i].c_str(), static_cast<uint8_t>(state));
      states[i] = state;
    }
    lock.lock();
  }
}
