#include "peers/km_replay_gate.h"

bool KmSequenceIsAhead(uint16_t last, uint16_t next) {
  const uint16_t distance = static_cast<uint16_t>(next - last);
  return distance != 0 && distance < 0x8000;
}

void KmReplayGate::OnSessionKey() { freshKey_ = true; }

void KmReplayGate::OnStatus(uint8_t third, uint8_t fourth, uint16_t status) {
  const bool sameHost = third == third_ && fourth == fourth_;
  if (status == 0) {
    if (sameHost) controlled_ = false;
    return;
  }
  if (status != 1 && status != 2) return;
  // Under the same key the numbers go on: a status played again never reopens the window.
  if (freshKey_ || !sameHost) windowStarted_ = false;
  freshKey_ = false;
  controlled_ = true;
  third_ = third;
  fourth_ = fourth;
}

bool KmReplayGate::Admit(uint8_t third, uint8_t fourth, uint16_t sequence) {
  if (!controlled_ || third != third_ || fourth != fourth_) return false;
  if (windowStarted_ && !KmSequenceIsAhead(last_, sequence)) return false;
  windowStarted_ = true;
  last_ = sequence;
  return true;
}
