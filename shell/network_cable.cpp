#include "shell/network_cable.h"

#include "common/adapter_table.h"
#include "shell/dialog_handlers.h"
#include "shell/dialog_ids.h"
#include "shell/lang_text.h"
#include "shell/show_msg_dlg.h"

CNetworkCable::CNetworkCable(CWnd* parent) : CDialog(IDD_NETWORK_CABLE, parent) {
  MapOpenDialogRegistration(*this);
  MapClicked(IDC_CABLE_CONTINUE, [this] { OnBnClickedContinue(); });
  MapClicked(IDC_CABLE_IGNORE, [this] { EndDialog(-2); });
  MapClicked(IDC_CABLE_CANCEL, [this] { EndDialog(-1); });
}

BOOL CNetworkCable::OnInitDialog() {
  CDialog::OnInitDialog();
  MoveDefaultButton(*this, IDC_CABLE_CANCEL);
  SetWindowText(LoadLangText(7, "TITLE_LINK_CHECK"));
  // The focus on Cancel too, whatever the template's order: a focused push button takes Enter
  // whatever the default is, and Enter must not start a link check.
  GotoDlgCtrl(GetDlgItemHandle(IDC_CABLE_CANCEL));
  return FALSE;
}

void CNetworkCable::OnBnClickedContinue() {
  const int buttons[] = {IDC_CABLE_CONTINUE, IDC_CABLE_CANCEL, IDC_CABLE_IGNORE};
  for (int id : buttons) ::EnableWindow(GetDlgItemHandle(id), FALSE);
  // Give the link watcher a moment to see a cable just plugged in.
  ::Sleep(1000);
  bool linkUp = g_AdapterTable.GetLinkFlag(m_adapterName) != 0;
  for (int id : buttons) ::EnableWindow(GetDlgItemHandle(id), TRUE);

  const wchar_t* caption = LoadLangText(7, "TITLE_LINK_CHECK");
  if (linkUp) {
    ShowTimedStatus(this, caption, LoadLangText(7, "TXT_LINK_DETECTED"), 1000);
    // A quit request during the notice has ended the dialog already; keep its -1.
    if (!IsEnding()) EndDialog(0);
  } else {
    ShowTimedStatus(this, caption, LoadLangText(7, "TXT_NOLINK"), 2000);
  }
}
