// The main dialog's tab pages as one table: one row per page (the page object, its template, its
// tab caption and the condition under which it exists), and the loops that create, add, lay out
// and destroy them. A page knows nothing of the tab strip.
#pragma once
#include <windows.h>

#include <functional>
#include <vector>

#include "framework/dialog.h"

class TabCtrl;
struct StartupSettings;

// When a page exists: always; with an installation; with an installation whose network
// environment has virtual adapters (no WAN flag set).
enum class PageCondition { kAlways, kInstallation, kInstallationWithVirtualAdapters };

bool PageExists(PageCondition condition, bool installationPresent, bool anyWanFlag);

struct MainPage {
  CDialog* page;
  UINT templateId;
  const char* captionKey;  // zone 1 of the text table
  PageCondition condition;
  // Reads and clears the page's restart request; empty for pages that never ask for one.
  std::function<bool()> takeRestartRequest;
  bool created = false;
};

// The first page's control id; the pages that exist get 3010, 3011, ... in table order.
constexpr UINT kFirstPageControlId = 3010;

// Creates the pages that exist as children of the tab control; false when one fails.
bool CreateMainPages(std::vector<MainPage>& pages, TabCtrl& tabs, const StartupSettings& settings);
// Adds a tab for every created page, in table order, with its caption in the current language.
void AddMainPageTabs(std::vector<MainPage>& pages, TabCtrl& tabs);
// Destroys the created pages, the last first.
void DestroyMainPages(std::vector<MainPage>& pages);
