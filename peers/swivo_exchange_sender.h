// The exchange and pairing steps that answer a peer: each computes with swivo_exchange.h and sends
// its message from a fresh socket to the peer's KmPort.
#pragma once
#include "peers/lan_sender.h"
#include "peers/swivo_exchange.h"

// Responder, on ExchangeStart: the offer with the mode of the request. False when nothing was sent.
bool SendKeyExchangeOffer(DhExchangeSets* sets, RandomSource& random, const LanPeer& to, uint16_t mode);

// Initiator, on ExchangeOffer: the reply, and the shared values this side derived. False when the
// offer was refused or nothing was sent.
bool SendKeyExchangeReply(DhExchangeSets* sets, RandomSource& random, const LanPeer& to,
                          const ExchangeOfferValues& offer, SessionValues* shared);

// Responder, on PasswordRequest: a new pairing key, sent under the session key. False, with nothing
// sent and no key drawn, when no socket could be made; the caller stores `key` only on true.
bool SendPairingPassword(const SessionValues& session, RandomSource& random, const LanPeer& to, SwivoKey* key);
