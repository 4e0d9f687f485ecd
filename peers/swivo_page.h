// CMyServer: the Swivo tab page. It turns controller mode (the hooks of the input capture) on and
// off, opens the 30-second pairing window on the computer that is to be controlled, and opens the
// hotkey dialog and the allowed-hosts dialog.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "controls/gdip_button.h"
#include "framework/framework.h"

struct ComputerList;
class SwivoController;
class ClipboardServer;

class CMyServer : public CDialog {
 public:
  CMyServer();

  // Links, set by the main dialog before the window exists.
  HWND mainWindow_ = nullptr;
  std::wstring folder_ = L".";
  std::wstring adapterName_;
  std::wstring adapterGuidName_;
  HANDLE passwordSent_ = nullptr;
  std::atomic<bool>* pairingAllowed_ = nullptr;
  ComputerList* computerList_ = nullptr;
  SwivoController* controller_ = nullptr;
  ClipboardServer* server_ = nullptr;
  uint16_t kmPort_ = 33334;
  DWORD pairingWindowMs_ = 30000;

  // The private address; all zero looks the physical adapter's address up.
  void SetLocalIp(const uint8_t octets[4]);
  void LookupLocalIp();
  void StartSwivoIfStopped();

  bool ControllerMode() const { return controllerMode_; }
  int32_t SwitchMode() const { return switchMode_; }
  const uint8_t* OwnIp() const { return ownIp_; }

  void OnBnClickedKmSrv();
  void OnBnClickedKey();
  void OnBnClickedKm();
  void OnBnClickedHotkey();

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* msg) override;

 private:
  bool LinkCheckPassed();
  void AdoptLookedUpAddress();
  void TurnOn();
  void TurnOff();

  CGdipButton pairWindow_;
  CGdipButton km_;
  CGdipButton keys_;
  CGdipButton hotkeys_;
  bool controllerMode_ = false;
  int32_t switchMode_ = 0;
  uint8_t ownIp_[4] = {};
  bool noPrivateAddress_ = false;
};
