#include "peers/hotkey_dlg.h"

#include <cstring>

#include "common/settings_file.h"
#include "framework/message_pump.h"
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

CMgmtKm::CMgmtKm(CWnd* parent) : CDialog(IDD_MGMT_KM, parent), list_(std::make_unique<ComputerList>()) {
  MapOpenDialogRegistration(*this);
  MapClicked(IDC_MGMT_KM_DELETE, [this] { OnBnClickedDelete(); });
  MapClicked(IDC_MGMT_KM_CLIP_SYNC, [this] { OnBnClickedClipSync(); });
  MapClicked(IDC_MGMT_KM_DELETE_ALL, [this] { OnBnClickedDeleteAll(); });
  MapClicked(IDC_MGMT_KM_SAVE, [this] { OnBnClickedSave(); });
  MapClicked(IDC_MGMT_KM_CTRL_ALT, [this] { switchMode_ = 0; });
  MapClicked(IDC_MGMT_KM_CTRL, [this] { switchMode_ = 1; });
  MapNotify(IDC_MGMT_KM_LIST, NM_CLICK, [this](NMHDR* header, LRESULT*) {
    SelectSlotOfRow(reinterpret_cast<NMITEMACTIVATE*>(header)->iItem);
  });
}

void CMgmtKm::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, IDC_MGMT_KM_LIST, listControl_);
  DDX_Control(dx, IDC_MGMT_KM_DELETE, delete_);
  DDX_Control(dx, IDC_MGMT_KM_DELETE_ALL, deleteAll_);
  DDX_Control(dx, IDC_MGMT_KM_CLIP_SYNC, clipSync_);
}

BOOL CMgmtKm::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowText(Text("MANAGE_HOTKEY"));
  CRect client;
  listControl_.GetClientRect(&client);
  const int unit = (client.Width() - 20) / 18;
  const struct { const char* key; int units; } columns[] = {{"COL_HOTKEY", 2}, {"COL_COMP_NAME", 4}, {"COL_IP_ADDR", 3},
                                                             {"COL_CPU", 2},    {"COL_OS", 4},        {"COL_CLIP_SYNC", 3}};
  for (int i = 0; i < 6; ++i) listControl_.InsertColumn(i, Text(columns[i].key), LVCFMT_LEFT, columns[i].units * unit);
  listControl_.SetExtendedStyle(listControl_.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
  LoadKmSettings(folder_, &holder_.record);
  FillList();
  clipSync_.LoadStdImage(IDP_REFRESH);
  clipSync_.SetTooltipText(Text("TXT_TURN_CLIP_SYNC"));
  deleteAll_.LoadStdImage(IDP_DELETE_ALL);
  deleteAll_.SetTooltipText(Text("TXT_DEL_ALL_HOTKEY"));
  delete_.LoadStdImage(IDP_DELETE_SELECTED);
  delete_.SetTooltipText(Text("TXT_DEL_THIS_HOTKEY"));
  SetRowButtonsLook(true);
  std::wstring mode;
  ReadSettingValue(SettingsFilePath(folder_, kSwKbSettingFile), mode);
  mode = TrimWhiteSpace(mode);
  if (mode == L"0" || mode == L"1") {
    switchMode_ = mode == L"1" ? 1 : 0;
    ::CheckDlgButton(m_hWnd, switchMode_ == 1 ? IDC_MGMT_KM_CTRL : IDC_MGMT_KM_CTRL_ALT, BST_CHECKED);
  }
  return TRUE;
}

void CMgmtKm::SetRowButtonsLook(bool disabled) {
  delete_.disabled = disabled;
  clipSync_.disabled = disabled;
  delete_.Invalidate();
  clipSync_.Invalidate();
}

void CMgmtKm::FillList() {
  listControl_.DeleteAllItems();
  const KmSettingsRecord& record = holder_.record;
  for (int slot = 0; slot < KmSettingsRecord::kSlots; ++slot) {
    if (!record.enabled[slot]) continue;
    const int host = record.octet4[slot];
    const bool known = list_->present[host] != 0;
    const std::wstring cells[6] = {
        std::to_wstring(slot + 1),
        known ? list_->name[host] : L"",
        PrivateIpText(record.octet3[slot], host),
        known ? list_->cpu[host] : L"",
        known ? OsNameText(list_->os[host]) : L"",
        Text(record.clipSync[slot] ? "TXT_YES" : "TXT_NO"),
    };
    const int row = listControl_.InsertItem(listControl_.GetItemCount(), cells[0].c_str());
    for (int column = 1; column < 6; ++column) listControl_.SetItemText(row, column, cells[column].c_str());
  }
}

void CMgmtKm::SelectSlotOfRow(int row) {
  if (row < 0) {
    SetRowButtonsLook(true);  // the selection stays
    return;
  }
  const std::wstring number = listControl_.GetItemText(row, 0);
  selectedSlot_ = number == L"1" ? 0 : number == L"2" ? 1 : -1;
  SetRowButtonsLook(false);
}

void CMgmtKm::OnBnClickedDelete() {
  if (selectedSlot_ < 0) return;
  holder_.record.enabled[selectedSlot_] = 0;
  FillList();
}

void CMgmtKm::OnBnClickedClipSync() {
  if (selectedSlot_ < 0) return;
  holder_.record.clipSync[selectedSlot_] ^= 1;
  FillList();
}

void CMgmtKm::OnBnClickedDeleteAll() {
  KmSettingsRecord& record = holder_.record;
  const int32_t mode = record.switchMode;
  std::memset(record.enabled, 0, sizeof record.enabled);
  std::memset(record.octet3, 0, sizeof record.octet3);
  std::memset(record.octet4, 0, sizeof record.octet4);
  std::memset(record.clipSync, 0, sizeof record.clipSync);
  SecureClear(record.key, sizeof record.key);
  record.switchMode = mode;
  FillList();
}

void CMgmtKm::OnBnClickedSave() {
  CMsgYesNo question(this);
  question.m_caption = Text("SAVE");
  question.m_text = Text("TO_SAVE_HOTKEY");
  if (question.DoModal() != 0) return;
  auto* box = new CShowMsgDlg(this);
  if (box->CreateOnDesktop()) {
    box->SetTitleAndClear(Text("SAVE"));
    box->SetLine1(Text("SAVE_HOTKEY"));
    box->ShowWindow(SW_SHOW);
  }
  SaveKmCompList(folder_, holder_.record);
  PumpMessagesFor(kSavePauseMs);
  box->DestroyWindow();
  delete box;
  if (!IsEnding()) EndDialog(0);
}
