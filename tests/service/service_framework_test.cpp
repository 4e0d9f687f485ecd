// The service framework: status reports, the mapping of control codes, the run loop of the
// scan-response service and the failure texts.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "service/my_service.h"
#include "service/service_handles.h"
#include "tests/service/service_recorder.h"

namespace {

constexpr DWORD kUnchanged = static_cast<DWORD>(-1);
const SERVICE_STATUS_HANDLE kFakeHandle = reinterpret_cast<SERVICE_STATUS_HANDLE>(0x1234);

// The framework with a status handle, as if registered with the control manager.
class RegisteredService : public CNTService {
 public:
  RegisteredService() : CNTService(L"TestService", L"Test Service", SERVICE_ACCEPT_STOP, L"") {
    statusHandle_ = kFakeHandle;
  }
};

TEST(SendStatus, RecordsOfASequence) {
  struct Step {
    DWORD state, checkpoint, waitHint, accepted, exitCode, specificCode;
    SERVICE_STATUS expected;  // type, state, accepted, exit, specific, checkpoint, wait hint
  };
  const DWORD own = SERVICE_WIN32_OWN_PROCESS;
  const Step steps[] = {
      {SERVICE_START_PENDING, 1, 1100, kUnchanged, 5, 6, {own, SERVICE_START_PENDING, 0, 0, 0, 1, 1100}},
      {SERVICE_START_PENDING, kUnchanged, kUnchanged, kUnchanged, 0, 0, {own, SERVICE_START_PENDING, 0, 0, 0, 1, 1100}},
      {SERVICE_START_PENDING, 2, kUnchanged, kUnchanged, 0, 0, {own, SERVICE_START_PENDING, 0, 0, 0, 2, 1100}},
      {SERVICE_RUNNING, 7, 7, kUnchanged, 9, 9, {own, SERVICE_RUNNING, SERVICE_ACCEPT_STOP, 0, 0, 0, 0}},
      {SERVICE_PAUSED, kUnchanged, kUnchanged, 3, 0, 0, {own, SERVICE_PAUSED, 3, 0, 0, 0, 0}},
      {SERVICE_STOP_PENDING, 1, 1100, kUnchanged, 0, 0, {own, SERVICE_STOP_PENDING, 0, 0, 0, 1, 1100}},
      {SERVICE_RUNNING, kUnchanged, kUnchanged, kUnchanged, 0, 0, {own, SERVICE_RUNNING, 3, 0, 0, 0, 0}},
      {SERVICE_STOPPED, 4, 4, 0, 1066, 42, {own, SERVICE_STOPPED, 0, 1066, 42, 0, 0}},
  };
  ServiceRecorder recorder;
  RegisteredService service;
  for (const auto& step : steps) {
    EXPECT_TRUE(service.SendStatus(step.state, step.checkpoint, step.waitHint, step.accepted, step.exitCode,
                                   step.specificCode));
  }
  const auto statuses = recorder.Statuses();
  ASSERT_EQ(statuses.size(), std::size(steps));
  for (size_t i = 0; i < statuses.size(); ++i) {
    SCOPED_TRACE(i);
    const SERVICE_STATUS& got = statuses[i];
    const SERVICE_STATUS& want = steps[i].expected;
    EXPECT_EQ(got.dwServiceType, want.dwServiceType);
    EXPECT_EQ(got.dwCurrentState, want.dwCurrentState);
    EXPECT_EQ(got.dwControlsAccepted, want.dwControlsAccepted);
    EXPECT_EQ(got.dwWin32ExitCode, want.dwWin32ExitCode);
    EXPECT_EQ(got.dwServiceSpecificExitCode, want.dwServiceSpecificExitCode);
    EXPECT_EQ(got.dwCheckPoint, want.dwCheckPoint);
    EXPECT_EQ(got.dwWaitHint, want.dwWaitHint);
  }
}

TEST(SendStatus, WithoutAHandleNothingIsSent) {
  ServiceRecorder recorder;
  CMyService service;
  EXPECT_FALSE(service.ReportStatus(SERVICE_RUNNING, kUnchanged, kUnchanged, kUnchanged));
  EXPECT_TRUE(recorder.Statuses().empty());
  EXPECT_EQ(service.CurrentState(), static_cast<DWORD>(SERVICE_RUNNING));
}

// Records which operation each control reached.
class OperationRecorder : public RegisteredService {
 public:
  std::vector<std::string> calls;
  void OnStop() override { calls.push_back("stop"); }
  void OnPause() override { calls.push_back("pause"); }
  void OnContinue() override { calls.push_back("continue"); }
  void OnInterrogate() override { calls.push_back("interrogate"); }
  void OnShutdown() override { calls.push_back("shutdown"); }
  void OnParamChange() override { calls.push_back("paramchange"); }
  void OnNetBindAdd() override { calls.push_back("bindadd"); }
  void OnNetBindRemove() override { calls.push_back("bindremove"); }
  void OnNetBindEnable() override { calls.push_back("bindenable"); }
  void OnNetBindDisable() override { calls.push_back("binddisable"); }
  DWORD OnDeviceEvent(DWORD type, void*) override {
    calls.push_back("device " + std::to_string(type));
    return 11;
  }
  DWORD OnHardwareProfileChange(DWORD type, void*) override {
    calls.push_back("hardware " + std::to_string(type));
    return 12;
  }
  DWORD OnPowerEvent(DWORD type, void*) override {
    calls.push_back("power " + std::to_string(type));
    return 13;
  }
  void OnSessionChange(DWORD type, void*) override { calls.push_back("session " + std::to_string(type)); }
  void OnPreShutdown() override { calls.push_back("preshutdown"); }
  void OnTimeChange(void*) override { calls.push_back("time"); }
  void OnTriggerEvent() override { calls.push_back("trigger"); }
  void OnUserDefinedRequest(DWORD control) override { calls.push_back("user " + std::to_string(control)); }
};

TEST(HandlerEx, EveryControlReachesItsOperation) {
  struct Case {
    DWORD control;
    std::string call;
    DWORD result;
  };
  const Case cases[] = {
      {1, "stop", 0},          {2, "pause", 0},          {3, "continue", 0},     {4, "interrogate", 0},
      {5, "shutdown", 0},      {6, "paramchange", 0},    {7, "bindadd", 0},      {8, "bindremove", 0},
      {9, "bindenable", 0},    {10, "binddisable", 0},   {11, "device 77", 11},  {12, "hardware 77", 12},
      {13, "power 77", 13},    {14, "session 77", 0},    {15, "preshutdown", 0}, {16, "time", 0},
      {32, "trigger", 0},      {0, "user 0", 0},         {17, "user 17", 0},     {31, "user 31", 0},
      {33, "user 33", 0},      {128, "user 128", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.control);
    ServiceRecorder recorder;
    OperationRecorder service;
    service.SendStatus(SERVICE_RUNNING, 0, 0, kUnchanged, 0, 0);
    EXPECT_EQ(service.HandlerEx(c.control, 77, nullptr), c.result);
    EXPECT_EQ(service.calls, std::vector<std::string>{c.call});
    // The current state is reported again after every control.
    EXPECT_EQ(recorder.States(), (std::vector<DWORD>{SERVICE_RUNNING, SERVICE_RUNNING}));
  }
}

TEST(HandlerEx, DefaultOperationsWriteTheirEvents) {
  struct Case {
    DWORD control;
    DWORD event;  // 0: none
  };
  const Case cases[] = {{1, 0x40000003}, {2, 0x40000004}, {3, 0x40000005}, {5, 0x40000009}, {4, 0}, {128, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.control);
    ServiceRecorder recorder;
    RegisteredService service;
    service.HandlerEx(c.control, 0, nullptr);
    const auto events = recorder.Events();
    if (c.event == 0) {
      EXPECT_TRUE(events.empty());
    } else {
      ASSERT_EQ(events.size(), 1u);
      EXPECT_EQ(events[0].id, c.event);
      EXPECT_EQ(events[0].type, EVENTLOG_INFORMATION_TYPE);
      EXPECT_EQ(events[0].texts, std::vector<std::wstring>{L"Test Service"});
    }
  }
}

// The scan-response service with its responder replaced by counters, and a status handle.
class RunLoopService : public CMyService {
 public:
  RunLoopService() { statusHandle_ = kFakeHandle; }
  bool RegisterControlHandler() override { return true; }
  std::atomic<int> started{0}, stopped{0}, ended{0};

