// A window of a custom class and the controls of a dialog, bound to their objects, receiving real
// messages: dispatch order, reflection to the controls and unbinding.
#include <gtest/gtest.h>

#include <string>
#include <vector>
#include "framework/framework.h"

namespace {

const wchar_t* PlainClass() {
  // Registered the way the controls register theirs: DefWindowProc as the procedure.
  static const wchar_t* name = [] {
    WNDCLASSW wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"FrameworkTestPlain";
    ::RegisterClassW(&wc);
    return L"FrameworkTestPlain";
  }();
  return name;
}

class RecordingWnd : public CWnd {
 public:
  std::vector<std::string> log;
  RecordingWnd() {
    MapMessage(WM_USER + 1, [this](WPARAM w, LPARAM) {
      log.push_back("map user+1 " + std::to_string(w));
      return LRESULT(11);
    });
    MapClicked(200, [this] { log.push_back("map clicked 200"); });
  }
  int OnCreate(CREATESTRUCTW* cs) override {
    log.push_back("create bound=" + std::to_string(FromHandlePermanent(m_hWnd) == this));
    return CWnd::OnCreate(cs);
  }
  void OnTimer(UINT_PTR id) override { log.push_back("timer " + std::to_string(id)); }
  void OnLButtonDown(UINT, CPoint p) override {
    log.push_back("lbuttondown " + std::to_string(p.x) + "," + std::to_string(p.y));
  }
  void OnCaptureChanged(HWND newCapture) override {
    log.push_back(std::string("capturechanged ") + (newCapture ? "other" : "none"));
  }
  void OnMouseLeave() override { log.push_back("mouseleave"); }
  void OnDestroy() override {
    log.push_back("destroy");
    CWnd::OnDestroy();
  }
};

TEST(WndTest, CustomClassWindowDispatchesScriptedMessages) {
  RecordingWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, PlainClass(), L"", WS_POPUP, CRect(0, 0, 100, 80), nullptr, 0));
  struct Step { UINT message; WPARAM wParam; LPARAM lParam; LRESULT answer; };
  const Step script[] = {
      {WM_TIMER, 3, 0, 0},
      {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 7), 0},
      {WM_LBUTTONDOWN, 0, MAKELPARAM(-2, 4), 0},  // signed coordinates
      {WM_USER + 1, 9, 0, 11},
      {WM_COMMAND, MAKEWPARAM(200, BN_CLICKED), 0, 0},
      {WM_MOUSELEAVE, 0, 0, 0},
  };
  for (const Step& step : script) {
    EXPECT_EQ(step.answer, ::SendMessageW(wnd, step.message, step.wParam, step.lParam));
  }
  wnd.SetCapture();
  ::ReleaseCapture();
  HWND handle = wnd;
  ASSERT_TRUE(wnd.DestroyWindow());
  const std::vector<std::string> expected = {
      "create bound=1", "timer 3", "lbuttondown 5,7", "lbuttondown -2,4", "map user+1 9",
      "map clicked 200", "mouseleave", "capturechanged none", "destroy"};
  EXPECT_EQ(expected, wnd.log);
  EXPECT_EQ(nullptr, wnd.GetSafeHwnd());
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(handle));
}

TEST(WndTest, UnhandledMessagesGetTheClassProcedure) {
  RecordingWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, PlainClass(), L"caption", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
  EXPECT_EQ(L"caption", wnd.GetWindowText());  // WM_GETTEXT through Default
  wnd.SetWindowText(L"changed");
  EXPECT_EQ(L"changed", wnd.GetWindowText());
}

TEST(WndTest, DestructorDestroysTheWindow) {
  HWND handle;
  {
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, PlainClass(), L"", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    handle = wnd;
  }
  EXPECT_FALSE(::IsWindow(handle));
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(handle));
}

TEST(WndTest, FromHandleWrapsForeignWindowsWithoutOwningThem) {
  HWND foreign = ::CreateWindowExW(0, PlainClass(), L"foreign", WS_POPUP, 0, 0, 10, 10, nullptr,
                                   nullptr, ::GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(nullptr, foreign);
  CWnd* wrapper = CWnd::FromHandle(foreign);
  ASSERT_NE(nullptr, wrapper);
  EXPECT_EQ(L"foreign", wrapper->GetWindowText());
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(foreign));
  EXPECT_EQ(nullptr, CWnd::FromHandle(nullptr));
  ::DestroyWindow(foreign);
}

