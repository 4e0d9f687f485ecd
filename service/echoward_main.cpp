// Echoward: the scan-response service, its own installer and its own remote control.
#include <windows.h>

#include "service/command_line_info.h"
#include "service/my_service.h"

namespace {

int ServiceProgramMain(int argc, wchar_t** argv) {
  // Nothing of a window framework to set up: the program only needs its own module.
  if (!GetModuleHandleW(nullptr)) return 1;
  CNTServiceCommandLineInfo info;
  CMyService service;
  service.mayChangeServiceName_ = 1;
  service.mayChangeDisplayName_ = 1;
  service.mayChangeDescription_ = 1;
  service.mayAddServiceCommandLine_ = 1;
  service.ParseCommandLine(info, argc, argv);
  return static_cast<int>(service.ProcessShellCommand(info));
}

}  // namespace

int wmain(int argc, wchar_t** argv) { return ServiceProgramMain(argc, argv); }
