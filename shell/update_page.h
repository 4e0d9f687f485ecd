// CUpdate: the Version tab page. It shows the program's version, checks the maker's web host for
// a newer one (then shows it with its change log and the download location), and switches the
// interface language, which takes a restart that the main dialog carries out.
//
// The host creates it modeless as a child of its tab control: page.Create(140, &tabCtrl).
#pragma once
#include <array>
#include <string>
#include "framework/choice_controls.h"
#include "framework/framework.h"

class CUpdate : public CDialog {
 public:
  CUpdate();

  // Set by a language switch; the main dialog's timer reads it, restarts the program and clears it.
  bool IsRestartRequested() const { return m_restartRequested; }
  void ClearRestartRequest() { m_restartRequested = false; }

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  // Enter and Escape lose their key codes before the dialog's own key handling.
  BOOL PreTranslateMessage(MSG* msg) override;

  void OnBnClickedCheckForUpdate();
  // Shows and redraws the new-version controls.
  void ShowNewVersion();
  void OnBnClickedWhatsNew();
  void OnBnClickedGotoDownload();
  void OnCbnSelchangeLanguage();

  CButton m_checkForUpdate;
  CEdit m_newVersionEdit;
  CButton m_whatsNew;
  CButton m_newVersionGroup;
  CEdit m_currentVersionEdit;
  std::wstring m_newVersionText;
  CButton m_gotoDownload;
  std::wstring m_downloadLocation;  // host and path, without the scheme
  CStatic m_newVersionLabel;
  CComboBox m_language;
  bool m_restartRequested = false;

 private:
  // The combo entry of the language in use: 1 Chinese, 0 English.
  static int CurrentLanguageEntry();
  // The controls that stay hidden until a check finds a newer version.
  std::array<CWnd*, 5> NewVersionControls();
};
