// route.exe: the stand-in of the system's route tool (Wine has none) for the forms the Routing
// page runs: ADD, CHANGE and DELETE of a destination with MASK, gateway, METRIC and IF. It changes
// the Linux routes of its computer. On Linux a route's metric is part of its identity, so a change
// adds the route with its new metric first and then deletes the same route with any other metric;
// a gateway that is an address of the interface itself stands for the on-link route.
//   route CHANGE 0.0.0.0 MASK 0.0.0.0 10.0.1.1 METRIC 2 IF 11
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "monitor/route_plan.h"
#include "standins/driver/linux_shell.h"

namespace {

std::string Narrow(const wchar_t* text) {
  std::string narrow;
  for (; *text; ++text) narrow += *text < 128 ? static_cast<char>(*text) : '?';
  return narrow;
}

// The script for one command; the words are checked before, so they hold no shell characters.
std::string Script(const RouteCommand& c) {
  std::string prefix = c.destination + "/" + std::to_string(MaskPrefixLength(c.mask));
  std::string script =
      "set -u\n"
      "dest=" + prefix + " gw=" + c.gateway + " metric=" + std::to_string(c.metric) +
      " ifindex=" + std::to_string(c.interfaceIndex) + " verb=" + c.verb + "\n"
      "dev=\n"
      "if [ \"$ifindex\" -ge 0 ]; then\n"
      "  for d in /sys/class/net/*; do [ \"$(cat \"$d/ifindex\")\" = \"$ifindex\" ] && dev=${d##*/}; done\n"
      "elif [ -n \"$gw\" ]; then\n"
      "  dev=$(ip -o -4 route get \"$gw\" | sed -n 's/.* dev \\([^ ]*\\).*/\\1/p')\n"
      "fi\n"
      "[ -n \"$dev\" ] || { echo \"The route failed: no interface $ifindex\"; exit 1; }\n"
      // The gateway is the interface's own address: the route is on-link.
      "if [ -n \"$gw\" ] && ip -o -4 addr show dev \"$dev\" | grep -q \" $gw/\"; then via=\"scope link src $gw\"; "
      "match=\"\"; else via=${gw:+via $gw}; match=${gw:+via $gw }; fi\n"
      "old=$(ip -4 route show exact \"$dest\" dev \"$dev\" | grep -F \"$match\" | grep -v '^unreachable' |"
      " sed -n '/ metric /{s/.* metric \\([0-9]*\\).*/\\1/p;b};s/.*/0/p')\n"
      "case $verb in\n"
      "  change) [ -n \"$old\" ] || { echo 'The route change failed: Element not found.'; exit 1; } ;;\n"
      "  delete) [ -n \"$old\" ] || { echo 'The route deletion failed: Element not found.'; exit 1; }\n"
      "          for m in $old; do ip route del \"$dest\" $via dev \"$dev\" metric \"$m\" || exit 1; done; exit 0 ;;\n"
      "esac\n"
      "[ \"$metric\" -ge 1 ] || metric=1\n"
      // A delete with metric 0 takes a route of any metric: so the route of metric 0 goes first.
      "for m in $old; do [ \"$m\" = 0 ] && ip route del \"$dest\" $via dev \"$dev\" metric 0; done\n"
      // Windows keeps routes of one destination and metric through other gateways side by side;
      // Linux refuses the second unless it is appended.
      "ip route add \"$dest\" $via dev \"$dev\" metric \"$metric\" 2>/dev/null ||"
      " ip route append \"$dest\" $via dev \"$dev\" metric \"$metric\" 2>/dev/null ||"
      " ip route show exact \"$dest\" dev \"$dev\" | grep -F \"$match\" | grep -q \" metric $metric\\b\" ||"
      " { echo 'The route addition failed.'; exit 1; }\n"
      "[ \"$verb\" = add ] && exit 0\n"
      "for m in $old; do [ \"$m\" = \"$metric\" ] || [ \"$m\" = 0 ] || ip route del \"$dest\" $via dev \"$dev\" metric \"$m\"; done\n"
      "exit 0\n";
  return script;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> words;
  for (int i = 1; i < argc; ++i) words.push_back(Narrow(argv[i]));
  RouteCommand command;
  std::string error;
  if (!ParseRouteCommand(words, &command, &error)) {
    std::printf("route: %s\n", error.c_str());
    return 1;
  }
  LinuxShellResult result = RunLinuxShell(Script(command));
  if (!result.ran) {
    std::printf("route: the Linux shell did not answer\n");
    return 1;
  }
  std::fputs(result.output.c_str(), stdout);
  return result.exitCode;
}
