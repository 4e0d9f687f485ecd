#include "service/probe_responder.h"

#include <cstring>
#include <cwchar>

#include "common/adapter_table.h"
#include "common/os_version.h"
#include "common/settings_file.h"
#include "common/text_helpers.h"
#include "service/adapter_address.h"
#include "service/responder_settings.h"

namespace {

constexpr DWORD kThreadStackBytes = 0x800000;
constexpr DWORD kStopWaitMs = 10000;
constexpr DWORD kLinkRetryMs = 1000;
constexpr DWORD kBindRetryMs = 1000;
constexpr DWORD kAutoAddressRetryMs = 2000;

std::u16string_view Utf16(const wchar_t* text) {
  static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wide characters");
  return std::u16string_view(reinterpret_cast<const char16_t*>(text), std::wcslen(text));
}

void CloseHandleIfAny(HANDLE& handle) {
  if (handle) CloseHandle(handle);
  handle = nullptr;
}

// Sends from the responder's one reply socket, made at the first reply: not bound, so the system
// picks its source port once. A socket per reply costs a round trip to the system each time.
void SendDatagram(SOCKET& sender, uint32_t port, const uint8_t address[4], const uint8_t* bytes, size_t size) {
  if (sender == INVALID_SOCKET) sender = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  if (sender == INVALID_SOCKET) return;
  sockaddr_in to = {};
  to.sin_family = AF_INET;
  to.sin_port = ::htons(static_cast<u_short>(port));
  std::memcpy(&to.sin_addr, address, 4);
  ::sendto(sender, reinterpret_cast<const char*>(bytes), static_cast<int>(size), 0, reinterpret_cast<sockaddr*>(&to),
           sizeof to);
}

// The bind loop: waits for link (and, with the private address 0.0.0.0, for the adapter's own
// address), then binds. False when a stop came first.
bool BindWhenReady(ProbeResponder& responder) {
  ProbeResponder::Receiver& receiver = responder.receiver;
  const uint8_t none[4] = {};
  const bool lookUpAddress = std::memcmp(responder.privateIp, none, 4) == 0;
  receiver.address = {};
  receiver.address.sin_family = AF_INET;
  receiver.address.sin_port = htons(static_cast<u_short>(responder.scanPort));
  std::memcpy(&receiver.address.sin_addr, responder.privateIp, 4);

  while (!responder.stopRequested.load()) {
    if (!g_AdapterTable.GetLinkFlag(responder.adapterName)) {
      Sleep(kLinkRetryMs);
      continue;
    }
    uint8_t address[4] = {};
    if (lookUpAddress) {
      wchar_t text[16] = {};
      if (!GetAdapterIpByGuid(text, responder.adapterGuid) || !ParseDottedAddress(text, address)) {
        std::memset(address, 0, 4);
      }
      if (address[0] == 169 && address[1] == 254) {
        Sleep(kAutoAddressRetryMs);
        continue;
      }
      std::memcpy(&receiver.address.sin_addr, address, 4);
    } else {
      std::memcpy(address, responder.privateIp, 4);
    }
    // Wine would bind a missing address as every address: only an address some adapter holds.
    const bool present = std::memcmp(address, none, 4) == 0 || LocalAddressPresent(address);
    if (present && bind(receiver.socket, reinterpret_cast<sockaddr*>(&receiver.address), sizeof receiver.address) == 0) {
      return true;
    }
    Sleep(kBindRetryMs);
  }
  return false;
}

}  // namespace

void ProbeResponder::Init() {
  stopRequested = 0;
  receiver.socket = INVALID_SOCKET;
  receiver.networkEvent = WSA_INVALID_EVENT;
  replySocket = INVALID_SOCKET;
  thread = stopEvent = onEvent = offEvent = nullptr;
  responsesEnabled = 0;
}

void ProbeResponder::SetPrivateIp(const uint8_t address[4]) { std::memcpy(privateIp, address, 4); }
void ProbeResponder::SetAdapterGuid(const wchar_t* guid) { lstrcpynW(adapterGuid, guid, 64); }
void ProbeResponder::SetAdapterName(const wchar_t* name) { lstrcpynW(adapterName, name, 128); }

