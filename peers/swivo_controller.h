// SwivoController: the engine thread that shows Swivo's notices (hotkey list, switch to a peer and
// back, pairing key sent and received, control taken by a peer, the slot number) away from the
// user-interface thread, and on a controlled computer runs the clipboard client: it connects to
// the controller's clipboard server when control starts, takes the controller's clipboard and
// sends the local one whenever it changes.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "peers/km_settings.h"

class CWnd;
class CShowMsgIcon;

class SwivoController {
 public:
  SwivoController() = default;
  SwivoController(const SwivoController&) = delete;
  SwivoController& operator=(const SwivoController&) = delete;
  ~SwivoController() { Close(); }

  // The socket event, the clipboard, notice, stop and abort events, the 16 MiB buffer and the
  // thread; false at the first that cannot be made.
  bool Start();
  // Closes the client socket and every handle, and frees the popups (after the thread has ended).
  void Close();

  // Notices, each sets its fields and wakes the thread. `peer` is (third << 8) | fourth.
  void NoticeHotkeyList(uint16_t switchMode);
  void NoticeKeyReceived(uint32_t peer);
  void NoticeKeySent(uint32_t peer);
  void NoticeState(uint16_t state, uint32_t peer);
  // Word 0: back to local; else (slot number << 8) | clipboard bit.
  void NoticeSwitch(uint16_t word, uint32_t peer);

  // The main dialog's clipboard change: queues one send while this computer is controlled with
  // clipboard sharing. True when a send was queued.
  bool QueueClipboardSend();

  std::atomic<bool> stop_{false};
  HANDLE thread_ = nullptr;
  HANDLE stopEvent_ = nullptr;
  HANDLE clipboardEvent_ = nullptr;
  HANDLE noticeEvent_ = nullptr;
  HANDLE abortEvent_ = nullptr;
  WSAEVENT socketEvent_ = WSA_INVALID_EVENT;
  SOCKET socket_ = INVALID_SOCKET;
  uint16_t clipboardPort_ = 0;
  std::wstring folder_;  // the program folder ("SwKbSetting.txt")

  // Filled when the main dialog initialises.
  std::atomic<HWND> mainWindow_{nullptr};
  CWnd* parent_ = nullptr;
  const KmSettingsHolder* settings_ = nullptr;
  // The computer name for an address; empty gives "192.168.x.y".
  std::function<std::wstring(uint8_t third, uint8_t fourth)> names_;
  const std::atomic<uint8_t>* serverConnected_ = nullptr;
  HANDLE serverAbort_ = nullptr;
  // The dotted address of a controller's clipboard server: "192.168.third.fourth" (tests on the
  // loopback address point it elsewhere).
  std::function<std::wstring(uint32_t peer)> serverAddressOf_;
  // Clears the hotkey's switching flag once a switch notice is shown.
  std::function<void()> switchShown_;

  std::atomic<bool> sync_{false};
  std::atomic<bool> sendPending_{false};
  // Percent of the notices' display times (tests shorten them).
  uint32_t displayPercent_ = 100;

  // What tests read: the controller this computer is connected to and the saved pointer.
  std::wstring ControllerAddress() const;
  POINT SavedCursor() const { return savedCursor_; }
  uint32_t NoticesShown() const { return noticesShown_.load(); }
  uint32_t ClipboardSends() const { return clipboardSends_.load(); }

 private:
  static DWORD WINAPI ThreadProc(void* self);
  void Run();
  void ShowNotice();
  void ShowClipboardNotice();
  void ShowReturnHint();
  bool Connect(const std::wstring& address);
  void CloseClientSocket();
  bool ReceiveClipboard();
  bool SendClipboard();
  void Display(DWORD ms) const;
  std::wstring PeerName(uint32_t peer) const;

  struct Notices {
    bool hotkeyList = false;
    uint16_t switchMode = 0;
    bool keyReceived = false;
    uint32_t keyReceivedPeer = 0;
    bool keySent = false;
    uint32_t keySentPeer = 0;
    bool state = false;
    uint16_t stateValue = 0;
    uint32_t statePeer = 0;
    bool switched = false;
    uint16_t switchWord = 0;
    uint32_t switchPeer = 0;
  };
  mutable std::mutex noticeLock_;
  Notices notices_;
  mutable std::mutex addressLock_;
  std::wstring controllerAddress_;
  POINT savedCursor_ = {-1, -1};
  std::vector<uint8_t> buffer_;
  CShowMsgIcon* clipboardPopup_ = nullptr;
  CShowMsgIcon* returnHint_ = nullptr;
  std::atomic<uint32_t> noticesShown_{0};
  std::atomic<uint32_t> clipboardSends_{0};
};
