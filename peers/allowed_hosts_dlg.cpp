#include "peers/allowed_hosts_dlg.h"

#include "framework/message_pump.h"
#include "peers/computer_list.h"
#include "peers/my_net_page.h"
#include "resources/program_images.h"
#include "shell/dialog_handlers.h"
#include "shell/dialog_ids.h"
#include "shell/lang_text.h"
#include "shell/msg_yes_no.h"
#include "shell/show_msg_dlg.h"

namespace {
constexpr int32_t kZone = 2;
constexpr DWORD kSavePauseMs = 2000;

const wchar_t* Text(const char* key) { return LoadLangText(kZone, key); }
}  // namespace

MgmtKmSrv::MgmtKmSrv(CWnd* parent) : CDialog(IDD_MGMT_KM_SRV, parent) {
  MapOpenDialogRegistration(*this);
  MapClicked(IDC_MGMT_KM_SRV_DELETE, [this] { OnBnClickedDelete(); });
  MapClicked(IDC_MGMT_KM_SRV_DELETE_ALL, [this] { OnBnClickedDeleteAll(); });
  MapClicked(IDC_MGMT_KM_SRV_SAVE, [this] { OnBnClickedSave(); });
  MapNotify(IDC_MGMT_KM_SRV_LIST, NM_CLICK, [this](NMHDR* header, LRESULT*) {
    SelectHostOfRow(reinterpret_cast<NMITEMACTIVATE*>(header)->iItem);
  });
}

void MgmtKmSrv::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, IDC_MGMT_KM_SRV_LIST, listControl_);
  DDX_Control(dx, IDC_MGMT_KM_SRV_DELETE, delete_);
  DDX_Control(dx, IDC_MGMT_KM_SRV_DELETE_ALL, deleteAll_);
}

BOOL MgmtKmSrv::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowText(Text("MANAGE_SRV_KEY_PAIR"));
  CRect client;
  listControl_.GetClientRect(&client);
  const int unit = (client.Width() - 20) / 15;
  listControl_.InsertColumn(0, Text("COL_COMP_NAME"), LVCFMT_LEFT, 10 * unit);
  listControl_.InsertColumn(1, Text("COL_IP_ADDR"), LVCFMT_LEFT, 5 * unit);
  listControl_.SetExtendedStyle(listControl_.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
  table_.Load(folder_);
  if (computerList_) computerList_->Snapshot();
  FillList();
  deleteAll_.LoadStdImage(IDP_DELETE_ALL);
  deleteAll_.SetTooltipText(Text("DEL_ALL_KEY_PAIR"));
  delete_.LoadStdImage(IDP_DELETE_SELECTED);
  delete_.SetTooltipText(Text("DEL_THIS_KEY_PAIR"));
  delete_.disabled = true;
  return TRUE;
}

void MgmtKmSrv::FillList() {
  listControl_.DeleteAllItems();
  const uint8_t subnet = table_.Subnet();
  for (int host = 0; host < KmKeyTable::kHosts; ++host) {
    if (!table_.IsUsed(host)) continue;
    std::wstring name;
    if (computerList_) computerList_->FindName(subnet, static_cast<uint8_t>(host), &name);
    const int row = listControl_.InsertItem(listControl_.GetItemCount(), name.c_str());
    listControl_.SetItemText(row, 1, PrivateIpText(subnet, host).c_str());
  }
}

void MgmtKmSrv::SelectHostOfRow(int row) {
  if (row < 0) {
    delete_.disabled = true;
    delete_.Invalidate();
    return;
  }
  const int host = HostOfIpText(listControl_.GetItemText(row, 1), -1);
  selectedHost_ = host >= 0 && host < KmKeyTable::kHosts ? host : -1;
  delete_.disabled = false;
  delete_.Invalidate();
}

void MgmtKmSrv::OnBnClickedDelete() {
  if (selectedHost_ < 0) return;
  table_.RemoveKey(static_cast<uint8_t>(selectedHost_));
  FillList();
}

void MgmtKmSrv::OnBnClickedDeleteAll() {
  table_.Clear();
  FillList();
}

void MgmtKmSrv::OnBnClickedSave() {
  CMsgYesNo question(this);
  question.m_caption = Text("SAVE");
  question.m_text = Text("TO_SAVE_KEY_PAIR");
  if (question.DoModal() != 0) return;
  auto* box = new CShowMsgDlg(this);
  if (box->CreateOnDesktop()) {
    box->SetTitleAndClear(Text("SAVE"));
    box->SetLine1(Text("SAVE_KEY_PAIR"));
    box->ShowWindow(SW_SHOW);
  }
  table_.Save(folder_);
  PumpMessagesFor(kSavePauseMs);
  box->DestroyWindow();
  delete box;
  if (!IsEnding()) EndDialog(0);
}
