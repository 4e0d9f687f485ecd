#include "adapters/rmv_drv.h"

#include "adapters/remove_sequence.h"
#include "adapters/worker_wait.h"
#include "common/os_version.h"
#include "shell/dialog_handlers.h"
#include "shell/dialog_ids.h"
#include "shell/lang_text.h"
#include "shell/main_messages.h"

namespace {
constexpr int kZone = 7;
constexpr SIZE_T kWorkerStack = 32 * 1024;
}  // namespace

void OnBnClickedExit(CDialog& dialog) { dialog.PostMessage(WM_CLOSE); }

CRmvDrv::CRmvDrv(CWnd* parent) : CDialog(IDD_RMV_DRV, parent) {
  MapOpenDialogRegistration(*this);
  MapClicked(IDC_RMV_REMOVE, [this] { OnBnClickedRemove(); });
  MapClicked(IDC_RMV_EXIT, [this] { OnBnClickedExit(*this); });
  MapMessage(UM_PROGRESS_TEXT, [this](WPARAM, LPARAM lParam) {
    if (lParam) SetDlgItemText(IDC_RMV_PROGRESS, reinterpret_cast<const wchar_t*>(lParam));
    return LRESULT(0);
  });
}

BOOL CRmvDrv::OnInitDialog() {
  CDialog::OnInitDialog();
  xp_ = GetOsTypeCode() == kOsTypeWindowsXp;
  ::ShowWindow(GetDlgItemHandle(IDC_RMV_EXIT), SW_HIDE);
  installer_ = std::make_unique<CNicInstaller>();
  installer_->SetProgressWindow(m_hWnd);
  installer_->SetDone(false);
  installer_->SetXp(xp_);
  return TRUE;
}

DWORD WINAPI CRmvDrv::RemoveDriverThread(void* self) {
  auto* dialog = static_cast<CRmvDrv*>(self);
  RunRemove(dialog->installer_.get(), dialog->m_physicalGuid);
  dialog->result_ = dialog->installer_->IsDone();
  return 0;
}

void CRmvDrv::OnBnClickedRemove() {
  EnableWindow(false);
  BringDialogToFront(m_hWnd);
  ::EnableWindow(GetDlgItemHandle(IDC_RMV_REMOVE), FALSE);
  SetDlgItemText(IDC_RMV_PROGRESS, LoadLangText(kZone, "TXT_REMOVING"));
  // The driver's device must be closed before its driver goes.
  if (m_mainWindow) ::SendMessageW(m_mainWindow, UM_CLOSE_DEVICE, 0, 0);
  result_ = false;
  RunWorkerWithMessages(&CRmvDrv::RemoveDriverThread, this, kWorkerStack);
  if (result_) {
    SetDlgItemText(IDC_RMV_PROGRESS, LoadLangText(kZone, "TXT_DRV_REMOVED"));
    m_removed = true;
    PostMessage(WM_CLOSE);
  } else {
    ::ShowWindow(GetDlgItemHandle(IDC_RMV_REMOVE), SW_HIDE);
    ::ShowWindow(GetDlgItemHandle(IDC_RMV_EXIT), SW_SHOW);
  }
  EnableWindow(true);
}