void ProbeResponder::SetPorts(uint32_t scan, uint32_t km) {
  scanPort = scan;
  kmPort = km;
}

void ProbeResponder::CollectMachineInfo() {
  machine.osCode = static_cast<uint8_t>(GetOsTypeCode());
  // Cleared first: the reply carries all 13 units of this field whatever the file held.
  std::memset(machine.macText, 0, sizeof machine.macText);
  lstrcpynW(machine.macText, ReadMacText(SettingsFilePath(settingsFolder, L"PhysicalMacAddr.txt")).c_str(), 26);

  std::memset(machine.computerName, 0, sizeof machine.computerName);
  DWORD size = 32;
  if (!GetComputerNameW(machine.computerName, &size)) machine.computerName[0] = L'\0';

  std::memset(machine.cpuName, 0, sizeof machine.cpuName);
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", 0, KEY_READ, &key) ==
      ERROR_SUCCESS) {
    wchar_t value[64] = {};
    DWORD bytes = sizeof value, type = 0;
    if (RegQueryValueExW(key, L"ProcessorNameString", nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes) ==
            ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ)) {
      value[63] = L'\0';
      lstrcpynW(machine.cpuName, TrimWhiteSpace(value).c_str(), 64);
    }
    RegCloseKey(key);
  }
}

bool ProbeResponder::Start() {
  std::memcpy(receiver.ownAddress, privateIp, 4);
  receiver.socket = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  if (receiver.socket == INVALID_SOCKET) return false;
  receiver.networkEvent = WSACreateEvent();
  if (receiver.networkEvent == WSA_INVALID_EVENT) return false;
  ResetReceiver();
  stopEvent = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  if (!stopEvent) return false;

  // No access list at all, so that every account, the interactive program's included, may open
  // and signal the events (an empty list would deny everyone).
  SECURITY_DESCRIPTOR descriptor;
  if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION)) return false;
  if (!SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE)) return false;
  SECURITY_ATTRIBUTES attributes = {sizeof attributes, &descriptor, TRUE};
  onEvent = CreateEventW(&attributes, FALSE, FALSE, kScanReplyOnEventName);
  if (!onEvent) return false;
  offEvent = CreateEventW(&attributes, FALSE, FALSE, kScanReplyOffEventName);
  if (!offEvent) return false;

  thread = CreateThread(nullptr, kThreadStackBytes, ProbeResponderThread, this, 0, nullptr);
  return thread != nullptr;
}

bool ProbeResponder::Stop() {
  stopRequested = 1;
  if (stopEvent) SetEvent(stopEvent);
  if (!thread) return true;
  return WaitForSingleObject(thread, kStopWaitMs) == WAIT_OBJECT_0;
}

void ProbeResponder::Close() {
  if (receiver.socket != INVALID_SOCKET) closesocket(receiver.socket);
  receiver.socket = INVALID_SOCKET;
  if (receiver.networkEvent != WSA_INVALID_EVENT) WSACloseEvent(receiver.networkEvent);
  receiver.networkEvent = WSA_INVALID_EVENT;
  if (replySocket != INVALID_SOCKET) ::closesocket(replySocket);
  replySocket = INVALID_SOCKET;
  CloseHandleIfAny(thread);
  CloseHandleIfAny(stopEvent);
  CloseHandleIfAny(onEvent);
  CloseHandleIfAny(offEvent);
}

void ProbeResponder::ResetReceiver() {
  receiver.bytesReceived = 0;
  receiver.receiveLimit = scan_messages::kReceiveLimit;
}

int ProbeResponder::Receive() {
  int fromSize = sizeof receiver.address;
  const int room = scan_messages::kReceiveLimit - receiver.bytesReceived;
  // A datagram larger than the room fails (WSAEMSGSIZE) rather than arriving cut short.
  const int got = recvfrom(receiver.socket, reinterpret_cast<char*>(receiver.buffer + receiver.bytesReceived), room,
                           0, reinterpret_cast<sockaddr*>(&receiver.address), &fromSize);
  if (got == SOCKET_ERROR || got <= 0) return 1;
  receiver.bytesReceived = static_cast<uint16_t>(receiver.bytesReceived + got);
  if (receiver.bytesReceived < scan_messages::kHeaderBytes) return 1;
  receiver.bytesReceived = 0;
  receiver.datagramBytes = static_cast<uint16_t>(got);
  return 0;
}

