// The controlling side of Swivo: while controller mode is on, the low-level keyboard hook watches
// for the hotkeys, switches control to the peer of slot 1 or 2 or back, and while a peer is
// controlled swallows every key and sends it as a KmKey; the mouse hook swallows local mouse input
// and raw mouse input becomes KmMouse. State is process-wide, as the hooks are; everything runs on
// the user-interface thread except KmSendState and the session key, which the UDP service thread
// also uses for a session's first status.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>

#include "peers/km_settings.h"
#include "peers/lan_sender.h"
#include "peers/swivo_exchange.h"

class SwivoController;
class ClipboardServer;

// The slot and switching locks, made once when the main dialog is created and deleted when it is
// destroyed.
void KmCreateLocks();
void KmDeleteLocks();

// Copies the record's slots and switch mode into the hook's slot copy.
void KmApplySettings(const KmSettingsRecord& record);

// Installs the keyboard hook, then the mouse hook; 0 when both are in, -1 otherwise (a keyboard
// hook without its mouse hook is removed again).
int KmInstallHooks();
// Removes the hooks when they are installed.
void KmRemoveHooks();
bool KmHooksInstalled();

LRESULT CALLBACK KmLowLevelKeyboardProc(int code, WPARAM message, LPARAM keyRecord);
LRESULT CALLBACK KmLowLevelMouseProc(int code, WPARAM message, LPARAM mouseRecord);

// WM_INPUT: while a peer is controlled, relative motion, left and right buttons and the wheel go
// to it.
void ForwardRawMouseInput(HRAWINPUT input);
// One raw mouse packet's messages (the part of ForwardRawMouseInput after reading the packet).
void ForwardRawMouse(const RAWMOUSE& mouse);

// Ends control of the current peer: release-all and KmStatus 0 to it, the session socket closed.
void KmStopControl();

// -1 when no peer is controlled, else the slot.
int KmCurrentSlot();
// A slot's clipboard sharing and peer from the slot copy; false when it is not enabled.
bool KmSlotPeer(int slot, uint8_t* third, uint8_t* fourth, bool* clipSync);
// Called by the controller thread once it has shown a switch notice.
void KmClearSwitching();

// The UDP service thread, on a control exchange's offer: the session key, then the first status.
void KmSetSessionKey(const SessionValues& session);
void KmSendState(int slot, uint16_t status);

// Controller mode: what the Swivo page's KM button turns on and off.
struct KmControllerLinks {
  HWND mainWindow = nullptr;
  SwivoController* controller = nullptr;
  ClipboardServer* server = nullptr;
  uint16_t kmPort = 0;
  // Where 192.168.third.fourth is reached: that address on the KmPort when empty (tests on the
  // loopback address point it elsewhere).
  std::function<LanPeer(uint8_t third, uint8_t fourth)> peerOf;
};
// Registers raw mouse input for the main window (also in the background), copies the links,
// has the main dialog reload the Swivo settings and installs the hooks.
void StartSwivo(const KmControllerLinks& links);
// Ends a control session in progress first (release-all, status 0, mouse forwarding off), then
// removes the hooks.
void StopSwivo();
