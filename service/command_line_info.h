// The service program's parsed command line: one action, the time-out of the control requests,
// and the values that installation and the service's own identity take from it.
#pragma once
#include <cstdint>
#include <string>

class CNTServiceCommandLineInfo {
 public:
  enum Action : uint32_t {
    kRunAsService = 0,
    kStartService = 1,
    kPauseService = 2,
    kContinueService = 3,
    kStopService = 4,
    kInstallService = 5,
    kUninstallService = 6,
    kDebugService = 7,
    kShowServiceHelp = 8,
  };
  static constexpr uint32_t kDefaultTimeoutMs = 5000;

  CNTServiceCommandLineInfo() = default;
  virtual ~CNTServiceCommandLineInfo() = default;

  // One argument with its leading '-' or '/' dropped (isSwitch set), in command-line order.
  virtual void ParseParam(const wchar_t* param, bool isSwitch, bool isLast);

  // Overwrites the account and password with zeros, then empties them.
  void WipeCredentials();

  uint32_t action_ = kRunAsService;
  uint32_t timeout_ = kDefaultTimeoutMs;
  uint32_t silent_ = 0;
  std::wstring serviceCommandLine_;  // "SCL:"
  std::wstring serviceName_;         // "SN:"
  std::wstring displayName_;         // "SDN:"
  std::wstring description_;         // "SD:"
  std::wstring account_;             // "U:"
  std::wstring password_;            // "P:"
  uint32_t autoStart_ = 0;
};

// Overwrites every character with zero, then empties the text.
void WipeText(std::wstring& text);
