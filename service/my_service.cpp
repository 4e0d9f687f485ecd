#include "service/my_service.h"

#include "common/console_text.h"
#include "service/probe_responder.h"

namespace {

constexpr DWORD kRunLoopTickMs = 1000;
constexpr DWORD kPendingWaitHintMs = 1100;
constexpr DWORD kUnchanged = static_cast<DWORD>(-1);

}  // namespace

CMyService::CMyService()
    : CNTService(L"Corvane", L"Corvane Scan Response Service", SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_PAUSE_CONTINUE,
                 L"Corvane Scan Response Service") {}

void CMyService::ReportRunEvent(DWORD id) {
  // The run loop's events are written whether the event log is in use or not.
  eventSource_.ReportText(EVENTLOG_INFORMATION_TYPE, MapEventId(id), displayName_.c_str());
}

void CMyService::StartResponder() { StartProbeResponder(); }
void CMyService::StopResponder() { StopProbeResponder(); }
void CMyService::EndResponderRun() { EndProbeResponderRun(); }

void CMyService::Run(DWORD /*argc*/, wchar_t** /*argv*/) {
  ReportStatus(SERVICE_START_PENDING, 1, kPendingWaitHintMs, kUnchanged);
  ReportStatus(SERVICE_RUNNING, kUnchanged, kUnchanged, kUnchanged);
  ReportRunEvent(kMsgServiceStarted);
  StartResponder();
  // Compared with what was last reported, not with the flag before each sleep: a pause that came
  // before the loop first looked would otherwise never be reported.
  LONG pausedReported = 0;
  for (;;) {
    if (stopRequested_.load()) break;
    Sleep(kRunLoopTickMs);
    const LONG pausedNow = paused_.load();
    if (pausedNow == pausedReported) continue;
    pausedReported = pausedNow;
    if (pausedNow) {
      ReportStatus(SERVICE_PAUSED, kUnchanged, kUnchanged, kUnchanged);
      ReportRunEvent(kMsgServicePaused);
    } else {
      ReportStatus(SERVICE_RUNNING, kUnchanged, kUnchanged, kUnchanged);
      ReportRunEvent(kMsgServiceContinued);
    }
  }
  ReportStatus(SERVICE_STOP_PENDING, 1, kPendingWaitHintMs, kUnchanged);
  ReportRunEvent(kMsgServiceStopped);
  EndResponderRun();
}

void CMyService::OnStop() {
  StopResponder();
  stopRequested_.exchange(1);
}

void CMyService::OnPause() { paused_.exchange(1); }
void CMyService::OnContinue() { paused_.exchange(0); }

void CMyService::ShowHelp() {
  WriteConsoleText(STD_OUTPUT_HANDLE,
                   L"Corvane service to response for scan request\n"
                   L"Usage: Echoward [ -install | -uninstall | -remove | -start | -pause | -continue | -stop | -help | -? ]\n");
}
