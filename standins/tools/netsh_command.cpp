// netsh takes any unambiguous prefix of a command or tag ("dns", "dnsserver" and "dnsservers" are
// one command), tags as "tag=value" or by position, and words in any letter case.
#include "standins/tools/netsh_command.h"

#include <cwctype>

namespace {

std::wstring Lower(std::wstring text) {
  for (auto& c : text) c = static_cast<wchar_t>(towlower(c));
  return text;
}

// True when `word` abbreviates `full` to at least `shortest` letters.
bool Abbreviates(const std::wstring& word, const wchar_t* full, size_t shortest) {
  std::wstring lowered = Lower(word), whole = full;
  return lowered.size() >= shortest && lowered.size() <= whole.size() && whole.compare(0, lowered.size(), lowered) == 0;
}

struct Argument {
  std::wstring tag;  // lower case; "" for a positional value
  std::wstring value;
};

std::vector<Argument> SplitTags(const std::vector<std::wstring>& args, size_t from) {
  std::vector<Argument> result;
  for (size_t i = from; i < args.size(); ++i) {
    size_t equals = args[i].find(L'=');
    if (equals == std::wstring::npos) result.push_back({L"", args[i]});
    else result.push_back({Lower(args[i].substr(0, equals)), args[i].substr(equals + 1)});
  }
  return result;
}

// Gives each positional value the next tag of `order` that no tag named; false on an unknown tag
// or a tag given twice.
bool AssignTags(std::vector<Argument>& arguments, const std::vector<const wchar_t*>& order, std::wstring* error) {
  std::vector<bool> used(order.size(), false);
  for (auto& a : arguments) {
    if (a.tag.empty()) continue;
    bool known = false;
    for (size_t i = 0; i < order.size() && !known; ++i) {
      if (Abbreviates(a.tag, order[i], 1) && !used[i]) {
        a.tag = order[i];
        used[i] = known = true;
      }
    }
    if (!known) {
      *error = L"The parameter is incorrect.";
      return false;
    }
  }
  size_t next = 0;
  for (auto& a : arguments) {
    if (!a.tag.empty()) continue;
    while (next < order.size() && used[next]) ++next;
    if (next == order.size()) {
      *error = L"The parameter is incorrect.";
      return false;
    }
    a.tag = order[next];
    used[next] = true;
  }
  return true;
}

std::wstring Value(const std::vector<Argument>& arguments, const wchar_t* tag) {
  for (const auto& a : arguments) {
    if (a.tag == tag) return a.value;
  }
  return {};
}

bool Has(const std::vector<Argument>& arguments, const wchar_t* tag) {
  for (const auto& a : arguments) {
    if (a.tag == tag) return true;
  }
  return false;
}

NetshCommand Invalid(const std::wstring& error) {
  NetshCommand command;
  command.error = error;
  return command;
}

NetshCommand NotFound(const std::vector<std::wstring>& args) {
  std::wstring text;
  for (const auto& a : args) text += (text.empty() ? L"" : L" ") + a;
  return Invalid(L"The following command was not found: " + text + L".");
}

// "interface ip set address ..." after "address".
NetshCommand SetAddress(const std::vector<std::wstring>& args, size_t from) {
  NetshCommand command;
  auto arguments = SplitTags(args, from);
  // Windows XP: name static ADDR MASK GATEWAY|none [GWMETRIC]; later: name source= addr= mask= gateway=.
  if (!AssignTags(arguments, {L"name", L"source", L"address", L"mask", L"gateway", L"gwmetric"}, &command.error))
    return command;
  command.connection = Value(arguments, L"name");
  std::wstring source = Lower(Value(arguments, L"source"));
  if (command.connection.empty()) return Invalid(L"The parameter is incorrect.");
  if (source == L"dhcp") {
    if (Has(arguments, L"address") || Has(arguments, L"mask") || Has(arguments, L"gateway"))
      return Invalid(L"The parameter is incorrect.");
    command.action = NetshAction::SetDhcpAddress;
    return command;
  }
  if (source != L"static") return Invalid(L"The parameter is incorrect.");
  command.address = Value(arguments, L"address");
  command.mask = Value(arguments, L"mask");
  command.gateway = Value(arguments, L"gateway");
  if (Lower(command.gateway) == L"none") command.gateway.clear();
  if (!IsIpv4Text(command.address) || PrefixLengthOfMask(command.mask) < 0 ||
      (!command.gateway.empty() && !IsIpv4Text(command.gateway)))
    return Invalid(L"The parameter is incorrect.");
  command.action = NetshAction::SetStaticAddress;
  return command;
}

// "interface ip set dns|dnsserver|dnsservers ..." after the command word.
NetshCommand SetDns(const std::vector<std::wstring>& args, size_t from) {
  NetshCommand command;
  auto arguments = SplitTags(args, from);
  if (!AssignTags(arguments, {L"name", L"source", L"address", L"register", L"validate"}, &command.error)) return command;
  command.connection = Value(arguments, L"name");
  std::wstring source = Lower(Value(arguments, L"source"));
  if (command.connection.empty()) return Invalid(L"The parameter is incorrect.");
  if (source == L"dhcp") {
    command.action = NetshAction::SetDhcpDns;
    return command;
  }
  command.dns = Value(arguments, L"address");
  if (source != L"static" || !IsIpv4Text(command.dns)) return Invalid(L"The parameter is incorrect.");
  std::wstring reg = Lower(Value(arguments, L"register"));
  if (!reg.empty() && reg != L"none" && reg != L"primary" && reg != L"both") return Invalid(L"The parameter is incorrect.");
  command.action = NetshAction::SetStaticDns;
  return command;
}

// "interface set interface ..." after the second "interface".
NetshCommand SetInterface(const std::vector<std::wstring>& args, size_t from) {
  NetshCommand command;
  auto arguments = SplitTags(args, from);
  if (!AssignTags(arguments, {L"name", L"admin", L"connect", L"newname"}, &command.error)) return command;
  command.connection = Value(arguments, L"name");
  std::wstring admin = Lower(Value(arguments, L"admin"));
  if (command.connection.empty()) return Invalid(L"The parameter is incorrect.");
  if (admin == L"enabled" || admin == L"enable") command.enable = true;
  else if (admin == L"disabled" || admin == L"disable") command.enable = false;
  else return Invalid(L"The parameter is incorrect.");
  command.action = NetshAction::SetInterfaceAdmin;
  return command;
}

// "firewall add|delete allowedprogram ..." after "allowedprogram".
NetshCommand AllowedProgram(const std::vector<std::wstring>& args, size_t from, bool add) {
  NetshCommand command;
  auto arguments = SplitTags(args, from);
  if (!AssignTags(arguments, {L"program", L"name", L"mode", L"scope", L"addresses", L"profile"}, &command.error))
    return command;
  command.program = Value(arguments, L"program");
  command.ruleName = Value(arguments, L"name");
  if (command.program.empty() || (add && command.ruleName.empty())) return Invalid(L"The parameter is incorrect.");
  std::wstring mode = Lower(Value(arguments, L"mode"));
  if (mode == L"disable") command.enable = false;
  else if (!mode.empty() && mode != L"enable") return Invalid(L"The parameter is incorrect.");
  command.action = add ? NetshAction::FirewallAddProgram : NetshAction::FirewallDeleteProgram;
  return command;
}

// "advfirewall firewall add|delete rule ..." after "rule": every value is tagged.
NetshCommand Rule(const std::vector<std::wstring>& args, size_t from, bool add) {
  NetshCommand command;
  auto arguments = SplitTags(args, from);
  for (const auto& a : arguments) {
    if (a.tag.empty()) return Invalid(L"The parameter is incorrect.");
  }
  if (!AssignTags(arguments, {L"name", L"dir", L"action", L"program", L"enable", L"profile", L"protocol", L"localport"},
                  &command.error))
    return command;
  command.ruleName = Value(arguments, L"name");
  command.direction = Lower(Value(arguments, L"dir"));
  command.ruleAction = Lower(Value(arguments, L"action"));
  command.program = Value(arguments, L"program");
  if (command.ruleName.empty()) return Invalid(L"The parameter is incorrect.");
  if (!command.direction.empty() && command.direction != L"in" && command.direction != L"out")
    return Invalid(L"The parameter is incorrect.");
  if (add) {
    if (command.direction.empty()) command.direction = L"in";
    if (command.ruleAction != L"allow" && command.ruleAction != L"block" && command.ruleAction != L"bypass")
      return Invalid(L"The parameter is incorrect.");
  } else if (!command.ruleAction.empty()) {
    return Invalid(L"The parameter is incorrect.");
  }
  command.action = add ? NetshAction::AdvFirewallAddRule : NetshAction::AdvFirewallDeleteRule;
  return command;
}

}  // namespace

