#include "adapters/inst_drv_type.h"

#include "adapters/inst_drv_prog.h"
#include "adapters/program_folder.h"
#include "common/settings_file.h"
#include "shell/dialog_handlers.h"
#include "shell/dialog_ids.h"
#include "shell/lang_text.h"

namespace {
constexpr int kZone = 5;

struct LinkModeRow {
  UINT radio;
  const char* hintKey;
  const wchar_t* pictureFile;
};
constexpr LinkModeRow kLinkModes[] = {
    {IDC_TYPE_QVX, "LINK_TYPE_HINT_QVX", L"linktypeqvx.bmp"},
    {IDC_TYPE_DUAL_LAN, "LINK_TYPE_HINT_DUAL_LAN", L"linktypeduallan.bmp"},
    {IDC_TYPE_DIRECT_CONN, "LINK_TYPE_HINT_DIRECT_CONN", L"linktypedirectconn.bmp"},
    {IDC_TYPE_ROUTER_DHCP, "LINK_TYPE_HINT_ROUTER_DHCP", L"linktyperouterdhcp.bmp"},
};
}  // namespace

CInstDrvType::CInstDrvType(CWnd* parent, CInstDrv* wizard) : CDialog(IDD_INST_DRV_TYPE, parent), wizard_(wizard) {
  MapOpenDialogRegistration(*this);
  for (int mode = 0; mode < 4; ++mode) MapClicked(kLinkModes[mode].radio, [this, mode] { ChooseLinkMode(mode); });
  MapClicked(IDC_TYPE_NEXT, [this] { OnBnClickedNext(); });
}

BOOL CInstDrvType::OnInitDialog() {
  CDialog::OnInitDialog();
  picture_.SubclassDlgItem(IDC_TYPE_PICTURE, this);
  ::CheckRadioButton(m_hWnd, IDC_TYPE_QVX, IDC_TYPE_ROUTER_DHCP, IDC_TYPE_QVX);
  ChooseLinkMode(0);
  return TRUE;
}

void CInstDrvType::ChooseLinkMode(int mode) {
  m_linkMode = mode;
  SetDlgItemText(IDC_TYPE_HINT, LoadLangText(kZone, kLinkModes[mode].hintKey));
  picture_.SetBitmapFile(SettingsFilePath(ProgramFolder(), kLinkModes[mode].pictureFile));
  picture_.Invalidate();
}

void CInstDrvType::OnBnClickedNext() {
  CInstDrvProg progress(this, wizard_, m_linkMode);
  progress.DoModal();
  if (progress.m_success) {
    m_success = true;
    EndDialog(0);
  }
}
