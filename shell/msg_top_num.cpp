#include "shell/msg_top_num.h"

#include <string>
#include "shell/dialog_ids.h"

CMsgTopNumBigFontSize::CMsgTopNumBigFontSize(CWnd* parent) : CDialog(IDD_MSG_TOP_NUM, parent) {}

bool CMsgTopNumBigFontSize::CreateOnDesktop() {
  return Create(IDD_MSG_TOP_NUM, CWnd::FromHandle(::GetDesktopWindow()));
}

void CMsgTopNumBigFontSize::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, IDC_TOP_NUM_LABEL, m_numberLabel);
}

void CMsgTopNumBigFontSize::SetNumber(int number) {
  m_number = number;
  m_numberLabel.SetWindowText(std::to_wstring(number));
  m_numberLabel.SetFace(L"Arial Bold", 180, RGB(0, 0, 0), 0);
  m_numberLabel.Invalidate();
}
