#include "shell/update_page.h"

#include "common/settings_file.h"
#include "shell/dialog_handlers.h"
#include "shell/dialog_ids.h"
#include "shell/download_latest.h"
#include "shell/lang_text.h"
#include "shell/msg_yes_no.h"
#include "shell/program_version.h"
#include "shell/settings_folder.h"
#include "shell/show_msg_dlg.h"
#include "shell/upgrade_info.h"
#include "shell/web_address.h"
#include "shell/whats_new.h"

namespace {
constexpr int kTextZone = 7;
constexpr wchar_t kUpgradeFile[] = L"upgrade.txt";
constexpr wchar_t kReleaseNotesFile[] = L"relnote.txt";
constexpr wchar_t kLangTypeFile[] = L"LangType.txt";

std::wstring ProgramFile(const wchar_t* name) { return SettingsFilePath(SettingsFolder(), name); }
}  // namespace

CUpdate::CUpdate() : CDialog(IDD_UPDATE) {
  MapTabPageCommands(*this);
  MapClicked(IDC_UPDATE_CHECK, [this] { OnBnClickedCheckForUpdate(); });
  MapClicked(IDC_UPDATE_WHATS_NEW, [this] { OnBnClickedWhatsNew(); });
  MapClicked(IDC_UPDATE_GOTO_DOWNLOAD, [this] { OnBnClickedGotoDownload(); });
  MapCommand(IDC_UPDATE_LANGUAGE, CBN_SELCHANGE, [this] { OnCbnSelchangeLanguage(); });
}

void CUpdate::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, IDC_UPDATE_CHECK, m_checkForUpdate);
  DDX_Control(dx, IDC_UPDATE_NEW_VERSION, m_newVersionEdit);
  DDX_Control(dx, IDC_UPDATE_WHATS_NEW, m_whatsNew);
  DDX_Control(dx, IDC_UPDATE_NEW_GROUP, m_newVersionGroup);
  DDX_Control(dx, IDC_UPDATE_CURRENT_VERSION, m_currentVersionEdit);
  DDX_Control(dx, IDC_UPDATE_GOTO_DOWNLOAD, m_gotoDownload);
  DDX_Control(dx, IDC_UPDATE_NEW_LABEL, m_newVersionLabel);
  DDX_Control(dx, IDC_UPDATE_LANGUAGE, m_language);
}

std::array<CWnd*, 5> CUpdate::NewVersionControls() {
  return {&m_newVersionEdit, &m_newVersionLabel, &m_whatsNew, &m_newVersionGroup, &m_gotoDownload};
}

int CUpdate::CurrentLanguageEntry() { return g_LangIndex == 1 ? 1 : 0; }

BOOL CUpdate::OnInitDialog() {
  CDialog::OnInitDialog();
  for (CWnd* control : NewVersionControls()) control->ShowWindow(SW_HIDE);
  m_currentVersionEdit.SetWindowText(kProgramVersionText);
  m_language.AddString(L"English");
  m_language.AddString(L"\u4E2D\u6587");  // "Chinese", in Chinese
  m_language.SetCurSel(CurrentLanguageEntry());
  return TRUE;
}

BOOL CUpdate::PreTranslateMessage(MSG* msg) {
  SwallowEnterAndEscape(msg);
  return CDialog::PreTranslateMessage(msg);
}

void CUpdate::OnBnClickedCheckForUpdate() {
  m_checkForUpdate.EnableWindow(false);
  auto* box = new CShowMsgDlg(this);
  if (box->CreateOnDesktop()) {
    box->SetWindowText(LoadLangText(kTextZone, "TITLE_VER"));
    box->SetLine1(LoadLangText(kTextZone, "TXT_CHK_FOR_UPDATE"));
    box->ShowWindow(SW_SHOW);
    box->UpdateWindow();
  }
  ::DeleteFileW(ProgramFile(kUpgradeFile).c_str());
  ::DeleteFileW(ProgramFile(kReleaseNotesFile).c_str());
  DWORD status = 0;
  const bool upgradeFetched = DownloadLatestVerFile(kUpgradeFile, status);
  const bool notesFetched = DownloadLatestVerFile(kReleaseNotesFile, status);
  PumpMessagesFor(1000);
  box->DestroyWindow();
  delete box;
  if (!upgradeFetched || !notesFetched) {
    m_checkForUpdate.EnableWindow(true);
    return;
  }

  const UpgradeInfo info = ReadUpgradeInfo(ProgramFile(kUpgradeFile));
  if (info.hasVersion) {
    if (info.version == kProgramVersionText) {
      ShowTimedStatus(this, LoadLangText(kTextZone, "TITLE_VER"), LoadLangText(kTextZone, "TXT_VER_LATEST"), 2000);
    } else {
      ShowTimedStatus(this, LoadLangText(kTextZone, "TITLE_VER"), LoadLangText(kTextZone, "TXT_NEW_VER"), 2000);
      m_downloadLocation = info.downloadLocation;
      m_newVersionText = info.version;
      m_newVersionEdit.SetWindowText(m_newVersionText);
      ShowNewVersion();
    }
  }
  m_checkForUpdate.EnableWindow(true);
}

void CUpdate::ShowNewVersion() {
  for (CWnd* control : NewVersionControls()) {
    control->ShowWindow(SW_SHOW);
    control->RedrawWindow();
  }
}

void CUpdate::OnBnClickedWhatsNew() {
  CWhatsNew dialog(this);
  dialog.m_fileName = ProgramFile(kReleaseNotesFile);
  dialog.m_versionText = m_newVersionText;
  dialog.DoModal();
}

void CUpdate::OnBnClickedGotoDownload() {
  // No location, or one that is not a plain host and path: nothing to open.
  if (m_downloadLocation.empty()) return;
  OpenWebAddress(L"http://" + m_downloadLocation);
}

void CUpdate::OnCbnSelchangeLanguage() {
  CMsgYesNo question(this);
  question.m_caption = LoadLangText(kTextZone, "TITLE_SWITCH_LANG");
  question.m_text = LoadLangText(kTextZone, "TO_SWITCH_LANG");
  if (question.DoModal() != 0) {
    m_language.SetCurSel(CurrentLanguageEntry());
    return;
  }
  const int selected = m_language.GetCurSel() == 1 ? 1 : 0;
  WriteSettingsFile(ProgramFile(kLangTypeFile), {selected == 1 ? L"CHT" : L"ENG"});
  g_LangIndex = selected;
  ShowTimedStatus(this, LoadLangText(kTextZone, "SAVE"), LoadLangText(kTextZone, "SAVE_LANG_SETTING"), 2000);
  m_restartRequested = true;
}
