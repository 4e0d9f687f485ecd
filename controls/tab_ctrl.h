// TabCtrl: an owner-drawn strip of text tabs, each hosting one page window shown below the strip.
// It lays out, tracks the pointer, selects, reorders by dragging and shows a tip for a shortened
// tab; every pixel comes from the installed style's draw manager.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "controls/keyboard_hook.h"
#include "controls/tab_ctrl_interfaces.h"
#include "framework/wnd.h"

class TabCtrl : public CWnd, public KeyboardHook::Notify {
 public:
  using Item = TabCtrlItem;

  // The default managers, and the base manager handed to every manager call.
  class Service : public ITabCtrlRecalc, public ITabCtrlBehavior, public ITabCtrlToolTip {
   public:
    ~Service();
    int GetBorderWidth(const TabCtrl*, ITabCtrlRecalc*) override { return 1; }
    CRect GetCtrlAreaPadding(const TabCtrl*, ITabCtrlRecalc*) override { return CRect(3, 1, 3, 2); }
    CRect GetWndsAreaPadding(const TabCtrl*, ITabCtrlRecalc*) override { return CRect(0, 0, 0, 0); }
    CRect GetTabHorzMargin(const TabCtrl*, ITabCtrlRecalc*) override { return CRect(0, 0, 0, 0); }
    CRect GetTabPadding(const TabCtrl*, ITabCtrlRecalc*) override { return CRect(5, 3, 5, 3); }
    int GetTabImageTextGap(const TabCtrl*, ITabCtrlRecalc*) override { return 3; }
    int GetTabExtraWidth(const TabCtrl*, ITabCtrlRecalc*, const Item*) override { return 0; }
    int GetTabMinWidth(const TabCtrl* ctrl, ITabCtrlRecalc* base) override;
    CRect GetButtonScrollLeftHorzMargin(const TabCtrl*, ITabCtrlRecalc*) override { return CRect(8, 0, 0, 0); }
    CRect GetButtonScrollRightHorzMargin(const TabCtrl*, ITabCtrlRecalc*) override { return CRect(0, 0, 0, 0); }
    CRect GetButtonMenuHorzMargin(const TabCtrl*, ITabCtrlRecalc*) override { return CRect(8, 0, 0, 0); }
    CRect GetButtonCloseHorzMargin(const TabCtrl*, ITabCtrlRecalc*) override { return CRect(2, 0, 2, 0); }

    Item* HitTest(TabCtrl* ctrl, ITabCtrlBehavior* base, CPoint point) override;
    bool SetCursor(TabCtrl*, ITabCtrlBehavior*, UINT) override { return false; }

    HWND CreateToolTip(TabCtrl* ctrl, ITabCtrlToolTip* base) override;
    // Destroys the tooltip made here, if it still exists, and forgets its handle.
    void DestroyToolTip();

   private:
    HWND toolTip_ = nullptr;
  };

  TabCtrl();
  ~TabCtrl() override;

  bool Create(CWnd* parent, DWORD style, const RECT& rect, UINT id);
  bool Create(const wchar_t* className, const wchar_t* windowName, DWORD style, const RECT& rect,
              CWnd* parent, UINT id, void* context = nullptr) override;

  Item* Add(HWND window, const wchar_t* text);
  Item* Insert(size_t position, HWND window, const wchar_t* text);
  void DeleteAll();
  void SelectTab(Item* tab);
  void Update();
  void InstallStyle(ITabCtrlStyle* style);
  bool SetFontNormal(HFONT font);
  bool SetFontSelect(HFONT font);

  // Options the owner sets directly before it calls Update.
  bool border = true;
  bool equalWidth = false;
  bool dragAllowed = false;
  bool toolTips = true;
  TabCtrlNotify* notify = nullptr;

  // What styles and tests read.
  const std::vector<Item*>& Tabs() const { return tabs_; }
  Item* Selected() const { return selected_; }
  Item* Hovered() const { return hovered_; }
  Item* Pressed() const { return pressed_; }
  bool IsDragging() const { return dragging_; }
  const CRect& CtrlArea() const { return ctrlArea_; }
  const CRect& TabsArea() const { return tabsArea_; }
  const CRect& WndsArea() const { return wndsArea_; }
  HFONT FontNormal() const { return fontNormalSet_ ? static_cast<HFONT>(fontNormal_) : nullptr; }
  HFONT FontSelect() const { return fontSelectSet_ ? static_cast<HFONT>(fontSelect_) : nullptr; }
  HWND ToolTipWindow() const { return toolTip_; }
  ITabCtrlRecalc* Recalc() const { return recalc_; }
  ITabCtrlRecalc* BaseRecalc() const { return const_cast<Service*>(&service_); }
  int IndexOf(const Item* tab) const;

 protected:
  BOOL PreTranslateMessage(MSG* msg) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  void OnPaint() override;
  BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
  void OnDestroy() override;
  void OnSize(UINT type, int cx, int cy) override;
  void OnLButtonDown(UINT flags, CPoint point) override;
  void OnLButtonUp(UINT flags, CPoint point) override;
  void OnLButtonDblClk(UINT flags, CPoint point) override;
  void OnRButtonDown(UINT flags, CPoint point) override;
  void OnRButtonUp(UINT flags, CPoint point) override;
  void OnMButtonDown(UINT flags, CPoint point) override;
  void OnMouseMove(UINT flags, CPoint point) override;
  void OnMouseLeave() override;
  void OnCaptureChanged(HWND newCapture) override;
  void OnSetFocus(HWND oldFocus) override;
  BOOL OnSetCursor(HWND window, UINT hitTest, UINT message) override;
  using CWnd::OnKeyDown;
  void OnKeyDown(UINT virtualKey, UINT keyFlags) override;  // from KeyboardHook

 private:
  static const wchar_t* RegisterWindowClass();
  int CalcCtrlAreaHeight();
  void CalcTabsWidth();
  void RecalcScale();
  void ProcessClick(CPoint point);
  void FocusSelectedWindow();
  void UpdateHover(CPoint point);
  void StartDrag(CPoint point);
  void StopDrag(bool cancel);
  void DragTo(CPoint point);
  void OnToolTipText(NMTTDISPINFOW* info);
  CPoint ToScreen(CPoint point) const;
  void InvalidateNoErase() { ::InvalidateRect(m_hWnd, nullptr, FALSE); }
  bool SetFont(CFont& target, bool& isSet, HFONT font);

  Service service_;
  CFont fontNormal_;
  CFont fontSelect_;
  bool fontNormalSet_ = false;
  bool fontSelectSet_ = false;
  std::wstring toolTipBuffer_;
  TabCtrlDraw* draw_ = nullptr;
  ITabCtrlRecalc* recalc_ = &service_;
  ITabCtrlBehavior* behavior_ = &service_;
  ITabCtrlToolTip* toolTipManager_ = &service_;
  std::vector<Item*> tabs_;
  std::vector<Item*> tabsAtDragStart_;
  Item* selected_ = nullptr;
  Item* hovered_ = nullptr;
  Item* pressed_ = nullptr;
  bool dragging_ = false;
  bool releasingCapture_ = false;  // our own ReleaseCapture: its WM_CAPTURECHANGED cancels nothing
  CPoint pressPoint_;
  CRect ctrlArea_;
  CRect tabsArea_;
  CRect wndsArea_;
  HWND toolTip_ = nullptr;
};
