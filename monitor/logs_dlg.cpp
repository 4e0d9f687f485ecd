#include "monitor/logs_dlg.h"

#include "shell/dialog_handlers.h"
#include "shell/dialog_ids.h"

CLogs::CLogs(CWnd* parent) : CDialog(IDD_LOGS, parent) {
  MapMessage(WM_CREATE, [this](WPARAM, LPARAM) { return OnCreateRegisterDialog(*this); });
  MapMessage(WM_DESTROY, [this](WPARAM, LPARAM) {
    shown_ = false;
    return OnDestroyUnregisterDialog(*this);
  });
  MapClicked(IDC_LOG_CLEAR, [this] { OnBnClickedClear(); });
}

BOOL CLogs::PreTranslateMessage(MSG* msg) {
  SwallowEnterAndEscape(msg);
  return CDialog::PreTranslateMessage(msg);
}

BOOL CLogs::OnInitDialog() {
  CDialog::OnInitDialog();
  list_ = std::make_unique<CListCtrlEx>();
  list_->SubclassDlgItem(IDC_LOG_LIST, this);
  RECT client;
  list_->GetClientRect(&client);
  const int width = (client.right - 20) / 3;
  list_->InsertColumn(0, L"Time", LVCFMT_LEFT, width);
  list_->InsertColumn(1, L"IP", LVCFMT_LEFT, width);
  list_->InsertColumn(2, L"Action", LVCFMT_LEFT, width);
  list_->SetExtendedStyle(list_->GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
  RefreshList(true);
  shown_ = true;
  return TRUE;
}

void CLogs::AddEntry(const LogRecord& record) {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  LogEntry entry = {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, static_cast<int32_t>(record.type),
                    static_cast<int32_t>(record.address)};
  ring_.Add(entry);
}

void CLogs::RefreshList(bool force) {
  if (!m_hWnd || !list_ || !list_->GetSafeHwnd()) return;
  if (!force && (::GetKeyState(VK_LBUTTON) & 0x8000)) return;
  list_->SendMessage(WM_SETREDRAW, FALSE);
  const int top = list_->GetTopIndex();
  list_->DeleteAllItems();
  int row = 0;
  for (const LogEntry& entry : ring_.Entries()) {
    LogRowTexts texts = FormatLogRow(entry);
    std::wstring time(texts.time, texts.time + std::char_traits<char>::length(texts.time));
    std::wstring address(texts.address, texts.address + std::char_traits<char>::length(texts.address));
    std::wstring action(texts.action, texts.action + std::char_traits<char>::length(texts.action));
    int item = list_->InsertItem(row++, time.c_str());
    list_->SetItemText(item, 1, address.c_str());
    list_->SetItemText(item, 2, action.c_str());
  }
  if (list_->GetItemCount() > 0) {
    const int last = list_->GetItemCount() - 1;
    const int wanted = top < last ? top : last;
    list_->EnsureVisible(last, false);
    list_->EnsureVisible(wanted, false);
    RECT item;
    if (list_->GetItemRect(0, &item, LVIR_BOUNDS)) {
      const int height = item.bottom - item.top;
      list_->SendMessage(LVM_SCROLL, 0, (wanted - list_->GetTopIndex()) * height);
    }
  }
  list_->SendMessage(WM_SETREDRAW, TRUE);
  list_->Invalidate(true);
}

void CLogs::OnBnClickedClear() {
  ring_.Clear();
  RefreshList(true);
}
