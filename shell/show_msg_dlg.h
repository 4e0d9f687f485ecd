// CShowMsgDlg: the modeless status box of long operations and short notices: a title, two lines
// and an optional custom button that signals an event (the worker's early stop).
//
// Use: new, set the custom-button fields when wanted, CreateOnDesktop, set the texts, show; pump
// or wait while the work runs; DestroyWindow and delete (the destructor closes the event).
#pragma once
#include <cstdint>
#include <string>
#include "framework/framework.h"

class CShowMsgDlg : public CDialog {
 public:
  explicit CShowMsgDlg(CWnd* parent = nullptr);
  ~CShowMsgDlg() override;

  // Modeless on the desktop window, from template 138.
  bool CreateOnDesktop();

  void SetTitleAndClear(const std::wstring& title);
  void SetLine1(const std::wstring& text);
  void SetLine2(const std::wstring& text);
  // Line 1 with the next used-address scan step ("Scan used IP address %d").
  void ShowScanUsedIpProgress();
  // Line 1 with the LAN scan's seconds out of 3.
  void ShowScanCompleted(int seconds);
  // Line 1 with the next ARP scan step ("Scan computers... %d").
  void ShowScanCompletedWifi();

  int32_t m_progressCount = 0;
  bool m_customButtonWanted = false;
  std::wstring m_customButtonCaption;
  HANDLE m_customButtonEvent = nullptr;  // auto-reset, made by the owner; closed here

  CStatic m_line1;
  CStatic m_line2;
  CButton m_customButton;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  // A status box has nothing to confirm or cancel: Enter and Escape leave it to its owner.
  void OnOK() override {}
  void OnCancel() override {}
  void OnBnClickedCustom();

 private:
  void ShowLine1Now(const std::wstring& text);
};

// A status box over parent with a caption and line 1, kept for milliseconds while this thread
// goes on dispatching messages, then destroyed.
void ShowTimedStatus(CWnd* parent, const std::wstring& caption, const std::wstring& line1, DWORD milliseconds);
