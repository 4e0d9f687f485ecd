#include "peers/swivo_service.h"

#include <cstring>

#include "peers/km_input_capture.h"
#include "peers/km_input_replay.h"
#include "peers/swivo_exchange_sender.h"
#include "peers/system_random_source.h"
#include "shell/main_messages.h"

namespace {

constexpr SIZE_T kThreadStackBytes = 8192;
constexpr int kReceiveBufferBytes = 65536;

SystemRandomSource& Random() {
  static SystemRandomSource random;
  return random;
}

LPARAM HostWord(const uint8_t source[4]) { return static_cast<LPARAM>(source[2]) << 8 | source[3]; }


}  // namespace

SwivoService::SwivoService() {
  std::memset(&peers_, 0, sizeof peers_);
  replyTo_ = [this](uint8_t third, uint8_t fourth) { return LanPeer{PrivatePeerAddress(third, fourth), bind_.port}; };
}

bool SwivoService::Start() {
  socket_ = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  if (socket_ == INVALID_SOCKET) return false;
  socketEvent_ = ::WSACreateEvent();
  if (socketEvent_ == WSA_INVALID_EVENT) return false;
  for (HANDLE* event : {&stopEvent_, &passwordDelivered_, &passwordSent_}) {
    *event = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (!*event) return false;
  }
  thread_ = ::CreateThread(nullptr, kThreadStackBytes, ThreadProc, this, 0, nullptr);
  return thread_ != nullptr;
}

void SwivoService::Close() {
  if (socket_ != INVALID_SOCKET) ::closesocket(socket_);
  socket_ = INVALID_SOCKET;
  if (socketEvent_ != WSA_INVALID_EVENT) ::WSACloseEvent(socketEvent_);
  socketEvent_ = WSA_INVALID_EVENT;
  for (HANDLE* handle : {&stopEvent_, &passwordDelivered_, &passwordSent_, &thread_}) {
    if (*handle) ::CloseHandle(*handle);
    *handle = nullptr;
  }
}

DWORD WINAPI SwivoService::ThreadProc(void* self) {
  static_cast<SwivoService*>(self)->Run();
  return 0;
}

void SwivoService::Notify(UINT message, WPARAM wParam, LPARAM lParam) {
  // Before the main dialog has initialised there is no one to tell.
  if (HWND window = mainWindow_.load()) ::SendMessageW(window, message, wParam, lParam);
}

void SwivoService::Run() {
  if (BindWhenAdapterReady(socket_, bind_, stop_, stopEvent_)) bound_ = true;
  const int receiveBuffer = kReceiveBufferBytes;
  ::setsockopt(socket_, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&receiveBuffer), sizeof receiveBuffer);
  ClearExchangeSets(&sets_);
  RandomizeSessionSeeds(Random(), &working_.first, &working_.second);
  ::WSAEventSelect(socket_, socketEvent_, FD_READ);
  KmParsedMessage parsed;
  while (!stop_.load()) {
    // The stop event first: a socket that never empties must not hide it.
    const HANDLE waits[] = {stopEvent_, socketEvent_};
    if (::WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) return;
    WSANETWORKEVENTS events = {};
    if (::WSAEnumNetworkEvents(socket_, socketEvent_, &events) != 0) continue;
    if (!(events.lNetworkEvents & FD_READ) || events.iErrorCode[FD_READ_BIT] != 0) continue;
    sockaddr_in from = {};
    int fromSize = sizeof from;
    const int got = ::recvfrom(socket_, reinterpret_cast<char*>(buffer_), kBufferLimit, 0,
                               reinterpret_cast<sockaddr*>(&from), &fromSize);
    if (got < 4) continue;
    uint8_t source[4];
    std::memcpy(source, &from.sin_addr, 4);
    if (!ParseKmPacket(buffer_, static_cast<size_t>(got), source, &parsed, pairingAllowed_.load(), keys_,
                       responderKey_) ||
        parsed.action == kActionNone) {
      continue;
    }
    Dispatch(parsed);
  }
}

void SwivoService::StorePeerInfo(const KmParsedMessage& parsed) {
  ScanReplyFields fields;
  if (!DecodeScanReply(parsed.payload, parsed.payload_size, &fields)) return;
  const int host = parsed.source[3];
  peers_.present[host] = 1;
  std::memset(peers_.name[host], 0, sizeof peers_.name[host]);
  std::memcpy(peers_.name[host], fields.computerName.data(), fields.computerName.size() * sizeof(char16_t));
  std::memset(peers_.cpu[host], 0, sizeof peers_.cpu[host]);
  std::memcpy(peers_.cpu[host], fields.cpuName.data(), fields.cpuName.size() * sizeof(char16_t));
  std::memcpy(peers_.mac[host], fields.mac, 6);
  peers_.osCode[host] = fields.osTypeCode;
  peers_.alive[host] = 1;
}

