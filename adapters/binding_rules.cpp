#include "adapters/binding_rules.h"

#include <algorithm>
#include <iterator>

namespace {

const wchar_t* const kRestoreLater[] = {L"ms_smb", L"ms_netbt", L"ms_tcpip6", L"ms_tcpip",
                                        L"ms_lltdio", L"ms_rspndr", L"ms_pppoe", L"ms_ndisuio"};
const wchar_t* const kRestoreXp[] = {L"ms_netbt", L"ms_ndisuio", L"ms_pppoe"};

template <size_t N>
bool Listed(const wchar_t* const (&list)[N], std::wstring_view id) {
  return std::any_of(std::begin(list), std::end(list), [id](const wchar_t* entry) { return id == entry; });
}

bool IsSeparator(wchar_t c) { return c == L' ' || c == L'\r' || c == L'\n' || c == L'\0'; }

}  // namespace

std::wstring LowerAscii(std::wstring_view text) {
  std::wstring lower(text);
  for (auto& c : lower) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  return lower;
}

BindingAction DecideBinding(int mode, bool xp, std::wstring_view componentId) {
  switch (mode) {
    case 0:
      return componentId == L"ms_tcpip" ? BindingAction::kEnable : BindingAction::kLeave;
    case 1:
      return (xp ? Listed(kRestoreXp, componentId) : Listed(kRestoreLater, componentId)) ? BindingAction::kEnable
                                                                                         : BindingAction::kLeave;
    case 2:
      return LowerAscii(componentId) == L"qvxproto" ? BindingAction::kEnable : BindingAction::kDisable;
    case 3:
      return componentId == L"ms_pppoe" ? BindingAction::kEnable : BindingAction::kDisable;
    case 4:
      return LowerAscii(componentId) == L"qvxproto" ? BindingAction::kDisable : BindingAction::kLeave;
    default:
      return BindingAction::kLeave;
  }
}

std::wstring BindingPathToken(std::wstring_view componentId, std::wstring_view pnpDevNodeId) {
  std::wstring token(componentId);
  token += L"->";
  token += pnpDevNodeId;
  return token;
}

std::wstring BindingLine(std::wstring_view componentId, std::wstring_view pnpDevNodeId, bool enabled) {
  std::wstring line(componentId);
  line += L" " + BindingPathToken(componentId, pnpDevNodeId) + (enabled ? L" 1\n" : L" 0\n");
  return line;
}

bool AppendBindingLine(std::wstring& text, const std::wstring& line) {
  if (line.size() > kBindingLineChars) return false;
  if (text.size() + line.size() + 1 >= kBindingTextUnits) return false;
  text += line;
  return true;
}

std::vector<BindingPair> ParseBindingText(std::wstring_view text) {
  std::vector<BindingPair> pairs;
  std::wstring fields[3];
  int taken = 0;
  size_t at = 0;
  while (at < text.size()) {
    while (at < text.size() && IsSeparator(text[at])) ++at;
    const size_t start = at;
    while (at < text.size() && !IsSeparator(text[at])) ++at;
    if (at == start) break;
    fields[taken++] = std::wstring(text.substr(start, at - start));
    if (taken == 3) {
      taken = 0;
      if (pairs.size() == kMaxBindingPairs) break;
      pairs.push_back({fields[0], fields[1]});
    }
  }
  return pairs;
}
