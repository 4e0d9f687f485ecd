#include "shell/msg_yes_no.h"

#include "shell/dialog_handlers.h"
#include "shell/dialog_ids.h"

CMsgYesNo::CMsgYesNo(CWnd* parent) : CDialog(IDD_MSG_YES_NO, parent) {
  MapOpenDialogRegistration(*this);
  MapClicked(IDC_YES_NO_YES, [this] { EndDialog(0); });
  MapClicked(IDC_YES_NO_NO, [this] { EndDialog(-1); });
}

BOOL CMsgYesNo::OnInitDialog() {
  CDialog::OnInitDialog();
  MoveDefaultButton(*this, IDC_YES_NO_NO);
  SetWindowText(m_caption);
  SetDlgItemText(IDC_YES_NO_TEXT, m_text);
  // The focus on No too: a focused push button takes Enter whatever the default is.
  GotoDlgCtrl(GetDlgItemHandle(IDC_YES_NO_NO));
  return FALSE;
}
