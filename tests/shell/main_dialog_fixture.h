// What the main dialog's window tests share: a program folder of their own (with or without the
// files of an installation), the dialog run modally on the test thread with steps that run inside
// its loop, and a worker thread that talks to it from outside as the engines do.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/framework.h"
#include "shell/corvane_dlg.h"
#include "tests/common/temp_folder.h"

namespace main_dialog_test {

enum class Installation { kNone, kWithVirtualAdapters, kWithWanFlag };

// Writes the eight files of an installation (DHCP, or PHYSICAL for the WAN flag).
void WriteInstallation(const TempFolder& folder, Installation installation);

// Waits for condition while this thread keeps dispatching; true when it became true in time.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);
// The same from a thread that has no windows: only sleeps between looks.
bool WaitUntilFromWorker(const std::function<bool()>& condition, DWORD timeoutMs);

class MainDialogRun {
 public:
  // builtIn: the program's own templates, as when no language library loads.
  explicit MainDialogRun(Installation installation = Installation::kNone, const std::wstring& commandLine = L"",
                         bool builtIn = false);
  ~MainDialogRun();

  // Runs the dialog modally; scripted(dialog) runs once its window is shown, inside its loop, and
  // the watchdog quits a dialog that the script left running. Returns DoModal's result.
  INT_PTR Run(const std::function<void(CCorvaneDlg&)>& scripted, DWORD watchdogMs = 60000);

  CCorvaneDlg& Dialog() { return *dialog_; }
  const TempFolder& Folder() const { return folder_; }

 private:
  TempFolder folder_;
  CWinAppEx app_;
  std::unique_ptr<CCorvaneDlg> dialog_;
};

// The visible captions of the tab control's tabs, in order.
std::vector<std::wstring> TabCaptions(const CCorvaneDlg& dialog);

}  // namespace main_dialog_test
