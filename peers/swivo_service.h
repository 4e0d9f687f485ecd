// SwivoService: the interactive program's one UDP receiver on the KmPort. It stores scan and alive
// replies in the PeerInfoTable, replays an authenticated controller's keys and mouse with
// SendInput, runs both sides of the key exchange and of pairing, and tells the main dialog about
// Swivo state with SendMessage.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>

#include "peers/km_bind_address.h"
#include "peers/km_key_table.h"
#include "peers/km_packet_parser.h"
#include "peers/km_replay_gate.h"
#include "peers/lan_sender.h"
#include "peers/peer_info_table.h"
#include "peers/swivo_exchange.h"

class SwivoService {
 public:
  static constexpr uint16_t kBufferLimit = 256;

  SwivoService();
  SwivoService(const SwivoService&) = delete;
  SwivoService& operator=(const SwivoService&) = delete;
  ~SwivoService() { Close(); }

  // The socket, the socket event, the stop and two pairing events and the thread; false at the
  // first that cannot be made. The owner fills bind_ and folder_ before.
  bool Start();
  void Close();

  std::atomic<bool> stop_{false};
  HANDLE thread_ = nullptr;
  HANDLE stopEvent_ = nullptr;
  HANDLE passwordDelivered_ = nullptr;
  HANDLE passwordSent_ = nullptr;
  SOCKET socket_ = INVALID_SOCKET;
  WSAEVENT socketEvent_ = WSA_INVALID_EVENT;
  LocalBindPlan bind_;   // private address, adapter and KmPort (also every reply's port)
  std::wstring folder_;  // the program folder ("KmRandPswdLocal.txt")
  std::atomic<HWND> mainWindow_{nullptr};
  std::atomic<bool> pairingAllowed_{false};
  KmKeyTable keys_;
  PeerInfoTable peers_;
  // Where a reply to 192.168.third.fourth goes: that address on the KmPort (tests on the loopback
  // address point it elsewhere).
  std::function<LanPeer(uint8_t third, uint8_t fourth)> replyTo_;
  // The pairing key last received (initiator side).
  uint8_t password_[kKmBlockSize] = {};

  // What tests and the benchmark read.
  uint32_t Replayed() const { return replayed_.load(); }
  uint32_t DroppedInput() const { return droppedInput_.load(); }
  // True once the socket is bound.
  bool Bound() const { return bound_.load(); }

 private:
  static DWORD WINAPI ThreadProc(void* self);
  void Run();
  void Dispatch(KmParsedMessage& parsed);
  void StorePeerInfo(const KmParsedMessage& parsed);
  void Notify(UINT message, WPARAM wParam, LPARAM lParam);

  uint8_t buffer_[kBufferLimit] = {};
  DhExchangeSets sets_;
  SessionValues working_;        // p and q
  SessionValues responderKey_;   // the controlled side's session key
  KmReplayGate gate_;
  // Pairing, responder: the host whose ExchangeReply set the key a PasswordRequest may use.
  bool pairingKeyReady_ = false;
  uint8_t pairingReplyHost_[2] = {};
  // Pairing, initiator: the host asked for a key; only its PasswordDelivery is taken.
  bool passwordAsked_ = false;
  uint8_t passwordHost_[2] = {};
  std::atomic<uint32_t> replayed_{0};
  std::atomic<uint32_t> droppedInput_{0};
  std::atomic<bool> bound_{false};
};
