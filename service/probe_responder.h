// The scan responder: one UDP socket on the ScanPort and one thread that answers ScanRequest and
// AliveQuery while scan responses are switched on, switched by two named events.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "common/scan_codec.h"

// Scan responses on and off; the interactive program signals them.
inline constexpr wchar_t kScanReplyOnEventName[] = L"Global\\Lanvex_1cda839a";
inline constexpr wchar_t kScanReplyOffEventName[] = L"Global\\Lanvex_1cda839b";

struct MachineInfo {
  uint8_t osCode = 0;
  wchar_t computerName[32] = {};
  wchar_t cpuName[64] = {};
  wchar_t macText[26] = {};
};

struct ProbeResponder {
  struct Receiver {
    uint8_t ownAddress[4] = {};
    SOCKET socket = INVALID_SOCKET;
    sockaddr_in address = {};  // the bind address, then the sender of the last datagram
    WSAEVENT networkEvent = WSA_INVALID_EVENT;
    uint16_t bytesReceived = 0;
    uint16_t receiveLimit = scan_messages::kReceiveLimit;
    uint16_t datagramBytes = 0;  // the size of the datagram Receive took last
    uint8_t buffer[scan_messages::kReceiveLimit] = {};
  };

  std::atomic<uint8_t> stopRequested{0};
  Receiver receiver;
  SOCKET replySocket = INVALID_SOCKET;  // every reply goes from it; made at the first reply
  HANDLE thread = nullptr;
  HANDLE stopEvent = nullptr;
  HANDLE onEvent = nullptr;   // ScanReplyOnEvent
  HANDLE offEvent = nullptr;  // ScanReplyOffEvent
  uint8_t responsesEnabled = 0;
  uint8_t privateIp[4] = {};
  wchar_t adapterGuid[64] = {};
  wchar_t adapterName[128] = {};
  MachineInfo machine;
  uint32_t scanPort = 0;
  uint32_t kmPort = 0;
  std::wstring settingsFolder;  // where "EchowardSetting.txt" is read

  void Init();
  void SetPrivateIp(const uint8_t address[4]);
  void SetAdapterGuid(const wchar_t* guid);
  void SetAdapterName(const wchar_t* name);
  void SetPorts(uint32_t scan, uint32_t km);
  void CollectMachineInfo();
  bool Start();
  // False when the thread did not end within 10 seconds; the record must then outlive it.
  bool Stop();
  void Close();
  void ResetReceiver();
  int Receive();
  bool ParseRequest(scan_messages::ReplyKind* kind, uint8_t sender[4]);
  void SendReply(uint32_t port, const MachineInfo& info, scan_messages::ReplyKind kind, const uint8_t sender[4]);
};

DWORD WINAPI ProbeResponderThread(void* responder);

// Each sends one message from `sender`, making that socket when it is not there yet.
void SendScanReply(SOCKET& sender, uint32_t port, const MachineInfo& info, const uint8_t address[4]);
void SendPingReply(SOCKET& sender, uint32_t port, const uint8_t address[4]);

// Called once by the run loop after it reports running: Winsock, settings, COM, the adapter table
// and the link watcher, then the responder. 0, or -1 when Winsock does not start.
int StartProbeResponder();
// Called on the thread that handles a stop: ends and frees the responder. A stop that comes while
// StartProbeResponder is still at work waits for it, and no responder starts after a stop.
int StopProbeResponder();
// Called by the run loop on its own thread once it has ended: stops the link watcher, then
// releases COM, both set up by StartProbeResponder on this thread; a later run may start again.
void EndProbeResponderRun();

// COM for the WMI calls of the adapter table; 0 or -1.
int InitComSecurity();

// The running responder, or nullptr.
ProbeResponder* CurrentProbeResponder();