 protected:
  void StartResponder() override { ++started; }
  void StopResponder() override { ++stopped; }
  void EndResponderRun() override { ++ended; }
};

TEST(RunLoop, StartAndStop) {
  ServiceRecorder recorder;
  RunLoopService service;
  std::thread serviceMain([&] { service.ServiceMain(0, nullptr); });
  EXPECT_TRUE(recorder.WaitForState(SERVICE_RUNNING, 5000));
  service.HandlerEx(SERVICE_CONTROL_STOP, 0, nullptr);
  serviceMain.join();
  EXPECT_EQ(recorder.States(), (std::vector<DWORD>{SERVICE_START_PENDING, SERVICE_RUNNING, SERVICE_RUNNING,
                                                   SERVICE_STOP_PENDING, SERVICE_STOPPED}));
  const auto statuses = recorder.Statuses();
  EXPECT_EQ(statuses[0].dwCheckPoint, 1u);
  EXPECT_EQ(statuses[0].dwWaitHint, 1100u);
  EXPECT_EQ(statuses.back().dwWin32ExitCode, 0u);
  EXPECT_EQ(recorder.CountEvents(0x40000001), 1);
  EXPECT_EQ(recorder.CountEvents(0x40000003), 1);
  EXPECT_EQ(service.started.load(), 1);
  EXPECT_EQ(service.stopped.load(), 1);
  EXPECT_EQ(service.ended.load(), 1);
}

TEST(RunLoop, PauseAndContinue) {
  ServiceRecorder recorder;
  RunLoopService service;
  std::thread serviceMain([&] { service.ServiceMain(0, nullptr); });
  EXPECT_TRUE(recorder.WaitForState(SERVICE_RUNNING, 5000));
  service.HandlerEx(SERVICE_CONTROL_PAUSE, 0, nullptr);
  EXPECT_TRUE(recorder.WaitForState(SERVICE_PAUSED, 3000));
  service.HandlerEx(SERVICE_CONTROL_CONTINUE, 0, nullptr);
  for (int i = 0; i < 150 && recorder.CountEvents(0x40000005) == 0; ++i) Sleep(20);
  // A pause and a continue within the same second change nothing.
  service.HandlerEx(SERVICE_CONTROL_PAUSE, 0, nullptr);
  service.HandlerEx(SERVICE_CONTROL_CONTINUE, 0, nullptr);
  Sleep(2200);
  service.HandlerEx(SERVICE_CONTROL_STOP, 0, nullptr);
  serviceMain.join();
  EXPECT_EQ(recorder.CountEvents(0x40000004), 1);
  EXPECT_EQ(recorder.CountEvents(0x40000005), 1);
  // The responder is not touched by a pause.
  EXPECT_EQ(service.stopped.load(), 1);
}

TEST(RunLoop, PauseBeforeTheLoopLooksIsReported) {
  ServiceRecorder recorder;
  RunLoopService service;
  // Paused between the running report and the loop's first look.
  service.HandlerEx(SERVICE_CONTROL_PAUSE, 0, nullptr);
  std::thread serviceMain([&] { service.ServiceMain(0, nullptr); });
  EXPECT_TRUE(recorder.WaitForState(SERVICE_PAUSED, 3000));
  service.HandlerEx(SERVICE_CONTROL_STOP, 0, nullptr);
  serviceMain.join();
  EXPECT_EQ(recorder.CountEvents(0x40000004), 1);
  EXPECT_EQ(recorder.CountEvents(0x40000005), 0);
}

class TerminatingService : public RegisteredService {
 public:
  bool RegisterControlHandler() override { return true; }
  void Run(DWORD, wchar_t**) override { ThrowTerminate(ERROR_SERVICE_SPECIFIC_ERROR, 77); }
};

TEST(RunLoop, TerminationCarriesItsExitCodes) {
  ServiceRecorder recorder;
  TerminatingService service;
  service.ServiceMain(0, nullptr);
  const auto statuses = recorder.Statuses();
  ASSERT_EQ(statuses.size(), 1u);
  EXPECT_EQ(statuses[0].dwCurrentState, static_cast<DWORD>(SERVICE_STOPPED));
  EXPECT_EQ(statuses[0].dwWin32ExitCode, static_cast<DWORD>(ERROR_SERVICE_SPECIFIC_ERROR));
  EXPECT_EQ(statuses[0].dwServiceSpecificExitCode, 77u);
}

// The failure texts in the formats the framework knows.
class TextFormats : public CNTService {
 public:
  TextFormats(DWORD returned, DWORD event) : CNTService(L"T", L"T", 0, L"") {
    returnedTextFormat_ = returned;
    eventTextFormat_ = event;
  }
};

TEST(FailureText, Formats) {
  const std::wstring system = CMyService().GetSystemErrorText(5);
  ASSERT_FALSE(system.empty());
  const std::wstring install = L"CNTService::Install, Failed call to open SCM, Error:";
  struct Case {
    DWORD format;
    bool forEvent;
    std::wstring expected;
  };
  const Case cases[] = {
      {0, false, L"5"},
      {1, false, L"5, " + system},
      {2, false, system},
      {3, false, install + L"5"},
      {4, false, install + L"5, " + system},
      {5, false, install + system},
      {6, false, L""},
      {0, true, L"5"},
      {1, true, L"5, " + system},
      {2, true, system},
      {4, true, L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.format << (c.forEvent ? " event" : " returned"));
    TextFormats service(c.forEvent ? 99 : c.format, c.forEvent ? c.format : 99);
    EXPECT_EQ(service.FormatFailureText(1, 5, c.forEvent), c.expected);
  }
}

TEST(Help, UsageText) {
  testing::internal::CaptureStdout();
  CMyService().ShowHelp();
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "Corvane service to response for scan request\n"
            "Usage: Echoward [ -install | -uninstall | -remove | -start | -pause | -continue | -stop | -help | -? ]\n");
}

}  // namespace

