#include "shell/help_msg.h"

#include "shell/dialog_handlers.h"
#include "shell/dialog_ids.h"

CHelpMsg::CHelpMsg(CWnd* parent) : CDialog(IDD_HELP_MSG, parent) { MapOpenDialogRegistration(*this); }

BOOL CHelpMsg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowText(m_caption ? m_caption : L"");
  SetDlgItemText(IDC_HELP_HEADING, m_heading ? m_heading : L"");
  SetDlgItemText(IDC_HELP_BODY, m_body ? m_body : L"");
  return TRUE;
}
