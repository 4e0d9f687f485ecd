// The controller's session socket: made when the user switches to a peer, with a 32768-byte send
// buffer and the peer's KmPort as its fixed destination, it carries that session's ExchangeStart
// (mode 1) and every KmStatus, KmKey and KmMouse until control ends.
//
// The UDP service thread sends the first status of a session while the keyboard hook sends keys,
// so the socket, the session key, the slot's pairing key and the sequence counter are held under
// one lock.
#pragma once
#include <winsock2.h>

#include <cstdint>
#include <mutex>

#include "peers/lan_sender.h"
#include "peers/random_source.h"
#include "peers/swivo_exchange.h"

class KmSessionSocket {
 public:
  KmSessionSocket() = default;
  ~KmSessionSocket();
  KmSessionSocket(const KmSessionSocket&) = delete;
  KmSessionSocket& operator=(const KmSessionSocket&) = delete;

  // `slot` (0 or 1) is the hotkey slot being controlled; its pairing key is the token of every
  // secure packet.
  bool Open(const LanPeer& peer, int slot, const uint8_t pairing_key[kKmBlockSize]);
  void Close();
  bool IsOpen() const;

  // The session key of the last control exchange with this peer.
  void SetSessionKey(const SessionValues& session);

  bool SendConnect();  // ExchangeStart, mode 1
  // KmStatus: 0 control ended, 1 controlled, 2 controlled with clipboard sharing. Starts the
  // sequence counter afresh (0 to 32767) from `random`.
  bool SendState(uint16_t status, RandomSource& random);
  bool SendKey(uint16_t action, uint16_t scan_code, uint16_t flags);
  bool SendMouse(int32_t dx, int32_t dy, uint16_t kind);

  uint16_t Sequence() const;

 private:
  bool SendLocked(const uint8_t* bytes, size_t size);
  bool SendSecureLocked(uint16_t type, uint16_t length, const KmBlock& plain);
  void ReportSendFailureLocked() const;

  mutable std::mutex lock_;
  SOCKET socket_ = INVALID_SOCKET;
  int slot_ = 0;
  uint8_t pairing_key_[kKmBlockSize] = {};
  SwivoKey session_key_;
  uint16_t sequence_ = 0;
};