namespace {

// A service the prefix's control manager does not know.
class MissingService : public CNTService {
 public:
  MissingService() : CNTService(L"CorvaneNoSuchService", L"No Such Service", 0, L"") {}
};

TEST(ControlRequests, MissingServiceFailsWithItsEvent) {
  struct Case {
    const char* what;
    int request;  // -1: uninstall
    DWORD event;
  };
  const Case cases[] = {{"uninstall", -1, 0xC0000007}, {"start", 0, 0xC0000007}, {"pause", 1, 0xC0000007},
                        {"continue", 2, 0xC0000007}, {"stop", 3, 0xC0000007}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ServiceRecorder recorder;
    MissingService service;
    DWORD error = 0;
    std::wstring text;
    const bool done = c.request < 0 ? service.Uninstall(&text, &error, 1000)
                                    : service.SetServiceToStatus(static_cast<DWORD>(c.request), &error, 1000, 250);
    EXPECT_FALSE(done);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_SERVICE_DOES_NOT_EXIST));
    const auto events = recorder.Events();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].id, c.event);
    EXPECT_EQ(events[0].type, EVENTLOG_ERROR_TYPE);
    ASSERT_EQ(events[0].texts.size(), 1u);
    EXPECT_EQ(events[0].texts[0], service.FormatFailureText(0, ERROR_SERVICE_DOES_NOT_EXIST, true));
    if (c.request < 0) {
      EXPECT_EQ(text.rfind(L"CNTService::Uninstall, Failed call to OpenService, Error:1060, ", 0), 0u);
    }
  }
}

}  // namespace

