#include "peers/km_session_socket.h"

#include <cstdio>
#include <cstring>

#include "peers/km_secure_packet.h"

namespace {

constexpr int kSessionSendBuffer = 32768;

}  // namespace

KmSessionSocket::~KmSessionSocket() { Close(); }

bool KmSessionSocket::Open(const LanPeer& peer, int slot, const uint8_t pairing_key[kKmBlockSize]) {
  Close();
  std::lock_guard<std::mutex> hold(lock_);
  socket_ = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  if (socket_ == INVALID_SOCKET) return false;
  const int buffer = kSessionSendBuffer;
  setsockopt(socket_, SOL_SOCKET, SO_SNDBUF, reinterpret_cast<const char*>(&buffer), sizeof buffer);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_port = htons(peer.port);
  address.sin_addr.s_addr = htonl(peer.address);
  if (connect(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    closesocket(socket_);
    socket_ = INVALID_SOCKET;
    return false;
  }
  slot_ = slot;
  std::memcpy(pairing_key_, pairing_key, kKmBlockSize);
  return true;
}

void KmSessionSocket::Close() {
  std::lock_guard<std::mutex> hold(lock_);
  if (socket_ != INVALID_SOCKET) ::closesocket(socket_);
  socket_ = INVALID_SOCKET;
  // The session is over: its keys go with it.
  ::SecureZeroMemory(pairing_key_, sizeof pairing_key_);
  ::SecureZeroMemory(session_key_.bytes, sizeof session_key_.bytes);
}

bool KmSessionSocket::IsOpen() const {
  std::lock_guard<std::mutex> hold(lock_);
  return socket_ != INVALID_SOCKET;
}

void KmSessionSocket::SetSessionKey(const SessionValues& session) {
  std::lock_guard<std::mutex> hold(lock_);
  session_key_ = SessionKeyOf(session);
}

uint16_t KmSessionSocket::Sequence() const {
  std::lock_guard<std::mutex> hold(lock_);
  return sequence_;
}

bool KmSessionSocket::SendConnect() {
  std::lock_guard<std::mutex> hold(lock_);
  const LanDatagram start = BuildExchangeStart(kExchangeControl);
  if (SendLocked(start.data(), start.size())) return true;
  ReportSendFailureLocked();
  return false;
}

bool KmSessionSocket::SendState(uint16_t status, RandomSource& random) {
  std::lock_guard<std::mutex> hold(lock_);
  uint64_t start = 0;
  if (DrawInRange(random, 0, 32767, &start)) sequence_ = static_cast<uint16_t>(start);
  if (SendSecureLocked(kKmStatus, kKmStatusLength, MakeKmStatusBlock(status))) return true;
  ReportSendFailureLocked();
  return false;
}

bool KmSessionSocket::SendKey(uint16_t action, uint16_t scan_code, uint16_t flags) {
  std::lock_guard<std::mutex> hold(lock_);
  ++sequence_;
  return SendSecureLocked(kKmKey, kKmKeyLength, MakeKmKeyBlock(action, scan_code, flags, sequence_));
}

bool KmSessionSocket::SendMouse(int32_t dx, int32_t dy, uint16_t kind) {
  std::lock_guard<std::mutex> hold(lock_);
  ++sequence_;
  return SendSecureLocked(kKmMouse, kKmMouseLength, MakeKmMouseBlock(dx, dy, kind, sequence_));
}

bool KmSessionSocket::SendLocked(const uint8_t* bytes, size_t size) {
  if (socket_ == INVALID_SOCKET) return false;
  return send(socket_, reinterpret_cast<const char*>(bytes), static_cast<int>(size), 0) == static_cast<int>(size);
}

bool KmSessionSocket::SendSecureLocked(uint16_t type, uint16_t length, const KmBlock& plain) {
  const KmSecurePacket packet = BuildKmSecurePacket(type, length, plain, session_key_, pairing_key_);
  return SendLocked(packet.bytes, sizeof packet.bytes);
}

void KmSessionSocket::ReportSendFailureLocked() const {
  char line[32];
  std::snprintf(line, sizeof line, "Error send - %d\n", slot_);
  OutputDebugStringA(line);
}
