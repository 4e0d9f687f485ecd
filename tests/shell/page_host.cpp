#include "tests/shell/page_host.h"

#include "shell/dialog_ids.h"
#include "shell/lang_text.h"

PageHost::PageHost() : dialog_(IDD_MAIN) {}

PageHost::~PageHost() {
  if (tab_.GetSafeHwnd()) tab_.DestroyWindow();
  if (dialog_.GetSafeHwnd()) dialog_.DestroyWindow();
}

bool PageHost::Open() {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TAB_CLASSES};
  ::InitCommonControlsEx(&controls);
  if (!dialog_.Create(IDD_MAIN, nullptr)) return false;
  CRect area;
  HWND placeholder = dialog_.GetDlgItemHandle(IDC_MAIN_TAB_PLACEHOLDER);
  ::GetWindowRect(placeholder, &area);
  dialog_.ScreenToClient(&area);
  ::ShowWindow(placeholder, SW_HIDE);
  if (!tab_.CreateEx(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, area,
                     &dialog_, 0)) {
    return false;
  }
  tab_.SetFont(dialog_.GetFont());
  const char* tabs[] = {"TAB_VER", "TAB_HELP"};
  for (int i = 0; i < 2; ++i) {
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(LoadLangText(1, tabs[i]));
    tab_.SendMessage(TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
  dialog_.SetWindowText(LoadLangText(1, "TITLE_QVX"));
  dialog_.ShowWindow(SW_SHOW);
  dialog_.UpdateWindow();
  return true;
}

CRect PageHost::DisplayArea() const {
  CRect area;
  tab_.GetClientRect(&area);
  tab_.SendMessage(TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  return area;
}

void PageHost::Show(CDialog& page) {
  CRect area = DisplayArea();
  page.SetWindowPos(HWND_TOP, area.left, area.top, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  page.UpdateWindow();
}

bool PageHost::Fits(const CDialog& page) const {
  CRect frame;
  page.GetWindowRect(&frame);
  tab_.ScreenToClient(&frame);
  CRect area = DisplayArea();
  return frame.left >= area.left && frame.top >= area.top && frame.right <= area.right && frame.bottom <= area.bottom;
}
