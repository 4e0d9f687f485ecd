// -i goes with -a only and -f with -d only, as the tool's usage says.
#include "standins/tools/pnputil_command.h"

#include <cwctype>

namespace {

std::wstring Lower(std::wstring text) {
  for (auto& c : text) c = static_cast<wchar_t>(towlower(c));
  return text;
}

}  // namespace

PnputilCommand ParsePnputilCommand(const std::vector<std::wstring>& args) {
  PnputilCommand command;
  PnputilAction action = PnputilAction::Invalid;
  std::vector<std::wstring> operands;
  for (const auto& arg : args) {
    if (arg.size() == 2 && (arg[0] == L'-' || arg[0] == L'/')) {
      PnputilAction named = PnputilAction::Invalid;
      switch (towlower(arg[1])) {
        case L'a': named = PnputilAction::Add; break;
        case L'd': named = PnputilAction::Delete; break;
        case L'e': named = PnputilAction::Enumerate; break;
        case L'i': command.install = true; continue;
        case L'f': command.force = true; continue;
        default: return PnputilCommand{};
      }
      if (action != PnputilAction::Invalid) return PnputilCommand{};
      action = named;
      continue;
    }
    operands.push_back(arg);
  }
  bool needsOperand = action == PnputilAction::Add || action == PnputilAction::Delete;
  if (operands.size() != (needsOperand ? 1u : 0u)) return PnputilCommand{};
  if (command.install && action != PnputilAction::Add) return PnputilCommand{};
  if (command.force && action != PnputilAction::Delete) return PnputilCommand{};
  if (action == PnputilAction::Delete && !IsPublishedInfName(operands[0])) return PnputilCommand{};
  command.action = action;
  if (needsOperand) command.operand = operands[0];
  return command;
}

bool IsPublishedInfName(const std::wstring& name) {
  if (name.size() < 5 || Lower(name.substr(name.size() - 4)) != L".inf") return false;
  return name.find_first_of(L"\\/:*?\"<>|") == std::wstring::npos && name[0] != L'.';
}
