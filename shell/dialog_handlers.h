// Handler bodies that the dialogs of every area share.
#pragma once
#include <windows.h>

class CDialog;

// WM_CREATE: the framework's creation, then the dialog joins the open-dialog list; -1 on failure.
LRESULT OnCreateRegisterDialog(CDialog& dialog);
// WM_DESTROY: the framework's handling, then the dialog leaves the open-dialog list.
LRESULT OnDestroyUnregisterDialog(CDialog& dialog);
// Both of the above as message-map entries of dialog (called from its constructor).
void MapOpenDialogRegistration(CDialog& dialog);
// Makes button newDefault the default button in place of the current one, in style and for Enter.
void MoveDefaultButton(CDialog& dialog, UINT newDefault);
// For the tab pages and embedded dialogs: Enter and Escape key-downs lose their key code, so that
// neither closes anything. Always false (the message goes on to the dialog's own handling).
bool SwallowEnterAndEscape(MSG* msg);
// For the tab pages: a page has nothing to confirm or cancel, so its OK and Cancel commands (Enter
// on the default button, Escape, and closing, whose default handling is the Cancel path) leave it
// in place instead of ending it. Called from the page's constructor.
void MapTabPageCommands(CDialog& page);
