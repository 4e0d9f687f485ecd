// The scan-response service: reports running, starts the scan responder and watches its two flags
// once a second; a stop ends the responder.
#pragma once
#include <atomic>

#include "service/nt_service.h"

class CMyService : public CNTService {
 public:
  CMyService();

  void Run(DWORD argc, wchar_t** argv) override;
  void OnStop() override;
  void OnPause() override;
  void OnContinue() override;
  void OnUserDefinedRequest(DWORD /*control*/) override {}
  void ShowHelp() override;

  bool StopRequested() const { return stopRequested_.load() != 0; }
  bool Paused() const { return paused_.load() != 0; }

 protected:
  // The responder's part of a run; tests of the run loop replace them.
  virtual void StartResponder();
  virtual void StopResponder();
  virtual void EndResponderRun();

 private:
  void ReportRunEvent(DWORD id);

  std::atomic<LONG> stopRequested_{0};
  std::atomic<LONG> paused_{0};
};