namespace {

// Installed into the prefix's control manager under a name of this test's own, without an event
// source. After its options it works on the handle once more: the handle is still the caller's.
class InstallingService : public CNTService {
 public:
  InstallingService()
      : CNTService(L"CorvaneInstallTest", L"Corvane Install Test", 0, L"Corvane Install Test") {
    serviceName_ += std::to_wstring(::GetCurrentProcessId());
    useEventLog_ = 0;
    serviceCommandLine_ = L"C:\\windows\\system32\\cmd.exe";
  }
  bool ApplyServiceOptions(ServiceHandle& service, std::wstring* failureText, DWORD* error) override {
    const bool applied = CNTService::ApplyServiceOptions(service, failureText, error);
    handleUsableAfterOptions_ = service.SetDescription(L"set again after the options");
    handleErrorAfterOptions_ = ::GetLastError();
    return applied;
  }
  bool handleUsableAfterOptions_ = false;
  DWORD handleErrorAfterOptions_ = 0;
};

DWORD ProcessHandleCount() {
  DWORD count = 0;
  ::GetProcessHandleCount(::GetCurrentProcess(), &count);
  return count;
}

TEST(Install, TheCreatedHandleStaysTheCallersAndNothingLeaks) {
  auto installAndUninstall = [](InstallingService& service) {
    std::wstring text;
    DWORD error = 0;
    ASSERT_TRUE(service.Install(&text, &error)) << error;
    ASSERT_TRUE(service.Uninstall(&text, &error, 5000)) << error;
  };
  {
    InstallingService service;
    installAndUninstall(service);
    EXPECT_TRUE(service.handleUsableAfterOptions_) << "error " << service.handleErrorAfterOptions_;
  }
  const DWORD before = ProcessHandleCount();
  for (int i = 0; i < 50; ++i) {
    SCOPED_TRACE(i);
    InstallingService service;
    installAndUninstall(service);
    ASSERT_TRUE(service.handleUsableAfterOptions_);
  }
  EXPECT_EQ(ProcessHandleCount(), before);
}

}  // namespace

