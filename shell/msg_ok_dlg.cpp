#include "shell/msg_ok_dlg.h"

#include "shell/dialog_handlers.h"
#include "shell/dialog_ids.h"

CMsgOkDlg::CMsgOkDlg(CWnd* parent) : CDialog(IDD_MSG_OK, parent) { MapOpenDialogRegistration(*this); }

BOOL CMsgOkDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowText(m_caption);
  SetDlgItemText(IDC_MSG_OK_TEXT, m_text);
  return TRUE;
}
