#include "tests/shell/main_dialog_fixture.h"

#include <gtest/gtest.h>

#include "tests/shell/lang_library.h"
#include "tests/shell/modal_script.h"

namespace main_dialog_test {

void WriteInstallation(const TempFolder& folder, Installation installation) {
  if (installation == Installation::kNone) return;
  const char* wan = installation == Installation::kWithWanFlag ? "PHYSICAL" : "DHCP";
  folder.WriteBytes(L"DrvInstPhyNic.txt", "QVX_VER=1\r\n{00000002-0000-0000-0000-4E6574446576}\r\neth0\r\n");
  folder.WriteBytes(L"DrvInstWanType.txt", std::string("QVX_VER=1\r\n") + wan + "\r\n");
  folder.WriteBytes(L"PhysicalMacAddr.txt", "QVX_VER=1\r\n021122334455\r\n");
  folder.WriteBytes(L"PrivateIp.txt", "QVX_VER=1\r\n192.168.5.1\r\n");
  folder.WriteBytes(L"VirtualMacAddr.txt", "QVX_VER=1\r\n021122334466\r\n");
  folder.WriteBytes(L"CloneAdaptGuidName.txt", "QVX_VER=1\r\n\r\n");
  folder.WriteBytes(L"PrivateAdaptGuidName.txt", "QVX_VER=1\r\n\r\n");
  folder.WriteBytes(L"OtherAdaptGuidName.txt", "QVX_VER=1\r\n\r\n");
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  DWORD start = ::GetTickCount();
  while (!condition()) {
    if (::GetTickCount() - start > timeoutMs) return false;
    PumpMessagesFor(20);
  }
  return true;
}

bool WaitUntilFromWorker(const std::function<bool()>& condition, DWORD timeoutMs) {
  DWORD start = ::GetTickCount();
  while (!condition()) {
    if (::GetTickCount() - start > timeoutMs) return false;
    ::Sleep(20);
  }
  return true;
}

MainDialogRun::MainDialogRun(Installation installation, const std::wstring& commandLine, bool builtIn) {
  WriteInstallation(folder_, installation);
  if (builtIn) {
    UseBuiltInTemplates();
  } else {
    UseLangLibrary(kLangLibraries[0]);
  }
  dialog_ = std::make_unique<CCorvaneDlg>(CorvaneDlgStart{folder_.path(), L"corvane_test.exe " + commandLine,
                                                          L"corvane_test.exe"});
  app_.m_pMainWnd = dialog_.get();
}

MainDialogRun::~MainDialogRun() {
  CancelPendingSteps();
  app_.m_pMainWnd = nullptr;
  dialog_.reset();
}

INT_PTR MainDialogRun::Run(const std::function<void(CCorvaneDlg&)>& scripted, DWORD watchdogMs) {
  CCorvaneDlg& dialog = *dialog_;
  if (scripted) {
    RunLater(200, [&dialog, scripted] {
      if (dialog.IsWindowVisible()) scripted(dialog);
    });
  }
  RunLater(watchdogMs, [&dialog] {
    ADD_FAILURE() << "the script left the dialog running";
    dialog.Quit();
  });
  INT_PTR result = dialog.DoModal();
  CancelPendingSteps();
  // The quit that ended the run is posted again for outer loops; this thread has none.
  MSG quit;
  while (::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  return result;
}

std::vector<std::wstring> TabCaptions(const CCorvaneDlg& dialog) {
  std::vector<std::wstring> captions;
  for (const TabCtrl::Item* tab : dialog.TabControl().Tabs()) captions.push_back(tab->text);
  return captions;
}

}  // namespace main_dialog_test
