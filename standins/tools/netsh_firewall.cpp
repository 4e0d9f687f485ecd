// One value per rule. The advanced firewall's: named by a GUID of its own, data
// "v2.10|Action=Allow|Active=TRUE|Dir=In|App=<path>|Name=<name>|". The older firewall's allowed
// programs: named by the program's path, data "<path>:*:Enabled:<name>".
#include "standins/tools/netsh_firewall.h"

#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <cwctype>
#include <string>
#include <vector>

const wchar_t kFirewallRulesKey[] =
    L"SYSTEM\\CurrentControlSet\\Services\\SharedAccess\\Parameters\\FirewallPolicy\\FirewallRules";
const wchar_t kAuthorizedProgramsKey[] =
    L"SYSTEM\\CurrentControlSet\\Services\\SharedAccess\\Parameters\\FirewallPolicy\\StandardProfile\\"
    L"AuthorizedApplications\\List";

namespace {

std::wstring Capitalised(std::wstring word) {
  for (auto& c : word) c = static_cast<wchar_t>(towlower(c));
  if (!word.empty()) word[0] = static_cast<wchar_t>(towupper(word[0]));
  return word;
}

// The value of `field` in rule data "...|Field=value|..."; "" when it has none.
std::wstring Field(const std::wstring& data, const wchar_t* field) {
  std::wstring key = std::wstring(L"|") + field + L"=";
  size_t start = data.find(key);
  if (start == std::wstring::npos) return {};
  start += key.size();
  size_t end = data.find(L'|', start);
  return data.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
}

HKEY OpenStore(const wchar_t* path) {
  HKEY key = nullptr;
  if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return nullptr;
  return key;
}

bool SetString(HKEY key, const std::wstring& name, const std::wstring& data) {
  return ::RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

int Ok() {
  std::wprintf(L"Ok.\n\n");
  return 0;
}

int AddRule(HKEY store, const NetshCommand& command) {
  GUID guid;
  ::CoCreateGuid(&guid);
  wchar_t name[40];
  ::StringFromGUID2(guid, name, 40);
  std::wstring data = L"v2.10|Action=" + Capitalised(command.ruleAction) + L"|Active=TRUE|Dir=" +
                      Capitalised(command.direction) + L"|";
  if (!command.program.empty()) data += L"App=" + command.program + L"|";
  data += L"Name=" + command.ruleName + L"|";
  return SetString(store, name, data) ? Ok() : 1;
}

// Deletes every rule of that name (and direction and program, when given), as netsh does.
int DeleteRules(HKEY store, const NetshCommand& command) {
  std::vector<std::wstring> doomed;
  for (DWORD i = 0;; ++i) {
    wchar_t name[128];
    wchar_t data[2048] = {};
    DWORD nameLength = 128, size = sizeof data - sizeof(wchar_t), type = 0;
    if (::RegEnumValueW(store, i, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS)
      break;
    if (type != REG_SZ) continue;
    std::wstring rule = data;
    if (_wcsicmp(Field(rule, L"Name").c_str(), command.ruleName.c_str()) != 0) continue;
    if (!command.direction.empty() && _wcsicmp(Field(rule, L"Dir").c_str(), command.direction.c_str()) != 0) continue;
    if (!command.program.empty() && _wcsicmp(Field(rule, L"App").c_str(), command.program.c_str()) != 0) continue;
    doomed.push_back(name);
  }
  if (doomed.empty()) {
    std::wprintf(L"\nNo rules match the specified criteria.\n\n");
    return 1;
  }
  for (const auto& name : doomed) ::RegDeleteValueW(store, name.c_str());
  std::wprintf(L"\nDeleted %u rule(s).\n", static_cast<unsigned>(doomed.size()));
  return Ok();
}

int AddProgram(HKEY store, const NetshCommand& command) {
  std::wstring data = command.program + L":*:" + (command.enable ? L"Enabled" : L"Disabled") + L":" + command.ruleName;
  return SetString(store, command.program, data) ? Ok() : 1;
}

int DeleteProgram(HKEY store, const NetshCommand& command) {
  if (::RegDeleteValueW(store, command.program.c_str()) != ERROR_SUCCESS) {
    std::wprintf(L"The system cannot find the file specified.\n\n");
    return 1;
  }
  return Ok();
}

}  // namespace

int RunFirewallCommand(const NetshCommand& command) {
  bool advanced = command.action == NetshAction::AdvFirewallAddRule || command.action == NetshAction::AdvFirewallDeleteRule;
  HKEY store = OpenStore(advanced ? kFirewallRulesKey : kAuthorizedProgramsKey);
  if (!store) {
    std::wprintf(L"Access is denied.\n\n");
    return 1;
  }
  int code = 1;
  switch (command.action) {
    case NetshAction::AdvFirewallAddRule: code = AddRule(store, command); break;
    case NetshAction::AdvFirewallDeleteRule: code = DeleteRules(store, command); break;
    case NetshAction::FirewallAddProgram: code = AddProgram(store, command); break;
    case NetshAction::FirewallDeleteProgram: code = DeleteProgram(store, command); break;
    default: break;
  }
  ::RegCloseKey(store);
  return code;
}
