#include "peers/swivo_controller.h"

#include <cstdio>
#include <cwchar>
#include <memory>

#include "common/settings_file.h"
#include "peers/clipboard_stream.h"
#include "peers/km_input_replay.h"
#include "peers/swivo_notices.h"
#include "shell/lang_text.h"
#include "shell/lang_text_format.h"
#include "shell/main_messages.h"
#include "shell/msg_top_num.h"

namespace {

constexpr SIZE_T kThreadStackBytes = 8192;
constexpr int32_t kPageZone = 2;
constexpr int32_t kNoticeZone = 11;
constexpr DWORD kNoticeMs = 1500;
constexpr DWORD kSwitchCheckMs = 1000;
constexpr DWORD kReceivePieceMs = 3072;
constexpr int kHotkeyLineHeight = 27;

std::wstring Notice(const char* key) { return LoadLangText(kNoticeZone, key); }
std::wstring PageText(const char* key) { return LoadLangText(kPageZone, key); }

std::wstring AddressText(uint32_t peer) {
  wchar_t text[16];
  std::swprintf(text, 16, L"192.168.%d.%d", static_cast<int>((peer >> 8) & 0xFF), static_cast<int>(peer & 0xFF));
  return text;
}

std::wstring ModifierText(bool ctrlOnly) { return ctrlOnly ? L"[Ctrl]" : L"[Ctrl] + [Alt]"; }

}  // namespace

bool SwivoController::Start() {
  buffer_.assign(kClipboardBufferSize, 0);
  socketEvent_ = ::WSACreateEvent();
  if (socketEvent_ == WSA_INVALID_EVENT) return false;
  for (HANDLE* event : {&clipboardEvent_, &noticeEvent_, &stopEvent_, &abortEvent_}) {
    *event = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (!*event) return false;
  }
  thread_ = ::CreateThread(nullptr, kThreadStackBytes, ThreadProc, this, 0, nullptr);
  return thread_ != nullptr;
}

void SwivoController::Close() {
  CloseClientSocket();
  for (HANDLE* handle : {&clipboardEvent_, &noticeEvent_, &stopEvent_, &abortEvent_, &thread_}) {
    if (*handle) ::CloseHandle(*handle);
    *handle = nullptr;
  }
  if (socketEvent_ != WSA_INVALID_EVENT) ::WSACloseEvent(socketEvent_);
  socketEvent_ = WSA_INVALID_EVENT;
  delete clipboardPopup_;
  clipboardPopup_ = nullptr;
  delete returnHint_;
  returnHint_ = nullptr;
}

void SwivoController::NoticeHotkeyList(uint16_t switchMode) {
  {
    std::lock_guard<std::mutex> hold(noticeLock_);
    notices_.hotkeyList = true;
    notices_.switchMode = switchMode;
  }
  ::SetEvent(noticeEvent_);
}

void SwivoController::NoticeKeyReceived(uint32_t peer) {
  {
    std::lock_guard<std::mutex> hold(noticeLock_);
    notices_.keyReceived = true;
    notices_.keyReceivedPeer = peer;
  }
  ::SetEvent(noticeEvent_);
}

void SwivoController::NoticeKeySent(uint32_t peer) {
  {
    std::lock_guard<std::mutex> hold(noticeLock_);
    notices_.keySent = true;
    notices_.keySentPeer = peer;
  }
  ::SetEvent(noticeEvent_);
}

void SwivoController::NoticeState(uint16_t state, uint32_t peer) {
  {
    std::lock_guard<std::mutex> hold(noticeLock_);
    notices_.state = true;
    notices_.stateValue = state;
    notices_.statePeer = peer;
  }
  ::SetEvent(noticeEvent_);
}

void SwivoController::NoticeSwitch(uint16_t word, uint32_t peer) {
  {
    std::lock_guard<std::mutex> hold(noticeLock_);
    notices_.switched = true;
    notices_.switchWord = word;
    notices_.switchPeer = peer;
  }
  ::SetEvent(noticeEvent_);
}

bool SwivoController::QueueClipboardSend() {
  if (!sync_.load() || sendPending_.exchange(true)) return false;
  ::SetEvent(clipboardEvent_);
  return true;
}

std::wstring SwivoController::ControllerAddress() const {
  std::lock_guard<std::mutex> hold(addressLock_);
  return controllerAddress_;
}

DWORD WINAPI SwivoController::ThreadProc(void* self) {
  static_cast<SwivoController*>(self)->Run();
  return 0;
}

void SwivoController::Run() {
  while (!stop_.load()) {
    const HANDLE waits[] = {stopEvent_, clipboardEvent_, noticeEvent_};
    const DWORD woke = ::WaitForMultipleObjects(3, waits, FALSE, INFINITE);
    if (woke == WAIT_OBJECT_0 + 1) {
      if (sync_.load()) {
        ShowClipboardNotice();
        SendClipboard();
        delete clipboardPopup_;
        clipboardPopup_ = nullptr;
      }
      sendPending_ = false;
    } else if (woke == WAIT_OBJECT_0 + 2) {
      ShowNotice();
    } else {
      return;  // the stop event or a failed wait
    }
  }
}

