// Which KmKey and KmMouse a controlled computer replays: only those of the computer that controls
// it (its last KmStatus 1 or 2), and only with a sequence number ahead of the last one taken in
// that session, so that a captured packet cannot be played again. Pure: no sockets, no windows.
#pragma once
#include <cstdint>

// True when `next` is ahead of `last` modulo 2^16 by 1 to 32767.
bool KmSequenceIsAhead(uint16_t last, uint16_t next);

class KmReplayGate {
 public:
  // A control exchange gave this side a new session key: the next KmStatus 1 or 2 starts a new
  // sequence window. A KmStatus played again under the same key does not.
  void OnSessionKey();
  // An authenticated KmStatus from 192.168.third.fourth.
  void OnStatus(uint8_t third, uint8_t fourth, uint16_t status);
  // An authenticated KmKey or KmMouse: true when it is to be replayed (and its number is taken).
  bool Admit(uint8_t third, uint8_t fourth, uint16_t sequence);

  bool Controlled() const { return controlled_; }

 private:
  bool controlled_ = false;
  uint8_t third_ = 0;
  uint8_t fourth_ = 0;
  bool freshKey_ = true;
  bool windowStarted_ = false;
  uint16_t last_ = 0;
};
