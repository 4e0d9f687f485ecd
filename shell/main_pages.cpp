#include "shell/main_pages.h"

#include "controls/tab_ctrl.h"
#include "shell/lang_text.h"
#include "shell/startup_settings.h"

namespace {
constexpr int32_t kMainDialogZone = 1;
}  // namespace

bool PageExists(PageCondition condition, bool installationPresent, bool anyWanFlag) {
  switch (condition) {
    case PageCondition::kAlways: return true;
    case PageCondition::kInstallation: return installationPresent;
    case PageCondition::kInstallationWithVirtualAdapters: return installationPresent && !anyWanFlag;
  }
  return false;
}

bool CreateMainPages(std::vector<MainPage>& pages, TabCtrl& tabs, const StartupSettings& settings) {
  UINT controlId = kFirstPageControlId;
  for (MainPage& row : pages) {
    if (!PageExists(row.condition, settings.installationPresent, settings.wan.Any())) continue;
    if (!row.page->Create(row.templateId, &tabs)) return false;
    row.created = true;
    ::SetWindowLongPtrW(row.page->GetSafeHwnd(), GWLP_ID, controlId++);
  }
  return true;
}

void AddMainPageTabs(std::vector<MainPage>& pages, TabCtrl& tabs) {
  for (MainPage& row : pages) {
    if (row.created) tabs.Add(row.page->GetSafeHwnd(), LoadLangText(kMainDialogZone, row.captionKey));
  }
}

void DestroyMainPages(std::vector<MainPage>& pages) {
  for (auto row = pages.rbegin(); row != pages.rend(); ++row) {
    if (row->created && row->page->GetSafeHwnd()) row->page->DestroyWindow();
    row->created = false;
  }
}
