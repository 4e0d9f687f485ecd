#include "shell/open_dialog_list.h"

#include <algorithm>
#include <vector>
#include "framework/dialog.h"

namespace {
struct OpenDialog {
  CDialog* dialog;
  HWND window;  // to tell a live entry from one whose dialog has gone
};

struct OpenDialogList {
  std::vector<OpenDialog> entries;
  bool closing = false;
};

OpenDialogList& List() {
  static OpenDialogList list;
  return list;
}
}  // namespace

void RegisterOpenDialog(CDialog* dialog) {
  List().entries.push_back({dialog, dialog->GetSafeHwnd()});
}

void UnregisterOpenDialog(CDialog* dialog) {
  OpenDialogList& list = List();
  if (list.closing) return;
  // Its own entry, wherever it is: a dialog that goes out of order must not take another's.
  auto own = std::find_if(list.entries.rbegin(), list.entries.rend(),
                          [dialog](const OpenDialog& e) { return e.dialog == dialog; });
  if (own != list.entries.rend()) list.entries.erase(std::next(own).base());
  if (list.entries.empty()) std::vector<OpenDialog>().swap(list.entries);
}

void CloseOpenDialogs() {
  OpenDialogList& list = List();
  list.closing = true;
  while (!list.entries.empty()) {
    OpenDialog last = list.entries.back();
    list.entries.pop_back();
    // Once closing is set, destroyed dialogs stay listed: end only those still bound to their window.
    if (CWnd::FromHandlePermanent(last.window) == last.dialog) last.dialog->EndDialog(-1);
  }
}

bool OpenDialogsClosing() { return List().closing; }

size_t OpenDialogCount() { return List().entries.size(); }
