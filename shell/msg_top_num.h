// CMsgTopNumBigFontSize: the big-number box of the Swivo controller (the hotkey slot number).
// Modeless; the Swivo controller thread creates, shows, hides and destroys it.
#pragma once
#include "controls/font_static.h"
#include "framework/framework.h"

class CMsgTopNumBigFontSize : public CDialog {
 public:
  explicit CMsgTopNumBigFontSize(CWnd* parent = nullptr);
  // Modeless on the desktop window, from template 165.
  bool CreateOnDesktop();
  // Shows number as "%d" in the label, in "Arial Bold" 180 units tall.
  void SetNumber(int number);
  int m_number = 0;
  CFontStatic m_numberLabel;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  void OnOK() override {}
  void OnCancel() override {}
};
