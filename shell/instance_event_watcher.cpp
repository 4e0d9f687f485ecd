#include "shell/instance_event_watcher.h"

#include "shell/instance_events.h"
#include "shell/main_messages.h"

namespace {
constexpr SIZE_T kThreadStackBytes = 8192;
enum WaitSlot : DWORD { kStopSlot, kBringToFrontSlot, kQuitRequestSlot, kSlotCount };
}  // namespace

bool InstanceEventWatcher::Start() {
  stopEvent_ = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
  if (!stopEvent_) return false;
  bringToFrontEvent_ = ::CreateEventW(nullptr, FALSE, FALSE, kBringToFrontEvent);
  if (!bringToFrontEvent_) return false;
  quitRequestEvent_ = ::CreateEventW(nullptr, FALSE, FALSE, kQuitRequestEvent);
  if (!quitRequestEvent_) return false;
  thread_ = ::CreateThread(nullptr, kThreadStackBytes, ThreadProc, this, 0, nullptr);
  return thread_ != nullptr;
}

void InstanceEventWatcher::Close() {
  for (HANDLE* handle : {&thread_, &stopEvent_, &bringToFrontEvent_, &quitRequestEvent_}) {
    if (*handle) ::CloseHandle(*handle);
    *handle = nullptr;
  }
}

DWORD WINAPI InstanceEventWatcher::ThreadProc(void* self) {
  static_cast<InstanceEventWatcher*>(self)->Run();
  return 0;
}

void InstanceEventWatcher::Run() {
  const HANDLE slots[kSlotCount] = {stopEvent_, bringToFrontEvent_, quitRequestEvent_};
  while (!stop_) {
    DWORD woke = ::WaitForMultipleObjects(kSlotCount, slots, FALSE, INFINITE);
    if (woke == WAIT_OBJECT_0 + kStopSlot) return;
    HWND window = window_;
    if (woke == WAIT_OBJECT_0 + kBringToFrontSlot) {
      if (window) ::PostMessageW(window, UM_BRING_TO_FRONT, 0, 0);
    } else if (woke == WAIT_OBJECT_0 + kQuitRequestSlot) {
      if (window) {
        ::SendMessageW(window, UM_CLOSE_DIALOGS, 0, 0);
        ::SendMessageW(window, UM_QUIT_OR_ABOUT, 1, 0);
      }
    } else {
      return;  // a failed wait ends the thread
    }
  }
}
