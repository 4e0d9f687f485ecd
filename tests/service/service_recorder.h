// Records what the service reports: the status records it hands to the control manager and the
// entries it writes to the event log, in place of the real calls.
#pragma once
#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

#include "service/service_system_calls.h"

struct RecordedEvent {
  WORD type;
  DWORD id;
  std::vector<std::wstring> texts;
};

class ServiceRecorder {
 public:
  ServiceRecorder() {
    saved_ = g_ServiceSystemCalls;
    current_ = this;
    g_ServiceSystemCalls.setServiceStatus = RecordStatus;
    g_ServiceSystemCalls.reportEvent = RecordEvent;
  }
  ~ServiceRecorder() {
    g_ServiceSystemCalls = saved_;
    current_ = nullptr;
  }
  ServiceRecorder(const ServiceRecorder&) = delete;
  ServiceRecorder& operator=(const ServiceRecorder&) = delete;

  std::vector<SERVICE_STATUS> Statuses() {
    std::lock_guard<std::mutex> hold(lock_);
    return statuses_;
  }
  std::vector<RecordedEvent> Events() {
    std::lock_guard<std::mutex> hold(lock_);
    return events_;
  }
  std::vector<DWORD> States() {
    std::vector<DWORD> states;
    for (const auto& status : Statuses()) states.push_back(status.dwCurrentState);
    return states;
  }
  // Waits up to `timeoutMs` for a report of `state`.
  bool WaitForState(DWORD state, DWORD timeoutMs) {
    for (DWORD waited = 0; waited <= timeoutMs; waited += 20) {
      for (DWORD seen : States()) {
        if (seen == state) return true;
      }
      Sleep(20);
    }
    return false;
  }
  int CountEvents(DWORD id) {
    int count = 0;
    for (const auto& event : Events()) count += event.id == id;
    return count;
  }

 private:
  static BOOL WINAPI RecordStatus(SERVICE_STATUS_HANDLE, LPSERVICE_STATUS status) {
    std::lock_guard<std::mutex> hold(current_->lock_);
    current_->statuses_.push_back(*status);
    return TRUE;
  }
  static BOOL WINAPI RecordEvent(HANDLE, WORD type, WORD, DWORD id, PSID, WORD count, DWORD, LPCWSTR* texts, LPVOID) {
    RecordedEvent event{type, id, {}};
    for (WORD i = 0; i < count; ++i) event.texts.emplace_back(texts[i]);
    std::lock_guard<std::mutex> hold(current_->lock_);
    current_->events_.push_back(event);
    return TRUE;
  }

  static inline ServiceRecorder* current_ = nullptr;
  ServiceSystemCalls saved_;
  std::mutex lock_;
  std::vector<SERVICE_STATUS> statuses_;
  std::vector<RecordedEvent> events_;
};
