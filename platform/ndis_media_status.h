// Wine's WMI has no NDIS media classes and no events: this gives their connect and disconnect
// indications from the Linux interface's carrier state (there an adapter's name is its interface's,
// or for an installed device its description).
#pragma once
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class CarrierMediaStatus {
 public:
  // Receives (adapter name, 1 connected / 0 disconnected).
  using Indication = std::function<void(const wchar_t* name, uint8_t link)>;

  static constexpr const wchar_t* kLinuxInterfaces = L"Z:\\sys\\class\\net\\";
  static constexpr std::chrono::milliseconds kPollPeriod{250};

  explicit CarrierMediaStatus(std::wstring interfacesFolder = kLinuxInterfaces,
                              std::chrono::milliseconds period = kPollPeriod);
  ~CarrierMediaStatus();  // stops the thread
  CarrierMediaStatus(const CarrierMediaStatus&) = delete;
  CarrierMediaStatus& operator=(const CarrierMediaStatus&) = delete;

  // 1 carrier, 0 no carrier (the file is there but says so or cannot be read, as for an interface
  // that is down), -1 no such interface or a name that is not a plain interface name.
  int ReadCarrier(const std::wstring& name) const;

  // The interface whose carrier stands for an adapter name: the name itself, or the interface
  // whose device the name describes (FillInAdapterDescription); the name when there is neither.
  std::wstring InterfaceOf(const std::wstring& name) const;

  // Indicates the present state of every name that can be read; returns how many could.
  int IndicatePresent(const std::vector<std::wstring>& names, const Indication& indicate) const;

  // Indicates the present state of every readable name, then follows the names on a thread of its
  // own, indicating each change. False (and no thread) when none of the names can be read or it
  // runs already.
  bool Start(std::vector<std::wstring> names, Indication indicate);
  // Ends and joins the thread; nothing is indicated after it returns.
  void Stop();
  bool Running() const { return thread_.joinable(); }

 private:
  void Poll(std::vector<std::wstring> names, std::vector<std::wstring> interfaces, std::vector<int> states,
            Indication indicate);

  const std::wstring folder_;
  const std::chrono::milliseconds period_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stopRequested_ = false;
  std::thread thread_;
};