bool IsIpv4Text(const std::wstring& text) {
  int parts = 0;
  size_t i = 0;
  while (i <= text.size()) {
    size_t start = i;
    unsigned value = 0;
    while (i < text.size() && text[i] >= L'0' && text[i] <= L'9' && i - start < 3) value = value * 10 + (text[i++] - L'0');
    if (i == start || value > 255) return false;
    ++parts;
    if (i == text.size()) break;
    if (text[i] != L'.') return false;
    ++i;
  }
  return parts == 4;
}

int PrefixLengthOfMask(const std::wstring& mask) {
  if (!IsIpv4Text(mask)) return -1;
  unsigned long bits = 0;
  size_t i = 0;
  for (int part = 0; part < 4; ++part) {
    unsigned value = 0;
    while (i < mask.size() && mask[i] != L'.') value = value * 10 + (mask[i++] - L'0');
    ++i;
    bits = bits << 8 | value;
  }
  int length = 0;
  while (length < 32 && (bits & (0x80000000ul >> length))) ++length;
  unsigned long expected = length == 0 ? 0 : (0xFFFFFFFFul << (32 - length)) & 0xFFFFFFFFul;
  return bits == expected ? length : -1;
}

NetshCommand ParseNetshCommand(const std::vector<std::wstring>& args) {
  auto word = [&](size_t i, const wchar_t* full, size_t shortest) {
    return i < args.size() && Abbreviates(args[i], full, shortest);
  };
  if (word(0, L"interface", 1)) {
    if ((word(1, L"ip", 2) || word(1, L"ipv4", 4)) && word(2, L"set", 3)) {
      if (word(3, L"address", 1)) return SetAddress(args, 4);
      if (word(3, L"dnsservers", 3)) return SetDns(args, 4);
    }
    if (word(1, L"set", 3) && word(2, L"interface", 1)) return SetInterface(args, 3);
  }
  if (word(0, L"firewall", 1) && word(2, L"allowedprogram", 2)) {
    if (word(1, L"add", 3)) return AllowedProgram(args, 3, true);
    if (word(1, L"delete", 3)) return AllowedProgram(args, 3, false);
  }
  if (word(0, L"advfirewall", 2) && word(1, L"firewall", 1) && word(3, L"rule", 1)) {
    if (word(2, L"add", 3)) return Rule(args, 4, true);
    if (word(2, L"delete", 3)) return Rule(args, 4, false);
  }
  return NotFound(args);
}
