#include "adapters/status_box.h"

#include "framework/message_pump.h"
#include "shell/show_msg_dlg.h"

CShowMsgDlg* OpenStatusBox(CWnd* parent, const std::wstring& caption, const std::wstring& line1,
                           const std::wstring& line2) {
  auto* box = new CShowMsgDlg(parent);
  if (!box->CreateOnDesktop()) {
    delete box;
    return nullptr;
  }
  box->SetTitleAndClear(caption);
  box->SetLine1(line1);
  box->SetLine2(line2);
  box->ShowWindow(SW_SHOW);
  box->UpdateWindow();
  return box;
}

void CloseStatusBox(CShowMsgDlg* box) {
  if (!box) return;
  box->DestroyWindow();
  delete box;
}

void ShowTimedNotice(CWnd* parent, const std::wstring& caption, const std::wstring& line1, const std::wstring& line2,
                     DWORD milliseconds) {
  CShowMsgDlg* box = OpenStatusBox(parent, caption, line1, line2);
  PumpMessagesFor(milliseconds);
  CloseStatusBox(box);
}