bool ProbeResponder::ParseRequest(scan_messages::ReplyKind* kind, uint8_t sender[4]) {
  std::memcpy(sender, &receiver.address.sin_addr, 4);
  *kind = scan_messages::ChooseReply(receiver.buffer, receiver.datagramBytes, sender, receiver.ownAddress);
  return *kind != scan_messages::ReplyKind::kNone;
}

void ProbeResponder::SendReply(uint32_t port, const MachineInfo& info, scan_messages::ReplyKind kind,
                               const uint8_t sender[4]) {
  if (kind == scan_messages::ReplyKind::kScanReply) SendScanReply(replySocket, port, info, sender);
  if (kind == scan_messages::ReplyKind::kAliveReply) SendPingReply(replySocket, port, sender);
}

void SendScanReply(SOCKET& sender, uint32_t port, const MachineInfo& info, const uint8_t address[4]) {
  uint8_t reply[scan_messages::kMaxScanReplyBytes] = {};
  const size_t size = scan_messages::EncodeScanReply(reply, info.osCode, Utf16(info.computerName),
                                                     Utf16(info.cpuName), Utf16(info.macText));
  SendDatagram(sender, port, address, reply, size);
}

void SendPingReply(SOCKET& sender, uint32_t port, const uint8_t address[4]) {
  uint8_t reply[scan_messages::kAliveReplyBytes] = {};
  SendDatagram(sender, port, address, reply, scan_messages::EncodeAliveReply(reply));
}

DWORD WINAPI ProbeResponderThread(void* argument) {
  ProbeResponder& responder = *static_cast<ProbeResponder*>(argument);
  responder.responsesEnabled =
      ReadResponsesEnabled(SettingsFilePath(responder.settingsFolder, L"EchowardSetting.txt")) ? 1 : 0;
  BindWhenReady(responder);
  ::WSAEventSelect(responder.receiver.socket, responder.receiver.networkEvent, FD_READ);

  // Four handles, the control events before the socket: the wait returns the lowest signalled
  // slot, so a socket whose queue never empties cannot hide a stop or a switch, and each is seen
  // before the next datagram is received. Off comes before on: with both pending their order is
  // lost, and responses stay off rather than answer after the user may have switched them off.
  enum WaitSlot : DWORD { kStopSlot, kOffSlot, kOnSlot, kNetworkSlot, kWaitSlotCount };
  WSAEVENT events[kWaitSlotCount] = {};
  events[kStopSlot] = responder.stopEvent;
  events[kOffSlot] = responder.offEvent;
  events[kOnSlot] = responder.onEvent;
  events[kNetworkSlot] = responder.receiver.networkEvent;
  for (;;) {
    const DWORD woken = ::WSAWaitForMultipleEvents(kWaitSlotCount, events, FALSE, WSA_INFINITE, FALSE);
    if (woken < WSA_WAIT_EVENT_0 || woken >= WSA_WAIT_EVENT_0 + kWaitSlotCount) continue;
    switch (static_cast<WaitSlot>(woken - WSA_WAIT_EVENT_0)) {
      case kStopSlot:
        return 0;
      case kOffSlot:
        responder.responsesEnabled = 0;
        ::WaitForSingleObject(responder.onEvent, 0);  // an on that came with it is dropped
        continue;
      case kOnSlot:
        responder.responsesEnabled = 1;
        continue;
      default:
        break;
    }
    WSANETWORKEVENTS happened = {};
    if (::WSAEnumNetworkEvents(responder.receiver.socket, responder.receiver.networkEvent, &happened) != 0) continue;
    if (!(happened.lNetworkEvents & FD_READ) || happened.iErrorCode[FD_READ_BIT] != 0) continue;
    if (responder.Receive() == 0) {
      scan_messages::ReplyKind kind;
      uint8_t sender[4];
      if (responder.ParseRequest(&kind, sender) && responder.responsesEnabled) {
        responder.SendReply(responder.kmPort, responder.machine, kind, sender);
      }
    }
    responder.ResetReceiver();
  }
}