// A parent with controls whose objects answer their own notifications.
class OwnerDrawButton : public CButton {
 public:
  int drawn = 0, colored = 0, clicked = 0;
  bool takeClicks = true;
  bool DrawItem(DRAWITEMSTRUCT* item) override {
    ++drawn;
    ::FillRect(item->hDC, &item->rcItem, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    return true;
  }
  HBRUSH OnReflectedCtlColor(CDC*, UINT ctlType) override {
    if (ctlType == CTLCOLOR_BTN) ++colored;
    return nullptr;  // the parent still answers
  }
  bool OnReflectedCommand(UINT code) override {
    if (code == BN_CLICKED) ++clicked;
    return takeClicks;
  }
};

class CustomDrawList : public CListCtrl {
 public:
  int prePaints = 0;
  bool OnReflectedNotify(NMHDR* header, LRESULT* result) override {
    if (header->code != static_cast<UINT>(NM_CUSTOMDRAW)) return false;
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(header);
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) ++prePaints;
    *result = CDRF_DODEFAULT;
    return true;
  }
};

class ParentWnd : public CWnd {
 public:
  int parentClicks = 0, parentCustomDraws = 0, parentCtlColors = 0;
  ParentWnd() {
    MapClicked(300, [this] { ++parentClicks; });
    MapNotify(301, static_cast<UINT>(NM_CUSTOMDRAW), [this](NMHDR*, LRESULT* r) {
      ++parentCustomDraws;
      *r = CDRF_DODEFAULT;
    });
  }
  HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT type) override {
    ++parentCtlColors;
    return CWnd::OnCtlColor(dc, control, type);
  }
};

TEST(WndTest, NotificationsAreReflectedToTheControlObjects) {
  ParentWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, PlainClass(), L"", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
  OwnerDrawButton button;
  ASSERT_TRUE(button.Create(L"b", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(5, 5, 80, 30), &parent, 300));
  CustomDrawList list;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(100, 5, 290, 190), &parent, 301));
  list.InsertColumn(0, L"Name", LVCFMT_LEFT, 80);
  list.InsertItem(0, L"row");

  button.RedrawWindow();
  list.RedrawWindow();
  EXPECT_GT(button.drawn, 0);
  EXPECT_GT(list.prePaints, 0);
  EXPECT_EQ(0, parent.parentCustomDraws);

  button.SendMessage(BM_CLICK);
  EXPECT_EQ(1, button.clicked);
  EXPECT_EQ(0, parent.parentClicks);  // the control took it
  button.takeClicks = false;
  button.SendMessage(BM_CLICK);
  EXPECT_EQ(2, button.clicked);
  EXPECT_EQ(1, parent.parentClicks);  // declined: the parent's map entry runs

  // A colour request the control declines (null brush) still reaches the parent.
  CClientDC dc(&button);
  parent.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), reinterpret_cast<LPARAM>(button.m_hWnd));
  EXPECT_GT(button.colored, 0);
  EXPECT_GT(parent.parentCtlColors, 0);
}

class SubclassedLabel : public CStatic {
 public:
  std::vector<std::string> log;
  void PreSubclassWindow() override {
    log.push_back("presubclass");
    ModifyStyle(0, SS_NOTIFY);
  }
  void OnPaint() override {
    log.push_back("paint");
    CStatic::OnPaint();
  }
};

TEST(WndTest, SubclassedDialogControlGetsItsMessages) {
  CDialog dialog(900);
  ASSERT_TRUE(dialog.Create(900, nullptr));
  SubclassedLabel label;
  ASSERT_TRUE(label.SubclassDlgItem(1002, &dialog));
  EXPECT_FALSE(label.SubclassDlgItem(1002, &dialog));  // already bound
  EXPECT_TRUE(label.GetStyle() & SS_NOTIFY);
  dialog.ShowWindow(SW_SHOW);
  label.RedrawWindow();
  ASSERT_GE(label.log.size(), 2u);
  EXPECT_EQ("presubclass", label.log[0]);
  EXPECT_EQ("paint", label.log[1]);
  EXPECT_EQ(L"Label", label.GetWindowText());  // the control's own procedure still answers
  HWND handle = label;
  label.UnsubclassWindow();
  label.Detach();
  EXPECT_TRUE(::IsWindow(handle));
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(handle));
}

TEST(WndTest, RuntimeClassMakesObjectsByName) {
  runtime_class::Register(L"RecordingWnd", [] { return std::unique_ptr<CWnd>(new RecordingWnd()); });
  std::unique_ptr<CWnd> made = runtime_class::CreateObject(L"RecordingWnd");
  ASSERT_NE(nullptr, made);
  EXPECT_NE(nullptr, dynamic_cast<RecordingWnd*>(made.get()));
  EXPECT_EQ(nullptr, runtime_class::CreateObject(L"NoSuchClass"));
}

}  // namespace
