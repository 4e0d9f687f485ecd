// The tab control's pluggable parts: what a style supplies (drawing, metrics, hit test, tooltip)
// and what the owner hears (TabCtrlNotify). Every operation gets the control first.
#pragma once
#include <windows.h>

#include <string>

#include "framework/dc.h"
#include "framework/geometry.h"

class TabCtrl;

// One tab. The owner and the notify interface know a tab by the address of its item, which stays
// valid until the control is destroyed.
struct TabCtrlItem {
  HWND window = nullptr;  // the tab's page, a child of the control
  int image = -1;         // tabs carry no image
  std::wstring text;
  std::wstring tooltipText;  // empty: a shortened tab shows its caption instead
  bool disabled = false;
  unsigned long long userValue = 0;
  CRect rect;         // laid out by every update, client coordinates
  int fullWidth = 0;  // what the whole caption needs, set by every update
};

class TabCtrlDraw {
 public:
  virtual bool IsStraightOrder(TabCtrl* ctrl) = 0;
  virtual void DrawBegin(TabCtrl* ctrl, CDC* dc) = 0;
  virtual void DrawBorder(TabCtrl* ctrl, CDC* dc, const CRect& client) = 0;
  virtual void DrawCtrlAreaBack(TabCtrl* ctrl, CDC* dc, const CRect& ctrlArea) = 0;
  virtual void DrawTab(TabCtrl* ctrl, CDC* dc, TabCtrlItem* tab, CRgn* clip) = 0;
  virtual void DrawButtonClose(TabCtrl* ctrl, CDC* dc, const CRect& rect, bool hover, bool pushed) = 0;
  virtual void DrawButtonMenu(TabCtrl* ctrl, CDC* dc, const CRect& rect, bool hover, bool pushed,
                              bool state) = 0;
  virtual void DrawButtonScrollLeft(TabCtrl* ctrl, CDC* dc, const CRect& rect, bool hover,
                                    bool pushed, bool state) = 0;
  virtual void DrawButtonScrollRight(TabCtrl* ctrl, CDC* dc, const CRect& rect, bool hover,
                                     bool pushed, bool state) = 0;
  virtual void DrawWndsAreaBack(TabCtrl* ctrl, CDC* dc, const CRect& wndsArea) = 0;
  virtual void DrawEnd(TabCtrl* ctrl, CDC* dc) = 0;

 protected:
  ~TabCtrlDraw() = default;
};

// Metrics. Margins come back as a CRect holding left, top, right and bottom margins.
class ITabCtrlRecalc {
 public:
  virtual int GetBorderWidth(const TabCtrl* ctrl, ITabCtrlRecalc* base) = 0;
  virtual CRect GetCtrlAreaPadding(const TabCtrl* ctrl, ITabCtrlRecalc* base) = 0;
  virtual CRect GetWndsAreaPadding(const TabCtrl* ctrl, ITabCtrlRecalc* base) = 0;
  virtual CRect GetTabHorzMargin(const TabCtrl* ctrl, ITabCtrlRecalc* base) = 0;
  virtual CRect GetTabPadding(const TabCtrl* ctrl, ITabCtrlRecalc* base) = 0;
  virtual int GetTabImageTextGap(const TabCtrl* ctrl, ITabCtrlRecalc* base) = 0;
  virtual int GetTabExtraWidth(const TabCtrl* ctrl, ITabCtrlRecalc* base, const TabCtrlItem* tab) = 0;
  virtual int GetTabMinWidth(const TabCtrl* ctrl, ITabCtrlRecalc* base) = 0;
  virtual CRect GetButtonScrollLeftHorzMargin(const TabCtrl* ctrl, ITabCtrlRecalc* base) = 0;
  virtual CRect GetButtonScrollRightHorzMargin(const TabCtrl* ctrl, ITabCtrlRecalc* base) = 0;
  virtual CRect GetButtonMenuHorzMargin(const TabCtrl* ctrl, ITabCtrlRecalc* base) = 0;
  virtual CRect GetButtonCloseHorzMargin(const TabCtrl* ctrl, ITabCtrlRecalc* base) = 0;

 protected:
  ~ITabCtrlRecalc() = default;
};

class ITabCtrlBehavior {
 public:
  // The tab under a client point, or null.
  virtual TabCtrlItem* HitTest(TabCtrl* ctrl, ITabCtrlBehavior* base, CPoint point) = 0;
  // True when the manager set a cursor of its own.
  virtual bool SetCursor(TabCtrl* ctrl, ITabCtrlBehavior* base, UINT mouseMessage) = 0;

 protected:
  ~ITabCtrlBehavior() = default;
};

class ITabCtrlToolTip {
 public:
  // The tooltip window, owned by whoever made it, or null: the control then has no tips.
  virtual HWND CreateToolTip(TabCtrl* ctrl, ITabCtrlToolTip* base) = 0;

 protected:
  ~ITabCtrlToolTip() = default;
};

class ITabCtrlStyle {
 public:
  virtual TabCtrlDraw* GetDrawManager() = 0;
  virtual ITabCtrlRecalc* GetRecalcManager() = 0;
  virtual ITabCtrlBehavior* GetBehaviorManager() = 0;
  virtual ITabCtrlToolTip* GetToolTipManager() = 0;

 protected:
  ~ITabCtrlStyle() = default;
};

// What the owner hears; every operation does nothing unless the owner overrides it.
class TabCtrlNotify {
 public:
  virtual void OnTabPreCreate(TabCtrl*, HWND /*window*/, const wchar_t* /*text*/, int /*image*/) {}
  virtual void OnTabPostCreate(TabCtrl*, TabCtrlItem*) {}
  virtual void OnTabPreDestroy(TabCtrl*, TabCtrlItem*) {}
  virtual void OnCloseButtonClicked(TabCtrl*, const CRect& /*button*/, CPoint /*screen*/) {}
  virtual void OnMenuButtonClicked(TabCtrl*, const CRect& /*button*/, CPoint /*screen*/) {}
  virtual void OnTabSelected(TabCtrl*, TabCtrlItem*) {}
  virtual void OnTabLButtonDown(TabCtrl*, TabCtrlItem*, CPoint /*screen*/) {}
  virtual void OnTabLButtonDblClk(TabCtrl*, TabCtrlItem*, CPoint /*screen*/) {}
  virtual void OnTabRButtonDown(TabCtrl*, TabCtrlItem* /*or null*/, CPoint /*screen*/) {}
  virtual void OnTabRButtonUp(TabCtrl*, TabCtrlItem* /*or null*/, CPoint /*screen*/) {}
  virtual void OnTabDragStart(TabCtrl*, TabCtrlItem*, CPoint /*screen*/) {}
  virtual void OnTabDrag(TabCtrl*, TabCtrlItem*, CPoint /*screen*/, bool /*outside*/) {}
  virtual void OnTabDragFinish(TabCtrl*, TabCtrlItem*, bool /*cancelled*/) {}

 protected:
  ~TabCtrlNotify() = default;
};
