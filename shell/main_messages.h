// The messages of the main dialog's bus, as numbers from WM_USER, and the tray icon's callback.
// Engine threads, page workers and timer callbacks reach the GUI thread through these.
#pragma once
#include <windows.h>

constexpr UINT UM_REFRESH = WM_USER + 1;           // posted by the refresh tick
constexpr UINT UM_CLOSE_DIALOGS = WM_USER + 2;     // end every open dialog with -1
constexpr UINT UM_PEER_TABLE = WM_USER + 6;
constexpr UINT UM_LOG_RECORD = WM_USER + 7;
constexpr UINT UM_CLOSE_DEVICE = WM_USER + 8;      // close the driver device, stop polling for good
constexpr UINT UM_BRING_TO_FRONT = WM_USER + 9;
constexpr UINT UM_KM_STATE = WM_USER + 11;
constexpr UINT UM_KM_MODE = WM_USER + 12;
constexpr UINT UM_PASSWORD_SENT = WM_USER + 13;
constexpr UINT UM_PASSWORD_GOT = WM_USER + 14;
constexpr UINT UM_RELOAD_KM_SETTINGS = WM_USER + 16;
constexpr UINT UM_RELOAD_KM_KEYS = WM_USER + 17;
constexpr UINT UM_QUIT_OR_ABOUT = WM_USER + 18;    // wParam 1 quit, 0 About

constexpr UINT UM_TRAY_NOTIFY = WM_APP + 10;       // 0x800A
