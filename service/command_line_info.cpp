#include "service/command_line_info.h"

#include <cwchar>
#include <cwctype>

#include "common/decimal_text.h"

namespace {

bool SameWord(const wchar_t* a, const wchar_t* b) {
  for (; *a && *b; ++a, ++b) {
    if (std::towlower(*a) != std::towlower(*b)) return false;
  }
  return *a == *b;
}

// The text after `prefix` when the switch starts with it and goes on; nullptr otherwise.
const wchar_t* ValueAfterPrefix(const wchar_t* param, const wchar_t* prefix) {
  for (; *prefix; ++param, ++prefix) {
    if (!*param || std::towlower(*param) != std::towlower(*prefix)) return nullptr;
  }
  return *param ? param : nullptr;
}

}  // namespace

void WipeText(std::wstring& text) {
  for (auto& c : text) c = L'\0';
  text.clear();
}

void CNTServiceCommandLineInfo::WipeCredentials() {
  WipeText(account_);
  WipeText(password_);
}

void CNTServiceCommandLineInfo::ParseParam(const wchar_t* param, bool isSwitch, bool /*isLast*/) {
  if (!isSwitch) return;

  struct Word {
    const wchar_t* text;
    uint32_t action;  // or one of the two flags below
  };
  constexpr uint32_t kSilentFlag = 100, kAutoFlag = 101;
  static const Word kWords[] = {
      {L"install", kInstallService}, {L"silent", kSilentFlag},       {L"start", kStartService},
      {L"pause", kPauseService},     {L"continue", kContinueService}, {L"stop", kStopService},
      {L"auto", kAutoFlag},          {L"remove", kUninstallService}, {L"uninstall", kUninstallService},
      {L"debug", kDebugService},     {L"app", kDebugService},        {L"application", kDebugService},
      {L"console", kDebugService},   {L"help", kShowServiceHelp},    {L"?", kShowServiceHelp},
  };
  for (const Word& word : kWords) {
    if (!SameWord(param, word.text)) continue;
    if (word.action == kSilentFlag) {
      silent_ = 1;
    } else if (word.action == kAutoFlag) {
      autoStart_ = 1;
    } else {
      action_ = word.action;
    }
    return;
  }

  struct Prefix {
    const wchar_t* text;
    std::wstring CNTServiceCommandLineInfo::*field;
  };
  if (const wchar_t* value = ValueAfterPrefix(param, L"T:")) {
    timeout_ = ReadUnsignedDecimal(value);
    return;
  }
  static const Prefix kPrefixes[] = {
      {L"SCL:", &CNTServiceCommandLineInfo::serviceCommandLine_},
      {L"SD:", &CNTServiceCommandLineInfo::description_},
      {L"SN:", &CNTServiceCommandLineInfo::serviceName_},
      {L"SDN:", &CNTServiceCommandLineInfo::displayName_},
      {L"P:", &CNTServiceCommandLineInfo::password_},
      {L"U:", &CNTServiceCommandLineInfo::account_},
  };
  for (const Prefix& prefix : kPrefixes) {
    if (const wchar_t* value = ValueAfterPrefix(param, prefix.text)) {
      this->*prefix.field = value;
      return;
    }
  }
}
