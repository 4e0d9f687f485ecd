#include "shell/dialog_handlers.h"

#include "framework/dialog.h"
#include "shell/open_dialog_list.h"

LRESULT OnCreateRegisterDialog(CDialog& dialog) {
  if (dialog.Default() == -1) return -1;
  RegisterOpenDialog(&dialog);
  return 0;
}

LRESULT OnDestroyUnregisterDialog(CDialog& dialog) {
  LRESULT result = dialog.Default();
  UnregisterOpenDialog(&dialog);
  return result;
}

void MapOpenDialogRegistration(CDialog& dialog) {
  dialog.MapMessage(WM_CREATE, [&dialog](WPARAM, LPARAM) { return OnCreateRegisterDialog(dialog); });
  dialog.MapMessage(WM_DESTROY, [&dialog](WPARAM, LPARAM) { return OnDestroyUnregisterDialog(dialog); });
}

void MoveDefaultButton(CDialog& dialog, UINT newDefault) {
  UINT current = dialog.GetDefID();
  if (current && current != newDefault) {
    ::SendDlgItemMessageW(dialog, static_cast<int>(current), BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  }
  dialog.SetDefID(newDefault);
  ::SendDlgItemMessageW(dialog, static_cast<int>(newDefault), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

bool SwallowEnterAndEscape(MSG* msg) {
  if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) {
    msg->wParam = 0;
  }
  return false;
}

void MapTabPageCommands(CDialog& page) {
  page.MapClicked(IDOK, [] {});
  page.MapClicked(IDCANCEL, [] {});
}
