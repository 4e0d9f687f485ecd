#include "peers/swivo_exchange_sender.h"

bool SendKeyExchangeOffer(DhExchangeSets* sets, RandomSource& random, const LanPeer& to, uint16_t mode) {
  ExchangeOfferValues offer;
  if (!PrepareExchangeOffer(sets, mode, random, &offer)) return false;
  return SendLanDatagram(to, BuildExchangeOffer(offer));
}

bool SendKeyExchangeReply(DhExchangeSets* sets, RandomSource& random, const LanPeer& to,
                          const ExchangeOfferValues& offer, SessionValues* shared) {
  ExchangeReplyValues reply;
  if (!AnswerExchangeOffer(sets, offer, random, &reply, shared)) return false;
  return SendLanDatagram(to, BuildExchangeReply(reply));
}

bool SendPairingPassword(const SessionValues& session, RandomSource& random, const LanPeer& to, SwivoKey* key) {
  LanSendSocket socket;
  if (!socket.IsOpen() || !DrawPairingKey(random, key)) return false;
  uint8_t block[kKmBlockSize];
  EncryptPairingKey(session, *key, block);
  // A lost datagram is simply lost: the initiator's wait then times out.
  socket.SendTo(to, BuildPasswordDelivery(block));
  return true;
}
