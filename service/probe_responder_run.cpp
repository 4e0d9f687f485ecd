// The responder's place in a run of the service: what StartProbeResponder sets up on the run
// loop's thread, StopProbeResponder ends from the stopping thread, and EndProbeResponderRun
// releases on the run loop's thread again.
#include <objbase.h>

#include <cwchar>
#include <mutex>
#include <new>

#include "common/adapter_table.h"
#include "common/console_text.h"
#include "common/link_watcher.h"
#include "service/probe_responder.h"
#include "service/responder_settings.h"

namespace {

// Serialises the creation of the responder with its stop.
std::mutex g_ResponderLock;
ProbeResponder* g_ProbeResponder = nullptr;
// Set by a stop; no responder may start for the rest of the run.
bool g_ResponderStopped = false;
bool g_ComInitialised = false;

}  // namespace

ProbeResponder* CurrentProbeResponder() {
  std::lock_guard<std::mutex> hold(g_ResponderLock);
  return g_ProbeResponder;
}

int InitComSecurity() {
  if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) return -1;
  g_ComInitialised = true;
  HRESULT result = CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_PKT_PRIVACY,
                                        RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_SECURE_REFS, nullptr);
  if (FAILED(result)) {
    wchar_t text[64];
    std::swprintf(text, 64, L"CoInitializeSecurity() failed - returned 0x%lx", static_cast<unsigned long>(result));
    WriteConsoleText(STD_OUTPUT_HANDLE, text);
    return -1;
  }
  return 0;
}

int StartProbeResponder() {
  WSADATA winsock;
  if (WSAStartup(MAKEWORD(2, 2), &winsock) != 0) return -1;
  const std::wstring folder = ServiceSettingsFolder();
  const ResponderSettings settings = LoadResponderSettings(folder);
  InitComSecurity();
  g_AdapterTable.EnumerateWmi();
  StartLinkDetection();

  std::lock_guard<std::mutex> hold(g_ResponderLock);
  if (g_ResponderStopped || g_ProbeResponder) return 0;
  ProbeResponder* responder = new (std::nothrow) ProbeResponder();
  if (!responder) return 0;
  g_ProbeResponder = responder;
  responder->Init();
  responder->settingsFolder = folder;
  responder->SetPrivateIp(settings.privateIp);
  responder->CollectMachineInfo();
  responder->SetAdapterGuid(settings.adapterGuid.c_str());
  responder->SetAdapterName(settings.adapterName.c_str());
  responder->SetPorts(settings.scanPort, settings.kmPort);
  responder->Start();
  return 0;
}

int StopProbeResponder() {
  std::lock_guard<std::mutex> hold(g_ResponderLock);
  g_ResponderStopped = true;
  if (ProbeResponder* responder = g_ProbeResponder) {
    g_ProbeResponder = nullptr;
    // A thread that did not end in time may still use the record: it is left to the process's end.
    if (responder->Stop()) {
      responder->Close();
      delete responder;
    }
  }
  return 0;
}

void EndProbeResponderRun() {
  StopProbeResponder();
  // The link watcher's WMI objects and sink go while COM is still there, on the thread that made them.
  StopLinkDetection();
  if (g_ComInitialised) CoUninitialize();
  g_ComInitialised = false;
  std::lock_guard<std::mutex> hold(g_ResponderLock);
  g_ResponderStopped = false;
}