void SwivoController::Display(DWORD ms) const { ::Sleep(ms * displayPercent_ / 100); }

std::wstring SwivoController::PeerName(uint32_t peer) const {
  std::wstring name;
  if (names_) name = names_(static_cast<uint8_t>(peer >> 8), static_cast<uint8_t>(peer));
  return name.empty() ? AddressText(peer) : name;
}

void SwivoController::ShowNotice() {
  Notices taken;
  {
    std::lock_guard<std::mutex> hold(noticeLock_);
    taken = notices_;
  }
  HWND owner = parent_ ? parent_->GetSafeHwnd() : mainWindow_.load();
  CShowMsgTop top;
  CMsgTopNumBigFontSize number;
  if (!top.CreateOnDesktop(owner) || !number.CreateOnDesktop()) return;
  DWORD displayMs = kNoticeMs;
  auto clear = [this](bool Notices::*flag) {
    std::lock_guard<std::mutex> hold(noticeLock_);
    notices_.*flag = false;
  };

  if (taken.hotkeyList) {
    KmSlotSnapshot slots = {};
    if (settings_) slots = settings_->ReadSnapshot();
    int enabled = 0;
    for (int slot = 0; slot < KmSettingsRecord::kSlots; ++slot) enabled += slots.enabled[slot] ? 1 : 0;
    if (enabled > 0) {
      top.SetLineCount(3 + enabled);
      top.ClearLines();
      int line = 0;
      for (int slot = 0; slot < KmSettingsRecord::kSlots; ++slot) {
        if (!slots.enabled[slot]) continue;
        const uint32_t peer = static_cast<uint32_t>(slots.octet3[slot]) << 8 | slots.octet4[slot];
        wchar_t text[300];
        std::swprintf(text, 300, L"%d - %ls", slot + 1, PeerName(peer).c_str());
        top.SetLine(line++, text);
      }
      top.SetLine(line++, L"");
      const std::wstring modifiers = ModifierText(taken.switchMode != 0);
      top.SetLineWithIcon(line++, FormatLangText(PageText("TXT_HOTKEY_SW_HOST").c_str(), modifiers.c_str()));
      top.SetLineWithIcon(line++, FormatLangText(PageText("TXT_HOTKEY_RET_LOCAL").c_str(), modifiers.c_str()));
    } else {
      top.SetLine(0, Notice("TXT_NO_ENABLED_HOTKEY"));
    }
    top.iconType = CShowMsgTop::kHotkey;
    top.ShowStatusIcons();
    top.Show();
    clear(&Notices::hotkeyList);
  } else if (taken.keyReceived || taken.keySent) {
    const uint32_t peer = taken.keyReceived ? taken.keyReceivedPeer : taken.keySentPeer;
    top.SetLine(1, FormatLangText(Notice("TXT_FROM").c_str(), PeerName(peer).c_str()));
    top.SetLine(0, Notice(taken.keyReceived ? "TXT_RAND_PSWD_GET" : "TXT_RAND_PSWD_SENT"));
    top.Show();
    clear(taken.keyReceived ? &Notices::keyReceived : &Notices::keySent);
  } else if (taken.state) {
    const uint16_t state = taken.stateValue;
    if (state == 0) {
      {
        std::lock_guard<std::mutex> hold(addressLock_);
        controllerAddress_.clear();
      }
      if (serverAbort_) ::SetEvent(serverAbort_);
      CloseClientSocket();
    } else if (state == 1 || state == 2) {
      top.iconType = CShowMsgTop::kServer;
      top.ShowStatusIcons();
      top.SetLine(1, FormatLangText(Notice("TXT_FROM").c_str(), PeerName(taken.statePeer).c_str()));
      sync_ = state == 2;
      top.SetLine(0, Notice(state == 2 ? "TXT_CONN_SYNC" : "TXT_CONN"));
      top.Show();
      const std::wstring address = serverAddressOf_ ? serverAddressOf_(taken.statePeer) : AddressText(taken.statePeer);
      if (address != ControllerAddress()) {
        {
          std::lock_guard<std::mutex> hold(addressLock_);
          controllerAddress_ = address;
        }
        CloseClientSocket();
        socket_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        if (socket_ != INVALID_SOCKET) Connect(address);
      }
      top.Show();
    } else if (state == 3) {
      number.SetNumber(static_cast<int>(taken.statePeer));
      number.ShowWindow(SW_SHOWNOACTIVATE);
      number.UpdateWindow();
    }
    if (HWND main = mainWindow_.load()) ::SendMessageW(main, UM_KM_MODE, state, 0);
    clear(&Notices::state);
  } else if (taken.switched) {
    const uint16_t word = taken.switchWord;
    if (word > 255) {
      POINT cursor = {-1, -1};
      if (!::GetCursorPos(&cursor)) cursor = {-1, -1};
      savedCursor_ = cursor;
      wchar_t text[300];
      std::swprintf(text, 300, names_ ? L"#%d, %ls." : L"#%d, %ls", word >> 8, PeerName(taken.switchPeer).c_str());
      top.SetLine(1, text);
      top.SetLine(0, Notice(word & 0xFF ? "TXT_SW_CTRL_SYNC" : "TXT_SW_CTRL"));
      top.iconType = CShowMsgTop::kClient;
      ShowReturnHint();
    } else {
      if (savedCursor_.x != -1 || savedCursor_.y != -1) ::SetCursorPos(savedCursor_.x, savedCursor_.y);
      savedCursor_ = {-1, -1};
      SendKmInputs(KmLocalModifierReleaseInputs());
      top.SetLine(1, Notice("TXT_RETURN"));
      top.SetLine(0, Notice("TXT_SW_CTRL"));
      top.iconType = CShowMsgTop::kLocal;
      delete returnHint_;
      returnHint_ = nullptr;
    }
    clear(&Notices::switched);
    top.ShowStatusIcons();
    top.Show();
    if (switchShown_) switchShown_();
    if (word > 255) {
      Display(kSwitchCheckMs);
      const bool connected = serverConnected_ && serverConnected_->load() == 1;
      top.SetLine(0, Notice(connected ? "TXT_CONN" : "TXT_NO_CONN"));
      if (!connected) top.iconType = CShowMsgTop::kError;
      top.ShowStatusIcons();
      displayMs = kSwitchCheckMs;
    }
  } else {
    return;
  }
  ++noticesShown_;
  Display(displayMs);
}

