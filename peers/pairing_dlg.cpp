#include "peers/pairing_dlg.h"

#include <cstdio>
#include <cstring>

#include "common/settings_file.h"
#include "framework/message_pump.h"
#include "peers/countdown_wait.h"
#include "peers/lan_sender.h"
#include "shell/dialog_ids.h"
#include "shell/lang_text.h"
#include "shell/lang_text_format.h"
#include "shell/show_msg_dlg.h"
#include "controls/bold_font.h"

namespace {
constexpr int32_t kZone = 2;
constexpr int kAlreadyPairedWider = 100;
constexpr int kNewPairingLower = 50;
constexpr DWORD kStepMs = 250;
constexpr DWORD kFailNoticeMs = 1500;

const wchar_t* Text(const char* key) { return LoadLangText(kZone, key); }

std::wstring WithKeys(const wchar_t* pattern, int32_t switchMode) {
  return FormatLangText(pattern, switchMode == 1 ? L"[Ctrl]" : L"[Ctrl] + [Alt]");
}

int32_t ReadSwitchMode(const std::wstring& folder) {
  std::wstring value;
  ReadSettingValue(SettingsFilePath(folder, kSwKbSettingFile), value);
  return SwitchModeFromText(TrimWhiteSpace(value));
}
}  // namespace

CTandemkey::CTandemkey(CWnd* parent) : CDialog(IDD_TANDEMKEY, parent) {
  MapClicked(IDC_PAIR_CONNECT, [this] { OnBnClickedConnect(); });
  MapClicked(IDC_PAIR_RECONNECT, [this] { OnBnClickedReconnect(); });
}

void CTandemkey::DoDataExchange(CDataExchange* dx) { DDX_Control(dx, IDC_PAIR_SLOT, slots_); }

BOOL CTandemkey::OnInitDialog() {
  CDialog::OnInitDialog();
  switchMode_ = ReadSwitchMode(folder_);
  SetDlgItemText(IDC_PAIR_HOTKEY, WithKeys(Text("TXT_HOTKEY_IS"), switchMode_));
  SetDlgItemText(IDC_PAIR_SHOW_LIST, WithKeys(Text("TXT_SHOW_HOTKEY_LST"), switchMode_));
  SetDlgItemText(IDC_PAIR_RETURN, WithKeys(Text("TXT_HOTKEY_RET_LOCAL"), switchMode_));
  LoadKmSettings(folder_, &holder_.record);

  pairedSlot_ = PairedHotkeySlot(holder_.record, peerOctet3_, peerOctet4_);
  alreadyPaired_ = pairedSlot_ != -1;
  CRect window;
  GetWindowRect(&window);
  if (alreadyPaired_) {
    slots_.ShowWindow(SW_HIDE);
    ::ShowWindow(GetDlgItemHandle(IDC_PAIR_RECONNECT), SW_SHOW);
    HWND already = GetDlgItemHandle(IDC_PAIR_ALREADY);
    ::ShowWindow(already, SW_SHOW);
    SetBoldFont(already);
    const std::wstring line = FormatLangText(switchMode_ == 1 ? L"%s : [Ctrl] + [%d]" : L"%s : [Ctrl] + [Alt] + [%d]",
                                             Text("TXT_HOTKEY"), pairedSlot_ + 1);
    HWND hotkey = GetDlgItemHandle(IDC_PAIR_HOTKEY);
    ::SetWindowTextW(hotkey, line.c_str());
    CRect rect;
    ::GetWindowRect(hotkey, &rect);
    ScreenToClient(&rect);
    ::SetWindowPos(hotkey, nullptr, 0, 0, rect.Width() + kAlreadyPairedWider, rect.Height(), SWP_NOMOVE | SWP_NOZORDER);
    SetDlgItemText(IDC_PAIR_CONNECT, Text("TXT_EXIT"));
  } else {
    SetWindowPos(nullptr, 0, 0, window.Width(), window.Height() + kNewPairingLower, SWP_NOMOVE | SWP_NOZORDER);
    for (int slot : FreeHotkeySlots(holder_.record)) slots_.AddString(std::to_wstring(slot + 1));
    slots_.SetCurSel(0);
  }
  return TRUE;
}

void CTandemkey::OnBnClickedConnect() {
  if (alreadyPaired_) {
    EndDialog(1);
    return;
  }
  const int selected = slots_.GetCurSel();
  // An empty combo (both slots taken) has no slot to fill: nothing happens.
  if (selected < 0) return;
  const int slot = SlotOfComboText(slots_.GetLBText(selected));
  if (slot < 0) return;
  PairHotkeySlot(slot);
}

void CTandemkey::OnBnClickedReconnect() {
  const int slot = PairedHotkeySlot(holder_.record, peerOctet3_, peerOctet4_);
  if (slot < 0) return;
  holder_.record.enabled[slot] = 0;
  PairHotkeySlot(slot);
}

bool CTandemkey::PairHotkeySlot(int slot) {
  if (slot < 0 || slot >= KmSettingsRecord::kSlots) return false;
  ::EnableWindow(GetDlgItemHandle(IDC_PAIR_CONNECT), FALSE);
  EnableWindow(false);
  // A key delivered before this pairing began is not this pairing's.
  if (passwordEvent_) ::ResetEvent(passwordEvent_);
  sendExchangeStart_({PrivatePeerAddress(peerOctet3_, peerOctet4_), kmPort_});

  auto* box = new CShowMsgDlg(this);
  if (box->CreateOnDesktop()) {
    box->SetTitleAndClear(Text("TXT_SWIVO_PAIR"));
    box->SetLine1(Text("TXT_CONNECTING"));
    box->ShowWindow(SW_SHOW);
  }
  const int totalSeconds = static_cast<int>(pairWaitMs_ / 1000);
  CountdownThread countdown(static_cast<int>(pairWaitMs_ / kStepMs), kStepMs, [box, totalSeconds](int seconds) {
    wchar_t line[64];
    std::swprintf(line, 64, L"%d / %d", seconds, totalSeconds);
    box->SetLine2(line);
  });
  bool delivered = false;
  if (countdown.Start()) {
    HANDLE handles[2] = {passwordEvent_, countdown.Handle()};
    const DWORD count = passwordEvent_ ? 2 : 1;
    const int woken = WaitAnyWithMessages(passwordEvent_ ? handles : handles + 1, count);
    delivered = passwordEvent_ && woken == 0;
  }
  if (delivered && passwordBuffer_) {
    KmSettingsRecord& record = holder_.record;
    record.enabled[slot] = 1;
    record.octet3[slot] = peerOctet3_;
    record.octet4[slot] = peerOctet4_;
    record.clipSync[slot] = 1;
    std::memcpy(record.key[slot], passwordBuffer_, kKmBlockSize);
    SaveKmCompList(folder_, record);
  }
  countdown.Stop();
  box->DestroyWindow();
  delete box;

  if (delivered) {
    pairedSlot_ = slot;
    pairedClipSync_ = 1;
    if (!IsEnding()) EndDialog(0);
    return true;
  }
  ShowTimedStatus(this, Text("TXT_SWIVO_PAIR"), Text("TXT_FAIL_TO_CONN"), kFailNoticeMs);
  ::EnableWindow(GetDlgItemHandle(IDC_PAIR_CONNECT), TRUE);
  EnableWindow(true);
  return false;
}
