#include "shell/help_page.h"

#include "controls/bold_font.h"
#include "shell/dialog_handlers.h"
#include "shell/dialog_ids.h"
#include "shell/lang_text.h"
#include "shell/web_address.h"
#include "shell/web_host.h"

namespace {
constexpr int kTextZone = 4;

// Each button and the page of the maker's site it opens.
struct HelpLink {
  UINT buttonId;
  const wchar_t* path;
};
constexpr HelpLink kHelpLinks[] = {
    {IDC_HELP_PAGE_BUTTON, L"help_corvane.htm"},
    {IDC_HELP_WEB_SITE, L"index_qvx.htm"},
    {IDC_HELP_INST_DRV, L"help_qvx_instdrv.htm"},
    {IDC_HELP_LB, L"help_qvx_lb.htm"},
    {IDC_HELP_WOL, L"help_qvx_wol.htm"},
    {IDC_HELP_SWIVO, L"help_swivo.htm"},
};
}  // namespace

CHelpPage::CHelpPage() : CDialog(IDD_HELP_PAGE) {
  MapTabPageCommands(*this);
  for (const HelpLink& link : kHelpLinks) {
    const wchar_t* path = link.path;
    MapClicked(link.buttonId, [this, path] { OpenHelpUrl(MakerWebAddress(path)); });
  }
}

void CHelpPage::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, IDC_HELP_INST_DRV_TEXT, m_instDrvText);
  DDX_Control(dx, IDC_HELP_LB_TEXT, m_loadBalancingText);
  DDX_Control(dx, IDC_HELP_WOL_TEXT, m_wakeOnLanText);
  DDX_Control(dx, IDC_HELP_SWIVO_TEXT, m_swivoText);
  DDX_Control(dx, IDC_HELP_WEB_SITE, m_gotoWebSite);
  DDX_Control(dx, IDC_HELP_INST_DRV, m_instDrvHelp);
  DDX_Control(dx, IDC_HELP_SWIVO, m_swivoHelp);
  DDX_Control(dx, IDC_HELP_LB, m_loadBalancingHelp);
  DDX_Control(dx, IDC_HELP_WOL, m_wakeOnLanHelp);
  DDX_Control(dx, IDC_HELP_CONTACT, m_contact);
}

BOOL CHelpPage::OnInitDialog() {
  CDialog::OnInitDialog();
  m_instDrvText.SetWindowText(LoadLangText(kTextZone, "TXT_INST_DRV_FIRST"));
  SetBoldFont(m_instDrvText);
  m_swivoText.SetWindowText(LoadLangText(kTextZone, "TXT_SWIVO"));
  m_loadBalancingText.SetWindowText(LoadLangText(kTextZone, "TXT_LB"));
  m_wakeOnLanText.SetWindowText(LoadLangText(kTextZone, "TXT_WOL"));
  for (CSXButton* button : {&m_instDrvHelp, &m_swivoHelp, &m_loadBalancingHelp, &m_wakeOnLanHelp}) {
    button->SetIcon(IDI_WEB_LINK);
  }
  m_contact.SetWindowText(kMakerContactAddress);
  MoveDefaultButton(*this, IDC_HELP_WEB_SITE);
  return FALSE;
}

BOOL CHelpPage::PreTranslateMessage(MSG* msg) {
  SwallowEnterAndEscape(msg);
  return CDialog::PreTranslateMessage(msg);
}

void CHelpPage::OpenHelpUrl(const std::wstring& address) {
  OpenWebAddress(address + L"?lang=" + (g_LangIndex == 1 ? L"cht" : L"eng"));
}