void SwivoController::ShowClipboardNotice() {
  delete clipboardPopup_;
  clipboardPopup_ = new CShowMsgIcon;
  if (!clipboardPopup_->CreateOnDesktop(parent_ ? parent_->GetSafeHwnd() : nullptr, 0, PageText("TXT_SYNC_CLIPBOARD"))) {
    delete clipboardPopup_;
    clipboardPopup_ = nullptr;
    return;
  }
  clipboardPopup_->MoveToCorner();
}

void SwivoController::ShowReturnHint() {
  std::wstring mode;
  ReadSettingValue(SettingsFilePath(folder_, kSwKbSettingFile), mode);
  mode = TrimWhiteSpace(mode);
  delete returnHint_;
  returnHint_ = new CShowMsgIcon;
  const std::wstring text = FormatLangText(PageText("TXT_KM_RET").c_str(), ModifierText(mode == L"1").c_str());
  if (!returnHint_->CreateOnDesktop(parent_ ? parent_->GetSafeHwnd() : nullptr, 1, text)) {
    delete returnHint_;
    returnHint_ = nullptr;
    return;
  }
  returnHint_->MoveToCorner();
}

void SwivoController::CloseClientSocket() {
  if (socket_ != INVALID_SOCKET) ::closesocket(socket_);
  socket_ = INVALID_SOCKET;
}

bool SwivoController::Connect(const std::wstring& address) {
  SetClipboardSocketBuffers(socket_);
  sockaddr_in to = {};
  to.sin_family = AF_INET;
  to.sin_port = htons(clipboardPort_);
  unsigned parts[4] = {};
  std::swscanf(address.c_str(), L"%u.%u.%u.%u", &parts[0], &parts[1], &parts[2], &parts[3]);
  uint8_t* octets = reinterpret_cast<uint8_t*>(&to.sin_addr);
  for (int i = 0; i < 4; ++i) octets[i] = static_cast<uint8_t>(parts[i]);
  if (::connect(socket_, reinterpret_cast<const sockaddr*>(&to), sizeof to) != 0) {
    CloseClientSocket();
    return false;
  }
  if (sync_.load()) {
    ::ResetEvent(abortEvent_);
    ReceiveClipboard();
  }
  return true;
}

bool SwivoController::ReceiveClipboard() {
  ClipboardStream stream(socket_, socketEvent_, stopEvent_, abortEvent_, stop_, kReceivePieceMs);
  return ReceiveClipboardTransfers(stream, buffer_.data(), mainWindow_.load(), true) ==
         ClipboardReceiveEnd::kTransferDone;
}

bool SwivoController::SendClipboard() {
  if (socket_ == INVALID_SOCKET) return false;
  const uint32_t size = BuildClipboardTransfer(mainWindow_.load(), buffer_.data());
  ClipboardStream stream(socket_, socketEvent_, stopEvent_, abortEvent_, stop_, INFINITE);
  const bool sent = stream.Send(buffer_.data(), size);
  if (sent) ++clipboardSends_;
  return sent;
}
