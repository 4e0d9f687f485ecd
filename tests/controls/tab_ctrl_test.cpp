// The tab control as a real window under Wine: its layout, clicks and drags by posted mouse
// messages with the mouse capture behaving for real, Esc through the keyboard hook, the tip of a
// shortened tab, and what the base style paints.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/tab_ctrl.h"
#include "controls/tab_style_base.h"
#include "tests/controls/rect_text.h"
#include "tests/controls/window_test_support.h"

using controls_test::HostWindow;
using controls_test::PostMouse;
using controls_test::Pump;

namespace {

// The owner's events, as text.
class EventLog : public TabCtrlNotify {
 public:
  std::vector<std::string> events;
  void OnTabLButtonDown(TabCtrl*, TabCtrlItem* tab, CPoint) override { events.push_back("down " + Name(tab)); }
  void OnTabSelected(TabCtrl*, TabCtrlItem* tab) override { events.push_back("selected " + Name(tab)); }
  void OnTabDragStart(TabCtrl*, TabCtrlItem* tab, CPoint) override { events.push_back("drag start " + Name(tab)); }
  void OnTabDrag(TabCtrl*, TabCtrlItem*, CPoint, bool outside) override {
    events.push_back(outside ? "drag outside" : "drag");
  }
  void OnTabDragFinish(TabCtrl*, TabCtrlItem* tab, bool cancelled) override {
    events.push_back(std::string(cancelled ? "drag cancelled " : "drag finished ") + Name(tab));
  }
  static std::string Name(TabCtrlItem* tab) { return tab ? std::string(tab->text.begin(), tab->text.end()) : "none"; }
  // The events without the repeated "drag" moves in between.
  std::vector<std::string> Summary() const {
    std::vector<std::string> out;
    for (const auto& e : events)
      if (out.empty() || e != out.back()) out.push_back(e);
    return out;
  }
};

// Metrics of the control's own service, except that a tab's extra width comes from its user value:
// with empty captions a tab then needs exactly the width the test asks for.
class FixedWidthStyle : public TabCtrlStyle_base, public ITabCtrlRecalc {
 public:
  ITabCtrlRecalc* GetRecalcManager() override { return this; }
  int GetBorderWidth(const TabCtrl* c, ITabCtrlRecalc* b) override { return b->GetBorderWidth(c, b); }
  CRect GetCtrlAreaPadding(const TabCtrl* c, ITabCtrlRecalc* b) override { return b->GetCtrlAreaPadding(c, b); }
  CRect GetWndsAreaPadding(const TabCtrl* c, ITabCtrlRecalc* b) override { return b->GetWndsAreaPadding(c, b); }
  CRect GetTabHorzMargin(const TabCtrl* c, ITabCtrlRecalc* b) override { return b->GetTabHorzMargin(c, b); }
  CRect GetTabPadding(const TabCtrl* c, ITabCtrlRecalc* b) override { return b->GetTabPadding(c, b); }
  int GetTabImageTextGap(const TabCtrl* c, ITabCtrlRecalc* b) override { return b->GetTabImageTextGap(c, b); }
  int GetTabExtraWidth(const TabCtrl*, ITabCtrlRecalc*, const TabCtrlItem* tab) override {
    return static_cast<int>(tab->userValue) - 10;
  }
  int GetTabMinWidth(const TabCtrl* c, ITabCtrlRecalc* b) override { return b->GetTabMinWidth(c, b); }
  CRect GetButtonScrollLeftHorzMargin(const TabCtrl* c, ITabCtrlRecalc* b) override { return b->GetButtonScrollLeftHorzMargin(c, b); }
  CRect GetButtonScrollRightHorzMargin(const TabCtrl* c, ITabCtrlRecalc* b) override { return b->GetButtonScrollRightHorzMargin(c, b); }
  CRect GetButtonMenuHorzMargin(const TabCtrl* c, ITabCtrlRecalc* b) override { return b->GetButtonMenuHorzMargin(c, b); }
  CRect GetButtonCloseHorzMargin(const TabCtrl* c, ITabCtrlRecalc* b) override { return b->GetButtonCloseHorzMargin(c, b); }
};

class TabCtrlWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.IsWindow());
    ASSERT_TRUE(tabs.Create(&host, WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 200), 3001));
    tabs.InstallStyle(&tabs.styleBase);
    tabs.notify = &log;
  }

  HWND MakePage() {
    pages.emplace_back(new CWnd);
    static const wchar_t* pageClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW),
                                                          reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    pages.back()->CreateEx(0, pageClass, L"", WS_CHILD, CRect(0, 0, 10, 10), &tabs, 0);
    return *pages.back();
  }

  void AddTabs(std::initializer_list<const wchar_t*> names) {
    for (const wchar_t* name : names) tabs.Add(MakePage(), name);
    tabs.Update();
    tabs.Invalidate(false);
    Pump();
  }

  std::string Order() const {
    std::string order;
    for (const auto* tab : tabs.Tabs()) order += EventLog::Name(const_cast<TabCtrlItem*>(tab)) + " ";
    return order;
  }

  static CPoint Centre(const TabCtrlItem* tab) { return CPoint((tab->rect.left + tab->rect.right) / 2, (tab->rect.top + tab->rect.bottom) / 2); }

  HostWindow host;
  std::vector<std::unique_ptr<CWnd>> pages;
  TabCtrlComplex tabs;
  EventLog log;
};

}  // namespace

