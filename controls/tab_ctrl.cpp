#include "controls/tab_ctrl.h"

#include <algorithm>
#include <cstdio>
#include <new>

#include "controls/move_window_if_changed.h"
#include "controls/tab_layout.h"
#include "controls/virtual_window.h"
#include "framework/runtime_class.h"

CORVANE_DYNCREATE(TabCtrl);

namespace {

constexpr UINT kToolId = 1;

tab_layout::Margins AsMargins(const CRect& r) {
  return tab_layout::Margins{static_cast<int>(r.left), static_cast<int>(r.top),
                             static_cast<int>(r.right), static_cast<int>(r.bottom)};
}

// The layout's own rectangles and points, to and from the window's.
tab_layout::Rect ToLayout(const RECT& r) {
  return tab_layout::Rect{static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right),
                          static_cast<int>(r.bottom)};
}
tab_layout::Point ToLayout(POINT p) { return tab_layout::Point{static_cast<int>(p.x), static_cast<int>(p.y)}; }
CRect FromLayout(const tab_layout::Rect& r) { return CRect(r.left, r.top, r.right, r.bottom); }

void SetToolRect(HWND toolTip, HWND owner, const RECT& rect) {
  if (!toolTip) return;
  TOOLINFOW tool = {};
  tool.cbSize = sizeof(tool);
  tool.hwnd = owner;
  tool.uId = kToolId;
  tool.rect = rect;
  ::SendMessageW(toolTip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace

// ---- TabCtrl::Service ----------------------------------------------------------------------

TabCtrl::Service::~Service() { DestroyToolTip(); }

void TabCtrl::Service::DestroyToolTip() {
  if (toolTip_ && ::IsWindow(toolTip_)) ::DestroyWindow(toolTip_);
  toolTip_ = nullptr;
}

int TabCtrl::Service::GetTabMinWidth(const TabCtrl* ctrl, ITabCtrlRecalc* base) {
  const CRect padding = ctrl->Recalc()->GetTabPadding(ctrl, base);
  return padding.left + padding.right;  // plus the widest image: tabs carry none
}

TabCtrl::Item* TabCtrl::Service::HitTest(TabCtrl* ctrl, ITabCtrlBehavior*, CPoint point) {
  std::vector<tab_layout::Rect> rects;
  for (const Item* tab : ctrl->Tabs()) rects.push_back(ToLayout(tab->rect));
  const int index = tab_layout::HitTest(ToLayout(ctrl->TabsArea()), rects, ToLayout(point));
  return index < 0 ? nullptr : ctrl->Tabs()[static_cast<size_t>(index)];
}

HWND TabCtrl::Service::CreateToolTip(TabCtrl* ctrl, ITabCtrlToolTip*) {
  DestroyToolTip();
  toolTip_ = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, ctrl->GetSafeHwnd(),
                               nullptr, ::GetModuleHandleW(nullptr), nullptr);
  if (!toolTip_) return nullptr;
  const ULONG_PTR classStyle = ::GetClassLongPtrW(toolTip_, GCL_STYLE);
  ::SetClassLongPtrW(toolTip_, GCL_STYLE, classStyle | CS_DROPSHADOW);
  return toolTip_;
}

// ---- Creation and tabs -----------------------------------------------------------------------

TabCtrl::TabCtrl() = default;

TabCtrl::~TabCtrl() {
  if (IsWindow()) DestroyWindow();
  for (Item* tab : tabs_) delete tab;
  tabs_.clear();
}

const wchar_t* TabCtrl::RegisterWindowClass() {
  static wchar_t name[128];
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  HCURSOR arrow = ::LoadCursorW(nullptr, IDC_ARROW);
  std::swprintf(name, sizeof name / sizeof name[0], L"%s:%x:%x:%x:%x:%x", L"TabCtrl",
                static_cast<unsigned>(reinterpret_cast<UINT_PTR>(instance)), CS_DBLCLKS,
                static_cast<unsigned>(reinterpret_cast<UINT_PTR>(arrow)), 0u, 0u);
  WNDCLASSW known = {};
  if (::GetClassInfoW(instance, name, &known)) return name;
  WNDCLASSW wc = {};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = ::DefWindowProcW;  // the framework routes the messages to the object
  wc.hInstance = instance;
  wc.hCursor = arrow;
  wc.lpszClassName = name;
  if (::RegisterClassW(&wc)) return name;
  return AfxRegisterWndClass(CS_DBLCLKS, arrow);
}

bool TabCtrl::Create(CWnd* parent, DWORD style, const RECT& rect, UINT id) {
  if (!FontNormal()) SetFontNormal(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
  if (!FontSelect()) SetFontSelect(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
  const wchar_t* className = RegisterWindowClass();
  if (!CWnd::CreateEx(0, className, L"", style | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, rect, parent, id))
    return false;
  toolTip_ = toolTipManager_->CreateToolTip(this, &service_);
  if (toolTip_) {
    TOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.hwnd = m_hWnd;
    tool.uId = kToolId;
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    if (!::SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool))) return false;
  }
  return true;
}

bool TabCtrl::Create(const wchar_t*, const wchar_t*, DWORD style, const RECT& rect, CWnd* parent,
                     UINT id, void*) {
  return Create(parent, style, rect, id);
}

TabCtrl::Item* TabCtrl::Add(HWND window, const wchar_t* text) {
  return Insert(tabs_.size(), window, text);
}

TabCtrl::Item* TabCtrl::Insert(size_t position, HWND window, const wchar_t* text) {
  if (notify) notify->OnTabPreCreate(this, window, text, -1);
  std::unique_ptr<Item> made(new Item);  // throws std::bad_alloc to the caller
  made->window = window;
  made->text = text ? text : L"";
  position = std::min(position, tabs_.size());
  tabs_.insert(tabs_.begin() + static_cast<std::ptrdiff_t>(position), made.get());
  Item* tab = made.release();
  if (selected_) {
    ::ShowWindow(window, SW_HIDE);
  } else {
    selected_ = tabs_.front();
  }
  if (notify) notify->OnTabPostCreate(this, tab);
  return tab;
}

void TabCtrl::DeleteAll() {
  if (dragging_) StopDrag(true);
  for (Item* tab : tabs_) {
    if (notify) notify->OnTabPreDestroy(this, tab);
    if (::IsWindow(tab->window) && ::GetParent(tab->window) == m_hWnd) ::ShowWindow(tab->window, SW_HIDE);
    delete tab;
  }
  tabs_.clear();
  tabsAtDragStart_.clear();
  selected_ = hovered_ = pressed_ = nullptr;
}

int TabCtrl::IndexOf(const Item* tab) const {
  auto it = std::find(tabs_.begin(), tabs_.end(), tab);
  return it == tabs_.end() ? -1 : static_cast<int>(it - tabs_.begin());
}

void TabCtrl::InstallStyle(ITabCtrlStyle* style) {
  draw_ = style->GetDrawManager();
  ITabCtrlRecalc* recalc = style->GetRecalcManager();
  ITabCtrlBehavior* behavior = style->GetBehaviorManager();
  ITabCtrlToolTip* toolTip = style->GetToolTipManager();
  recalc_ = recalc ? recalc : &service_;
  behavior_ = behavior ? behavior : &service_;
  toolTipManager_ = toolTip ? toolTip : &service_;
}

bool TabCtrl::SetFont(CFont& target, bool& isSet, HFONT font) {
  isSet = false;
  target.DeleteObject();
  LOGFONTW logFont = {};
  if (!font || !::GetObjectW(font, sizeof(logFont), &logFont)) return false;
  if (!target.CreateFontIndirect(&logFont)) return false;
  isSet = true;
  return true;
}

bool TabCtrl::SetFontNormal(HFONT font) { return SetFont(fontNormal_, fontNormalSet_, font); }
bool TabCtrl::SetFontSelect(HFONT font) { return SetFont(fontSelect_, fontSelectSet_, font); }

// ---- Layout ----------------------------------------------------------------------------------

int TabCtrl::CalcCtrlAreaHeight() {
  CClientDC dc(this);
  int textHeight = 0;
  for (HFONT font : {FontNormal(), FontSelect()}) {
    if (!font) continue;
    HGDIOBJ old = dc.SelectObject(font);
    textHeight = std::max(textHeight, static_cast<int>(dc.GetTextExtent(L"H").cy));
    dc.SelectObject(old);
  }
  return tab_layout::StripHeight(textHeight, AsMargins(recalc_->GetTabPadding(this, &service_)),
                                 AsMargins(recalc_->GetCtrlAreaPadding(this, &service_)));
}

void TabCtrl::CalcTabsWidth() {
  CClientDC dc(this);
  const CRect padding = recalc_->GetTabPadding(this, &service_);
  std::vector<int> needs;
  for (const Item* tab : tabs_) {
    int caption = 0;
    for (HFONT font : {FontNormal(), FontSelect()}) {
      if (!font) continue;
      HGDIOBJ old = dc.SelectObject(font);
      caption = std::max(caption, static_cast<int>(dc.GetTextExtent(tab->text).cx));
      dc.SelectObject(old);
    }
    needs.push_back(recalc_->GetTabExtraWidth(this, &service_, tab) + padding.left + padding.right + caption);
  }
  const auto widths = tab_layout::FullWidths(needs, recalc_->GetTabMinWidth(this, &service_), equalWidth);
  for (size_t i = 0; i < tabs_.size(); ++i) tabs_[i]->fullWidth = widths[i];
}

void TabCtrl::RecalcScale() {
  std::vector<int> widths;
  for (const Item* tab : tabs_) widths.push_back(tab->fullWidth);
  const auto rects = tab_layout::PlaceTabs(ToLayout(tabsArea_), widths, AsMargins(recalc_->GetTabHorzMargin(this, &service_)),
                                           recalc_->GetTabMinWidth(this, &service_), equalWidth);
  for (size_t i = 0; i < tabs_.size(); ++i) tabs_[i]->rect = FromLayout(rects[i]);
}

void TabCtrl::Update() {
  if (!IsWindow()) return;
  CRect client;
  GetClientRect(&client);
  const int borderWidth = border ? recalc_->GetBorderWidth(this, &service_) : 0;
  const bool hasTabs = !tabs_.empty();
  const auto areas = tab_layout::LayoutAreas(ToLayout(client), borderWidth, hasTabs, hasTabs ? CalcCtrlAreaHeight() : 0,
                                             AsMargins(recalc_->GetCtrlAreaPadding(this, &service_)));
  ctrlArea_ = FromLayout(areas.control);
  tabsArea_ = FromLayout(areas.tabs);
  wndsArea_ = FromLayout(areas.windows);
  if (!hasTabs) {
    SetToolRect(toolTip_, m_hWnd, ctrlArea_);
    return;
  }
  if (IndexOf(selected_) < 0) selected_ = nullptr;
  if (!selected_) selected_ = tabs_.front();

  const RECT pageRect =
      FromLayout(tab_layout::Shrink(ToLayout(wndsArea_), AsMargins(recalc_->GetWndsAreaPadding(this, &service_))));
  MoveWindowIfChanged(selected_->window, pageRect, true);
  if (::IsWindow(selected_->window) && !::IsWindowVisible(selected_->window)) ::ShowWindow(selected_->window, SW_SHOWNA);

  CalcTabsWidth();
  RecalcScale();
  SetToolRect(toolTip_, m_hWnd, ctrlArea_);
}

void TabCtrl::SelectTab(Item* tab) {
  if (!tab || tab == selected_) return;
  const RECT pageRect =
      FromLayout(tab_layout::Shrink(ToLayout(wndsArea_), AsMargins(recalc_->GetWndsAreaPadding(this, &service_))));
  MoveWindowIfChanged(tab->window, pageRect, false);
  ::ShowWindow(tab->window, SW_SHOWNA);
  if (selected_) ::ShowWindow(selected_->window, SW_HIDE);
  selected_ = tab;
}

// ---- Painting ---------------------------------------------------------------------------------

void TabCtrl::OnPaint() {
  CPaintDC paint(this);
  if (!draw_) return;
  CRect client;
  GetClientRect(&client);
  VirtualWindow dc(&paint, client);
  dc.SetBkMode(TRANSPARENT);
  draw_->DrawBegin(this, &dc);
  if (!tabs_.empty()) {
    draw_->DrawCtrlAreaBack(this, &dc, ctrlArea_);
    HGDIOBJ oldFont = dc.SelectObject(FontNormal());
    CRgn clip;
    clip.CreateRectRgn(tabsArea_.left, tabsArea_.top, std::max(tabsArea_.right, tabsArea_.left), tabsArea_.bottom);
    dc.SelectClipRgn(&clip, RGN_COPY);
    auto overlaps = [this](const Item* tab) {
      return tabsArea_.left < tab->rect.right && tab->rect.left < tabsArea_.right;
    };
    auto drawUnselected = [&](Item* tab) {
      if (tab != selected_ && overlaps(tab)) draw_->DrawTab(this, &dc, tab, &clip);
    };
    if (draw_->IsStraightOrder(this)) {
      std::for_each(tabs_.begin(), tabs_.end(), drawUnselected);
    } else {
      std::for_each(tabs_.rbegin(), tabs_.rend(), drawUnselected);
    }
    if (selected_ && overlaps(selected_)) {
      HGDIOBJ before = dc.SelectObject(FontSelect());
      draw_->DrawTab(this, &dc, selected_, &clip);
      dc.SelectObject(before);
    }
    dc.SelectClipRgn(nullptr);
    dc.SelectObject(oldFont);
  }
  const CRect padding = recalc_->GetWndsAreaPadding(this, &service_);
  if (tabs_.empty() || !selected_ || !padding.IsRectNull()) draw_->DrawWndsAreaBack(this, &dc, wndsArea_);
  if (border && recalc_->GetBorderWidth(this, &service_) > 0) draw_->DrawBorder(this, &dc, client);
  draw_->DrawEnd(this, &dc);
}

// ---- Messages ---------------------------------------------------------------------------------

BOOL TabCtrl::PreTranslateMessage(MSG* msg) {
  if (toolTips && toolTip_ && ::IsWindow(toolTip_))
    ::SendMessageW(toolTip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
  return CWnd::PreTranslateMessage(msg);
}

BOOL TabCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
  if (header->code == TTN_GETDISPINFOW) {
    OnToolTipText(reinterpret_cast<NMTTDISPINFOW*>(header));
    *result = 0;
    return TRUE;
  }
  *result = ::SendMessageW(::GetParent(m_hWnd), WM_NOTIFY, wParam, lParam);
  return TRUE;
}

void TabCtrl::OnToolTipText(NMTTDISPINFOW* info) {
  toolTipBuffer_.clear();
  if (hovered_ && tab_layout::IsShortened(ToLayout(hovered_->rect), ToLayout(tabsArea_), hovered_->fullWidth))
    toolTipBuffer_ = hovered_->text;
  info->lpszText = const_cast<wchar_t*>(toolTipBuffer_.c_str());
}

void TabCtrl::OnDestroy() {
  DeleteAll();
  // The tip belongs to this window: a handle kept past it would reach a window that is gone (or
  // another window that got its handle) at the next Create or relayed message.
  if (toolTip_ && ::IsWindow(toolTip_)) ::DestroyWindow(toolTip_);
  toolTip_ = nullptr;
  service_.DestroyToolTip();
  Default();
}

void TabCtrl::OnSize(UINT, int, int) {
  Default();
  Update();
  InvalidateNoErase();
}

CPoint TabCtrl::ToScreen(CPoint point) const {
  POINT p = point;
  ::ClientToScreen(m_hWnd, &p);
  return CPoint(p);
}

void TabCtrl::FocusSelectedWindow() {
  if (selected_ && ::IsWindow(selected_->window) && ::GetFocus() != selected_->window)
    ::SetFocus(selected_->window);
}

void TabCtrl::ProcessClick(CPoint point) {
  Item* tab = behavior_->HitTest(this, &service_, point);
  if (tab) {
    if (notify) notify->OnTabLButtonDown(this, tab, ToScreen(point));
    if (tab != selected_) {
      SelectTab(tab);
      Update();
      if (notify) notify->OnTabSelected(this, tab);
    }
  }
  InvalidateNoErase();
}

void TabCtrl::OnLButtonDown(UINT, CPoint point) {
  if (Item* tab = behavior_->HitTest(this, &service_, point)) {
    pressed_ = tab;
    pressPoint_ = point;
    SetCapture();
  }
  ProcessClick(point);
  FocusSelectedWindow();
  Default();
}

void TabCtrl::OnLButtonDblClk(UINT, CPoint point) {
  ProcessClick(point);
  Default();
  if (Item* tab = behavior_->HitTest(this, &service_, point))
    if (notify) notify->OnTabLButtonDblClk(this, tab, ToScreen(point));
}

void TabCtrl::OnLButtonUp(UINT, CPoint) {
  Default();
  if (pressed_) {
    InvalidateNoErase();
    StopDrag(false);
  }
}

void TabCtrl::OnRButtonDown(UINT, CPoint point) {
  FocusSelectedWindow();
  if (notify) notify->OnTabRButtonDown(this, behavior_->HitTest(this, &service_, point), ToScreen(point));
  Default();
}

void TabCtrl::OnRButtonUp(UINT, CPoint point) {
  Default();
  if (notify) notify->OnTabRButtonUp(this, behavior_->HitTest(this, &service_, point), ToScreen(point));
}

void TabCtrl::OnMButtonDown(UINT, CPoint) {
  FocusSelectedWindow();
  Default();
}

void TabCtrl::OnSetFocus(HWND) {
  Default();
  FocusSelectedWindow();
}

BOOL TabCtrl::OnSetCursor(HWND window, UINT hitTest, UINT message) {
  if (behavior_->SetCursor(this, &service_, message)) return TRUE;
  return CWnd::OnSetCursor(window, hitTest, message);
}

void TabCtrl::UpdateHover(CPoint point) {
  Item* hovered = behavior_->HitTest(this, &service_, point);
  if (hovered != hovered_) {
    hovered_ = hovered;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
    if (toolTip_) ::SendMessageW(toolTip_, TTM_POP, 0, 0);
  }
  TRACKMOUSEEVENT track = {};
  track.cbSize = sizeof(track);
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = m_hWnd;
  track.dwHoverTime = 0;
  ::TrackMouseEvent(&track);
}

void TabCtrl::OnMouseMove(UINT, CPoint point) {
  Default();
  UpdateHover(point);
  if (!dragAllowed || !pressed_) return;
  if (!dragging_) {
    if (tab_layout::LeavesDragSquare(ToLayout(pressPoint_), ToLayout(point))) StartDrag(point);
    return;
  }
  DragTo(point);
}

void TabCtrl::OnMouseLeave() {
  if (hovered_) {
    hovered_ = nullptr;
    InvalidateNoErase();
  }
}

void TabCtrl::StartDrag(CPoint point) {
  dragging_ = true;
  KeyboardHook::Instance().Add(this);  // without it the drag goes on, only Esc is not heard
  tabsAtDragStart_ = tabs_;
  if (notify) notify->OnTabDragStart(this, pressed_, ToScreen(point));
}

void TabCtrl::DragTo(CPoint point) {
  const bool inside = ctrlArea_.PtInRect(point);
  if (inside && hovered_ && hovered_ != pressed_) {
    const int pressedIndex = IndexOf(pressed_);
    const int hoveredIndex = IndexOf(hovered_);
    const auto move = tab_layout::DecideDragMove(pressedIndex, hoveredIndex, ToLayout(hovered_->rect),
                                                 pressed_->rect.Width(), ToLayout(point));
    if (move != tab_layout::DragMove::None &&
        tab_layout::MoveNextTo(tabs_, static_cast<size_t>(pressedIndex), static_cast<size_t>(hoveredIndex),
                               move == tab_layout::DragMove::AfterHovered)) {
      Update();
      UpdateHover(point);
      InvalidateNoErase();
    }
  }
  if (notify) notify->OnTabDrag(this, pressed_, ToScreen(point), !inside);
}

void TabCtrl::StopDrag(bool cancel) {
  Item* dragged = pressed_;
  if (pressed_) {
    pressed_ = nullptr;
    if (::GetCapture() == m_hWnd) {
      releasingCapture_ = true;
      ::ReleaseCapture();
      releasingCapture_ = false;
    }
  }
  if (!dragging_) return;
  dragging_ = false;
  if (KeyboardHook::Instance().IsRegistered(this)) KeyboardHook::Instance().Remove(this);
  if (cancel && !tabsAtDragStart_.empty()) {
    tabs_ = tabsAtDragStart_;
    Update();
  }
  tabsAtDragStart_.clear();
  if (notify) notify->OnTabDragFinish(this, dragged, cancel);
}

void TabCtrl::OnCaptureChanged(HWND newCapture) {
  if (releasingCapture_ || newCapture == m_hWnd) return;
  if (pressed_ || dragging_) {
    StopDrag(true);
    InvalidateNoErase();
  }
}

void TabCtrl::OnKeyDown(UINT virtualKey, UINT) {
  if (virtualKey == VK_ESCAPE && dragging_) {
    StopDrag(true);
    InvalidateNoErase();
  }
}
