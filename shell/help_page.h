// CHelpPage: the Help tab page: short descriptions of the main features, each with a button that
// opens its help page on the maker's web site, the site itself, the program's help page and the
// maker's contact address.
//
// The host creates it modeless as a child of its tab control: page.Create(152, &tabCtrl).
#pragma once
#include <string>
#include "controls/icon_button.h"
#include "framework/framework.h"

class CHelpPage : public CDialog {
 public:
  CHelpPage();

  // Opens address with "?lang=cht" (Chinese interface) or "?lang=eng" appended, in Internet
  // Explorer on Windows XP and by the address itself elsewhere.
  void OpenHelpUrl(const std::wstring& address);

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  // Enter and Escape lose their key codes before the dialog's own key handling.
  BOOL PreTranslateMessage(MSG* msg) override;

  CEdit m_instDrvText;
  CEdit m_loadBalancingText;
  CEdit m_wakeOnLanText;
  CEdit m_swivoText;
  CButton m_gotoWebSite;
  CSXButton m_instDrvHelp;
  CSXButton m_swivoHelp;
  CSXButton m_loadBalancingHelp;
  CSXButton m_wakeOnLanHelp;
  CEdit m_contact;
};