namespace {

// A console run whose work only looks whether the console control handler is there, and then
// returns or ends the run with a termination.
class ConsoleRunService : public CNTService {
 public:
  explicit ConsoleRunService(bool terminate)
      : CNTService(L"CorvaneConsoleTest", L"Console Test", 0, L""), terminate_(terminate) {}
  void Run(DWORD, wchar_t**) override {
    // Taken away and put back: it was there while the work ran.
    handlerDuringRun_ = ::SetConsoleCtrlHandler(ConsoleCtrlCallback, FALSE) != FALSE;
    ::SetConsoleCtrlHandler(ConsoleCtrlCallback, TRUE);
    if (terminate_) ThrowTerminate(ERROR_NOT_READY, 0);
  }
  bool terminate_;
  bool handlerDuringRun_ = false;
};

TEST(ConsoleRun, TheControlHandlerGoesWithTheRun) {
  for (bool terminate : {false, true}) {
    SCOPED_TRACE(terminate ? "ended by a termination" : "returned");
    ConsoleRunService service(terminate);
    bool terminated = false;
    try {
      service.RunInConsole();
    } catch (const CNTServiceTerminateException&) {
      terminated = true;
    }
    EXPECT_EQ(terminated, terminate);
    EXPECT_TRUE(service.handlerDuringRun_);
    // Not there any more: a removal finds nothing to remove.
    EXPECT_FALSE(::SetConsoleCtrlHandler(ConsoleCtrlCallback, FALSE));
  }
}

}  // namespace
