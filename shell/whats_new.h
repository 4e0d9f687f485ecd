// CWhatsNew: the change log of the newest version, one entry of "relnote.txt" per list line,
// opened modally from the Version page.
#pragma once
#include <string>
#include "framework/choice_controls.h"
#include "framework/framework.h"

class CWhatsNew : public CDialog {
 public:
  explicit CWhatsNew(CWnd* parent = nullptr);

  std::wstring m_fileName;  // the change log's path
  CListBox m_list;
  CStatic m_versionLabel;
  std::wstring m_versionText;  // the newest version
  CStatic m_changeLogLabel;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
};
