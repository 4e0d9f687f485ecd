// The status boxes the adapter dialogs show on the desktop while they change something: opened
// painted before the work starts, closed and freed after it; and the timed notices with two lines.
#pragma once
#include <windows.h>

#include <string>

class CShowMsgDlg;
class CWnd;

// A shown and painted box; null when it could not be created (the work goes on without it).
CShowMsgDlg* OpenStatusBox(CWnd* parent, const std::wstring& caption, const std::wstring& line1,
                           const std::wstring& line2 = L"");
// Destroys and frees the box; nothing for null.
void CloseStatusBox(CShowMsgDlg* box);
// A box kept for milliseconds while messages are dispatched, then closed.
void ShowTimedNotice(CWnd* parent, const std::wstring& caption, const std::wstring& line1, const std::wstring& line2,
                     DWORD milliseconds);
