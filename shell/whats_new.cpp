#include "shell/whats_new.h"

#include "common/text_file.h"
#include "shell/dialog_handlers.h"
#include "shell/dialog_ids.h"
#include "shell/lang_text.h"

CWhatsNew::CWhatsNew(CWnd* parent) : CDialog(IDD_WHATS_NEW, parent) { MapOpenDialogRegistration(*this); }

void CWhatsNew::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, IDC_WHATS_NEW_LIST, m_list);
  DDX_Control(dx, IDC_WHATS_NEW_VERSION, m_versionLabel);
  DDX_Control(dx, IDC_WHATS_NEW_LOG_LABEL, m_changeLogLabel);
}

BOOL CWhatsNew::OnInitDialog() {
  CDialog::OnInitDialog();
  const wchar_t* changeLog = LoadLangText(7, "TXT_CHG_LOG");
  SetWindowText(changeLog);
  m_changeLogLabel.SetWindowText(changeLog);
  m_versionLabel.SetWindowText(std::wstring(LoadLangText(7, "TXT_QVX_VER")) + m_versionText);
  // A missing file reads as no lines: an empty change log.
  CTextFileRead file(m_fileName);
  for (std::wstring line; file.ReadLine(line);) {
    if (!line.empty()) m_list.AddString(line);
  }
  return TRUE;
}
