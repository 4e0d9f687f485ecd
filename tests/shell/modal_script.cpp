#include "tests/shell/modal_script.h"

#include <map>

namespace {
std::map<UINT_PTR, std::function<void()>>& Steps() {
  static std::map<UINT_PTR, std::function<void()>> steps;  // the test thread only
  return steps;
}

void CALLBACK RunStep(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  auto found = Steps().find(id);
  if (found == Steps().end()) return;
  std::function<void()> step = std::move(found->second);
  Steps().erase(found);
  step();
}
}  // namespace

void RunLater(DWORD delayMs, std::function<void()> step) {
  UINT_PTR id = ::SetTimer(nullptr, 0, delayMs, RunStep);
  if (id) Steps()[id] = std::move(step);
}

void CancelPendingSteps() {
  for (auto& entry : Steps()) ::KillTimer(nullptr, entry.first);
  Steps().clear();
}