void SwivoService::Dispatch(KmParsedMessage& parsed) {
  const uint8_t* source = parsed.source;
  const bool pairing = parsed.exchange_mode == kExchangePairing;
  switch (parsed.action) {
    case kActionScanReply:
      StorePeerInfo(parsed);
      break;
    case kActionAliveReply:
      peers_.alive[source[3]] = 1;
      break;
    case kActionKmStatus:
      gate_.OnStatus(source[2], source[3], parsed.status);
      Notify(UM_KM_STATE, parsed.status, HostWord(source));
      break;
    case kActionKmKey:
      // Only the controller's own input, each packet once.
      if (!gate_.Admit(source[2], source[3], parsed.sequence)) {
        ++droppedInput_;
        break;
      }
      SendKmInputs(KmKeyInputs(parsed.key_action, parsed.scan_code, parsed.key_flags));
      ++replayed_;
      break;
    case kActionKmMouse:
      if (!gate_.Admit(source[2], source[3], parsed.sequence)) {
        ++droppedInput_;
        break;
      }
      SendKmInputs({KmMouseInput(parsed.mouse_kind, parsed.dx, parsed.dy)});
      ++replayed_;
      break;
    case kActionPasswordRequest: {
      // Answered only under the key this side's ExchangeReply agreed with that same host.
      if (!pairing || !pairingKeyReady_ || pairingReplyHost_[0] != source[2] || pairingReplyHost_[1] != source[3]) break;
      pairingKeyReady_ = false;
      SwivoKey key;
      if (SendPairingPassword(working_, Random(), replyTo_(source[2], source[3]), &key)) {
        keys_.StoreKey(source[2], source[3], key.bytes);
        keys_.TakeSnapshot();
        keys_.Save(folder_);
      }
      RandomizeSessionSeeds(Random(), &working_.first, &working_.second);
      ::SetEvent(passwordSent_);
      Notify(UM_PASSWORD_SENT, 0, HostWord(source));
      break;
    }
    case kActionPasswordDelivery:
      // Only from the host this side asked for a key.
      if (!pairing || !passwordAsked_ || passwordHost_[0] != source[2] || passwordHost_[1] != source[3]) break;
      passwordAsked_ = false;
      DecryptPairingPassword(working_, parsed.payload, password_);
      ::SetEvent(passwordDelivered_);
      RandomizeSessionSeeds(Random(), &working_.first, &working_.second);
      Notify(UM_PASSWORD_GOT, 0, HostWord(source));
      break;
    case kActionExchangeStart:
      SendKeyExchangeOffer(&sets_, Random(), replyTo_(source[2], source[3]), parsed.exchange_mode);
      break;
    case kActionExchangeOffer: {
      SessionValues shared;
      if (!SendKeyExchangeReply(&sets_, Random(), replyTo_(source[2], source[3]), parsed.offer, &shared)) break;
      working_ = shared;
      if (parsed.exchange_mode == kExchangeControl) {
        KmSetSessionKey(working_);
        const int slot = KmCurrentSlot();
        uint8_t third, fourth;
        bool clipSync = false;
        if (slot != -1) {
          KmSlotPeer(slot, &third, &fourth, &clipSync);
          KmSendState(slot, clipSync ? 2 : 1);
        }
      } else if (parsed.exchange_mode == kExchangePairing) {
        passwordAsked_ = true;
        passwordHost_[0] = source[2];
        passwordHost_[1] = source[3];
        SendPasswordRequest(replyTo_(source[2], source[3]));
      }
      break;
    }
    case kActionExchangeReply: {
      SessionValues shared;
      if (!FinishExchangeAsResponder(&sets_, parsed.reply, &shared)) break;
      working_ = shared;
      responderKey_ = shared;
      gate_.OnSessionKey();
      pairingKeyReady_ = pairing;
      pairingReplyHost_[0] = source[2];
      pairingReplyHost_[1] = source[3];
      break;
    }
    case kActionShowNumber:
      Notify(UM_KM_STATE, 3, parsed.show_number);
      break;
    default:
      break;
  }
}
