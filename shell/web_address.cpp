#include "shell/web_address.h"

#include <windows.h>
#include <shellapi.h>

#include "common/os_version.h"
#include "shell/web_host.h"

namespace {
constexpr std::wstring_view kScheme = L"http://";

bool IsAsciiLetterOrDigit(wchar_t c) {
  return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9');
}

bool IsHostChar(wchar_t c) { return IsAsciiLetterOrDigit(c) || c == L'.' || c == L'-'; }

// Unreserved characters, the path separator, escapes, the query and fragment marks and the
// separators of query values; nothing a command line gives a meaning to.
bool IsPathChar(wchar_t c) {
  return IsAsciiLetterOrDigit(c) || std::wstring_view(L"-._~/%?=&+#,;!*$@").find(c) != std::wstring_view::npos;
}
}  // namespace

std::wstring MakerWebAddress(const wchar_t* path) {
  return std::wstring(kScheme) + kMakerWebHost + L"/" + path;
}

bool IsPlainWebLocation(std::wstring_view location) {
  if (location.empty() || !IsAsciiLetterOrDigit(location.front())) return false;
  const size_t slash = location.find(L'/');
  const std::wstring_view host = location.substr(0, slash);
  for (wchar_t c : host) {
    if (!IsHostChar(c)) return false;
  }
  if (slash == std::wstring_view::npos) return true;
  for (wchar_t c : location.substr(slash)) {
    if (!IsPathChar(c)) return false;
  }
  return true;
}

WebOpenCommand WebOpenCommandFor(const std::wstring& address, int osTypeCode) {
  if (osTypeCode == kOsTypeWindowsXp) return {L"iexplore.exe", L"\"" + address + L"\""};
  return {address, L""};
}

bool OpenWebAddress(const std::wstring& address) {
  if (address.compare(0, kScheme.size(), kScheme) != 0) return false;
  if (!IsPlainWebLocation(std::wstring_view(address).substr(kScheme.size()))) return false;
  const WebOpenCommand command = WebOpenCommandFor(address, GetOsTypeCode());
  HINSTANCE result = ::ShellExecuteW(nullptr, L"open", command.file.c_str(),
                                     command.parameters.empty() ? nullptr : command.parameters.c_str(), nullptr,
                                     SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32;
}
