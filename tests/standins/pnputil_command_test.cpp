// The pnputil forms the removal and the tests run, and the ones the tool refuses.
#include "standins/tools/pnputil_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(PnputilCommand, Forms) {
  struct Case {
    const char* what;
    std::vector<std::wstring> args;
    PnputilAction action;
    bool install, force;
    const wchar_t* operand;
  } cases[] = {
      {"force delete, as the removal runs it", {L"-f", L"-d", L"oem3.inf"}, PnputilAction::Delete, false, true, L"oem3.inf"},
      {"delete", {L"-d", L"qvx_mp.inf"}, PnputilAction::Delete, false, false, L"qvx_mp.inf"},
      {"options after the action", {L"-d", L"-f", L"oem3.inf"}, PnputilAction::Delete, false, true, L"oem3.inf"},
      {"slash and capitals", {L"/F", L"/D", L"OEM3.INF"}, PnputilAction::Delete, false, true, L"OEM3.INF"},
      {"add", {L"-a", L"C:\\drv\\64\\qvx_mp.inf"}, PnputilAction::Add, false, false, L"C:\\drv\\64\\qvx_mp.inf"},
      {"add and install", {L"-i", L"-a", L"qvx_pt.inf"}, PnputilAction::Add, true, false, L"qvx_pt.inf"},
      {"enumerate", {L"-e"}, PnputilAction::Enumerate, false, false, L""},
      {"delete with a path", {L"-f", L"-d", L"C:\\windows\\inf\\oem3.inf"}, PnputilAction::Invalid, false, false, L""},
      {"delete a file that is no INF", {L"-d", L"lanvex.sys"}, PnputilAction::Invalid, false, false, L""},
      {"delete without a name", {L"-f", L"-d"}, PnputilAction::Invalid, false, false, L""},
      {"force with add", {L"-f", L"-a", L"qvx_mp.inf"}, PnputilAction::Invalid, false, false, L""},
      {"install with delete", {L"-i", L"-d", L"oem3.inf"}, PnputilAction::Invalid, false, false, L""},
      {"two actions", {L"-a", L"-d", L"oem3.inf"}, PnputilAction::Invalid, false, false, L""},
      {"enumerate with a name", {L"-e", L"oem3.inf"}, PnputilAction::Invalid, false, false, L""},
      {"unknown option", {L"-x", L"oem3.inf"}, PnputilAction::Invalid, false, false, L""},
      {"nothing", {}, PnputilAction::Invalid, false, false, L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    PnputilCommand command = ParsePnputilCommand(c.args);
    EXPECT_EQ(command.action, c.action);
    if (c.action == PnputilAction::Invalid) continue;
    EXPECT_EQ(command.install, c.install);
    EXPECT_EQ(command.force, c.force);
    EXPECT_EQ(command.operand, c.operand);
  }
}

}  // namespace