TEST_F(TabCtrlWindow, LayoutOfTheStripTheTabsAndThePage) {
  tabs.Update();
  EXPECT_TRUE(tabs.CtrlArea().IsRectEmpty());
  EXPECT_EQ(RectText(tabs.WndsArea()), "1,1,399,199");

  AddTabs({L"One", L"Two", L"Three"});
  CClientDC dc(&tabs);
  HGDIOBJ old = dc.SelectObject(tabs.FontNormal());
  const int textHeight = dc.GetTextExtent(L"H").cy;
  dc.SelectObject(old);
  EXPECT_EQ(RectText(tabs.CtrlArea()), RectText(CRect(1, 1, 399, 1 + textHeight + 9)));
  EXPECT_EQ(RectText(tabs.TabsArea()), RectText(CRect(4, 2, 396, textHeight + 8)));
  EXPECT_EQ(RectText(tabs.WndsArea()), RectText(CRect(1, textHeight + 10, 399, 199)));

  // The first tab added is selected and its page fills the windows area; the others are hidden.
  ASSERT_EQ(tabs.Selected(), tabs.Tabs()[0]);
  RECT page;
  ::GetWindowRect(tabs.Tabs()[0]->window, &page);
  ::MapWindowPoints(nullptr, tabs, reinterpret_cast<POINT*>(&page), 2);
  EXPECT_EQ(RectText(page), RectText(tabs.WndsArea()));
  EXPECT_TRUE(::IsWindowVisible(tabs.Tabs()[0]->window));
  EXPECT_FALSE(::IsWindowVisible(tabs.Tabs()[1]->window));
  EXPECT_FALSE(::IsWindowVisible(tabs.Tabs()[2]->window));
  // Every tab at least its caption wide, side by side from the tabs area's left.
  EXPECT_EQ(tabs.Tabs()[0]->rect.left, 4);
  EXPECT_EQ(tabs.Tabs()[1]->rect.left, tabs.Tabs()[0]->rect.right);
  for (const auto* tab : tabs.Tabs()) EXPECT_EQ(tab->rect.Width(), tab->fullWidth);
}

TEST_F(TabCtrlWindow, ShrinksTabsByTheTable) {
  FixedWidthStyle style;
  tabs.InstallStyle(&style);
  struct Case { const char* what; int controlWidth; bool equal; std::vector<int> full; std::vector<int> widths; };
  // The tabs area is the control less 2 for the border and 6 for the strip's padding.
  const Case cases[] = {
      {"all fit", 300, false, {100, 40, 40}, {100, 40, 40}},
      {"available equal to total", 189, false, {100, 40, 40}, {100, 40, 40}},
      {"the wide tab gives up width", 159, false, {100, 40, 40}, {70, 40, 40}},
      {"less than a pixel a tab", 10, false, {100, 40, 40}, {10, 10, 10}},
      {"equal width with overflow", 99, true, {60, 60, 60}, {30, 30, 30}},
  };
  for (const auto& c : cases) {
    tabs.DeleteAll();
    tabs.equalWidth = c.equal;
    for (int w : c.full) tabs.Add(MakePage(), L"")->userValue = static_cast<unsigned long long>(w);
    tabs.MoveWindow(0, 0, c.controlWidth, 100);  // WM_SIZE lays out
    std::vector<int> widths;
    for (const auto* tab : tabs.Tabs()) widths.push_back(tab->rect.Width());
    EXPECT_EQ(widths, c.widths) << c.what;
  }
}

