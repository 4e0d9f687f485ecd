#include "shell/show_msg_dlg.h"

#include "shell/dialog_ids.h"
#include "shell/lang_text.h"
#include "shell/lang_text_format.h"

CShowMsgDlg::CShowMsgDlg(CWnd* parent) : CDialog(IDD_SHOW_MSG, parent) {
  MapClicked(IDC_SHOW_MSG_CUSTOM, [this] { OnBnClickedCustom(); });
}

CShowMsgDlg::~CShowMsgDlg() {
  if (m_hWnd) DestroyWindow();
  if (m_customButtonEvent) ::CloseHandle(m_customButtonEvent);
}

bool CShowMsgDlg::CreateOnDesktop() {
  return Create(IDD_SHOW_MSG, CWnd::FromHandle(::GetDesktopWindow()));
}

void CShowMsgDlg::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, IDC_SHOW_MSG_LINE1, m_line1);
  DDX_Control(dx, IDC_SHOW_MSG_LINE2, m_line2);
  DDX_Control(dx, IDC_SHOW_MSG_CUSTOM, m_customButton);
}

BOOL CShowMsgDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_progressCount = 0;
  if (m_customButtonWanted) {
    m_customButton.SetWindowText(m_customButtonCaption);
    m_customButton.ShowWindow(SW_SHOW);
  } else {
    CRect frame;
    GetWindowRect(&frame);
    SetWindowPos(nullptr, 0, 0, frame.Width() - 100, frame.Height() - 40,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return TRUE;
}

void CShowMsgDlg::OnBnClickedCustom() {
  if (m_customButtonEvent) ::SetEvent(m_customButtonEvent);
}

void CShowMsgDlg::SetTitleAndClear(const std::wstring& title) {
  SetWindowText(title);
  m_line1.SetWindowText(L"");
  m_line2.SetWindowText(L"");
}

void CShowMsgDlg::SetLine1(const std::wstring& text) { m_line1.SetWindowText(text); }
void CShowMsgDlg::SetLine2(const std::wstring& text) { m_line2.SetWindowText(text); }

void CShowMsgDlg::ShowLine1Now(const std::wstring& text) {
  m_line1.SetWindowText(text);
  UpdateWindow();
  m_line1.UpdateWindow();
}

void CShowMsgDlg::ShowScanUsedIpProgress() {
  ++m_progressCount;
  ShowLine1Now(FormatLangText(LoadLangText(5, "TXT_SCAN_USED_IP_PROG"), m_progressCount));
}

void CShowMsgDlg::ShowScanCompleted(int seconds) {
  ShowLine1Now(FormatLangText(LoadLangText(7, "TXT_SCAN_COMP"), seconds, 3));
}

void CShowMsgDlg::ShowScanCompletedWifi() {
  ++m_progressCount;
  ShowLine1Now(FormatLangText(LoadLangText(7, "TXT_SCAN_COMP_WIFI"), m_progressCount));
}

void ShowTimedStatus(CWnd* parent, const std::wstring& caption, const std::wstring& line1, DWORD milliseconds) {
  auto* box = new CShowMsgDlg(parent);
  if (box->CreateOnDesktop()) {
    box->SetWindowText(caption);
    box->SetLine1(line1);
    box->ShowWindow(SW_SHOW);
    box->UpdateWindow();
    PumpMessagesFor(milliseconds);
    box->DestroyWindow();
  }
  delete box;
}
