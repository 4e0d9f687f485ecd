// CTandemkey: the pairing dialog ("Swivo") on the computer that will control: it pairs hotkey slot
// 1 or 2 with the peer through the UDP service's key exchange and stores the delivered key in
// "KmCompList.txt". A peer that already holds a slot opens in already-paired mode (Exit, or
// Reconnect for a new key). Result 0 paired, 1 Exit in already-paired mode.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>

#include <vector>

#include "framework/choice_controls.h"
#include "framework/framework.h"
#include "peers/hotkey_slots.h"
#include "peers/km_settings.h"
#include "peers/lan_sender.h"


class CTandemkey : public CDialog {
 public:
  explicit CTandemkey(CWnd* parent = nullptr);

  uint8_t peerOctet3_ = 0;
  uint8_t peerOctet4_ = 0;
  uint16_t kmPort_ = 0;
  uint8_t* passwordBuffer_ = nullptr;  // the UDP service's 16-byte buffer and its event
  HANDLE passwordEvent_ = nullptr;
  std::wstring folder_ = L".";
  DWORD pairWaitMs_ = 5000;
  // How the pairing's ExchangeStart leaves (tests that must not send replace it).
  std::function<void(const LanPeer& to)> sendExchangeStart_ = [](const LanPeer& to) {
    SendExchangeStart(to, kExchangePairing);
  };

  bool AlreadyPaired() const { return alreadyPaired_; }
  int PairedSlot() const { return pairedSlot_; }
  KmSettingsRecord& Record() { return holder_.record; }

  void OnBnClickedConnect();
  void OnBnClickedReconnect();
  // False when nothing was paired (time-out, or no slot).
  bool PairHotkeySlot(int slot);

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnCancel() override { EndDialog(-1); }
  void OnOK() override { OnBnClickedConnect(); }

 private:
  KmSettingsHolder holder_;
  CComboBox slots_;
  int32_t switchMode_ = 0;
  bool alreadyPaired_ = false;
  int pairedSlot_ = -1;
  uint8_t pairedClipSync_ = 0;
};