TEST_F(TabCtrlWindow, ClickSelectsAndShowsOnlyThatPage) {
  AddTabs({L"One", L"Two", L"Three"});
  const CPoint at = Centre(tabs.Tabs()[2]);
  PostMouse(tabs, WM_LBUTTONDOWN, at, MK_LBUTTON);
  PostMouse(tabs, WM_LBUTTONUP, at, 0);
  EXPECT_EQ(tabs.Selected(), tabs.Tabs()[2]);
  EXPECT_FALSE(::IsWindowVisible(tabs.Tabs()[0]->window));
  EXPECT_TRUE(::IsWindowVisible(tabs.Tabs()[2]->window));
  EXPECT_EQ(::GetFocus(), tabs.Tabs()[2]->window);
  EXPECT_EQ(log.Summary(), (std::vector<std::string>{"down Three", "selected Three"}));
  EXPECT_EQ(Order(), "One Two Three ");
  EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(TabCtrlWindow, DragScripts) {
  struct Case {
    const char* what;
    bool dragAllowed;
    int dx;             // how far left of the press point the pointer goes
    const char* ending; // "release", "escape" or "capture lost"
    const char* order;
    std::vector<std::string> events;
  };
  const Case cases[] = {
      {"inside the 6 by 6 square only selects", true, 2, "release", "One Two Three ",
       {"down Three", "selected Three"}},
      {"a drag ended by the release keeps its order", true, -1, "release", "One Three Two ",
       {"down Three", "selected Three", "drag start Three", "drag", "drag finished Three"}},
      {"Esc puts the old order back", true, -1, "escape", "One Two Three ",
       {"down Three", "selected Three", "drag start Three", "drag", "drag cancelled Three"}},
      {"losing the capture puts the old order back", true, -1, "capture lost", "One Two Three ",
       {"down Three", "selected Three", "drag start Three", "drag", "drag cancelled Three"}},
      {"with dragging off only the hover changes", false, -1, "release", "One Two Three ",
       {"down Three", "selected Three"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    tabs.DeleteAll();
    log.events.clear();
    AddTabs({L"One", L"Two", L"Three"});
    tabs.dragAllowed = c.dragAllowed;
    const TabCtrlItem* second = tabs.Tabs()[1];
    const CPoint press = Centre(tabs.Tabs()[2]);
    // The far left of the neighbour: inside its part as wide as the dragged tab.
    const CPoint over(c.dx < 0 ? second->rect.left + 2 : press.x - c.dx, press.y);
    PostMouse(tabs, WM_LBUTTONDOWN, press, MK_LBUTTON);
    EXPECT_EQ(::GetCapture(), tabs.GetSafeHwnd());
    PostMouse(tabs, WM_MOUSEMOVE, over, MK_LBUTTON);
    PostMouse(tabs, WM_MOUSEMOVE, CPoint(over.x + 1, over.y), MK_LBUTTON);
    if (c.dragAllowed && c.dx < 0) {
      EXPECT_EQ(Order(), "One Three Two ");
    }
    if (!c.dragAllowed) {
      EXPECT_EQ(tabs.Hovered(), second);
    }
    const std::string ending = c.ending;
    if (ending == "escape") {
      ::SetForegroundWindow(host);
      ::SetFocus(tabs);
      controls_test::SendKey(VK_ESCAPE, false);
      controls_test::SendKey(VK_ESCAPE, true);
      Pump(100);
      EXPECT_FALSE(tabs.IsDragging());
      PostMouse(tabs, WM_LBUTTONUP, over, 0);
    } else if (ending == "capture lost") {
      ::SetCapture(host);
      Pump();
      ::ReleaseCapture();
    } else {
      PostMouse(tabs, WM_LBUTTONUP, over, 0);
    }
    Pump();
    EXPECT_EQ(Order(), c.order);
    EXPECT_EQ(log.Summary(), c.events);
    EXPECT_FALSE(tabs.IsDragging());
    EXPECT_EQ(tabs.Pressed(), nullptr);
    EXPECT_FALSE(KeyboardHook::Instance().IsRegistered(&tabs));
  }
}

TEST_F(TabCtrlWindow, ReleaseOutsideTheControlStillEndsThePress) {
  AddTabs({L"One", L"Two"});
  tabs.dragAllowed = true;
  const CPoint press = Centre(tabs.Tabs()[1]);
  PostMouse(tabs, WM_LBUTTONDOWN, press, MK_LBUTTON);
  PostMouse(tabs, WM_MOUSEMOVE, CPoint(press.x, 500), MK_LBUTTON);  // the capture brings it here
  PostMouse(tabs, WM_LBUTTONUP, CPoint(press.x, 500), 0);
  Pump();
  EXPECT_EQ(tabs.Pressed(), nullptr);
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_EQ(log.Summary().back(), "drag finished Two");
}

TEST_F(TabCtrlWindow, ShortenedTabShowsItsCaptionAsTip) {
  AddTabs({L"A rather long first caption", L"Second one", L"Third"});
  ASSERT_NE(tabs.ToolTipWindow(), nullptr);
  tabs.MoveWindow(0, 0, 120, 100);
  Pump();
  auto tipFor = [&](const TabCtrlItem* tab) {
    PostMouse(tabs, WM_MOUSEMOVE, Centre(tab), 0);
    NMTTDISPINFOW info = {};
    info.hdr.hwndFrom = tabs.ToolTipWindow();
    info.hdr.idFrom = 1;
    info.hdr.code = TTN_GETDISPINFOW;
    tabs.SendMessage(WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&info));
    return std::wstring(info.lpszText ? info.lpszText : L"");
  };
  const TabCtrlItem* first = tabs.Tabs()[0];
  ASSERT_LT(first->rect.Width(), first->fullWidth);
  EXPECT_EQ(tipFor(first), L"A rather long first caption");

  tabs.MoveWindow(0, 0, 600, 100);
  Pump();
  EXPECT_EQ(tipFor(tabs.Tabs()[0]), L"");  // at full width: no tip
}

TEST_F(TabCtrlWindow, TipGoesWithItsControl) {
  AddTabs({L"One", L"Two"});
  const HWND firstTip = tabs.ToolTipWindow();
  ASSERT_TRUE(::IsWindow(firstTip));
  EXPECT_EQ(controls_test::FirstToolWindow(firstTip), tabs.GetSafeHwnd());

  tabs.DestroyWindow();
  Pump(0);
  EXPECT_EQ(tabs.ToolTipWindow(), nullptr) << "a handle kept past its control";
  EXPECT_FALSE(::IsWindow(firstTip)) << "the tip outlived its control";

  ASSERT_TRUE(tabs.Create(&host, WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 200), 3001));
  ASSERT_TRUE(::IsWindow(tabs.ToolTipWindow()));
  EXPECT_EQ(controls_test::FirstToolWindow(tabs.ToolTipWindow()), tabs.GetSafeHwnd());

  // Destroying the top-level window takes the tip and the control with it.
  host.DestroyWindow();
  Pump(0);
  EXPECT_EQ(tabs.ToolTipWindow(), nullptr);
}

TEST_F(TabCtrlWindow, BaseStylePaint) {
  tabs.Update();
  tabs.Invalidate(false);
  Pump();
  auto empty = controls_test::Capture(tabs);
  ASSERT_FALSE(empty.data.empty());
  EXPECT_EQ(empty.At(0, 0), ::GetSysColor(COLOR_BTNSHADOW));          // the frame
  EXPECT_EQ(empty.At(200, 100), ::GetSysColor(COLOR_APPWORKSPACE));   // no tabs
  controls_test::SaveToGallery(tabs, "tab_ctrl_empty");

  AddTabs({L"My Network", L"Status", L"Driver"});
  auto shown = controls_test::Capture(tabs);
  const TabCtrlItem* selected = tabs.Selected();
  const int lineY = tabs.CtrlArea().bottom - 3;  // the strip's line, above the band of 2
  // The strip's line runs under the unselected tabs but not under the selected one.
  EXPECT_EQ(shown.At(tabs.Tabs()[1]->rect.left + 5, lineY), ::GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(shown.At(selected->rect.left + 5, lineY), ::GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(shown.At(200, 150), ::GetSysColor(COLOR_WINDOW));  // the selected page, shown
  controls_test::SaveToGallery(tabs, "tab_ctrl_selected");

  PostMouse(tabs, WM_MOUSEMOVE, Centre(tabs.Tabs()[1]), 0);
  controls_test::SaveToGallery(tabs, "tab_ctrl_hovered");
  EXPECT_EQ(tabs.Hovered(), tabs.Tabs()[1]);

  tabs.MoveWindow(0, 0, 150, 100);
  Pump();
  controls_test::SaveToGallery(tabs, "tab_ctrl_shortened");
}
