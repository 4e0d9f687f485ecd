// TabCtrlStyle_base: the tab control's look in the user's system colours; the selected tab has cut
// top corners and opens into the page below it. The metrics, hit test and tooltip stay the control's.
#pragma once
#include "controls/tab_ctrl.h"

class TabCtrlStyle_base : public ITabCtrlStyle, public TabCtrlDraw {
 public:
  virtual ~TabCtrlStyle_base() = default;

  // ITabCtrlStyle
  TabCtrlDraw* GetDrawManager() override { return this; }
  ITabCtrlRecalc* GetRecalcManager() override { return nullptr; }
  ITabCtrlBehavior* GetBehaviorManager() override { return nullptr; }
  ITabCtrlToolTip* GetToolTipManager() override { return nullptr; }

  // Colours, read from the system at every drawing.
  virtual COLORREF GetBorderColor(TabCtrl*) { return ::GetSysColor(COLOR_BTNSHADOW); }
  virtual COLORREF GetTabBorderColor(TabCtrl*) { return ::GetSysColor(COLOR_BTNSHADOW); }
  virtual COLORREF GetCtrlAreaBackColor(TabCtrl*) { return ::GetSysColor(COLOR_BTNFACE); }
  virtual COLORREF GetWndsAreaBackColor(TabCtrl*) { return ::GetSysColor(COLOR_BTNFACE); }
  virtual COLORREF GetTabSelectedBackColor(TabCtrl*) { return ::GetSysColor(COLOR_WINDOW); }
  virtual COLORREF GetTabTextColor(TabCtrl*, TabCtrlItem* tab) {
    return ::GetSysColor(tab->disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
  }
  virtual COLORREF GetButtonMarkerColor(TabCtrl* ctrl, bool, bool) {
    return ::GetSysColor(ctrl->Selected() ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
  }
  virtual COLORREF GetCtrlAreaBandColor(TabCtrl*) { return ::GetSysColor(COLOR_WINDOW); }
  virtual COLORREF GetEmptyWndsAreaBackColor(TabCtrl*, CDC*, const CRect&) {
    return ::GetSysColor(COLOR_APPWORKSPACE);
  }
  virtual void DrawTabBack(TabCtrl* ctrl, CDC* dc, TabCtrlItem* tab, const CRect& rect, CRgn* clip);
  virtual void DrawTabContext(TabCtrl* ctrl, CDC* dc, TabCtrlItem* tab, const CRect& rect, CRgn* clip);
  virtual void DrawTabImage(TabCtrl*, CDC*, TabCtrlItem*, const CRect&, CRgn*) {}  // tabs carry none
  virtual void DrawTabText(TabCtrl* ctrl, CDC* dc, TabCtrlItem* tab, const CRect& rect, CRgn* clip);
  virtual void DrawButtonFrame(TabCtrl*, CDC*, const CRect&, bool, bool) {}  // no buttons show

  // TabCtrlDraw
  bool IsStraightOrder(TabCtrl*) override { return true; }
  void DrawBegin(TabCtrl*, CDC*) override {}
  void DrawBorder(TabCtrl* ctrl, CDC* dc, const CRect& client) override;
  void DrawCtrlAreaBack(TabCtrl* ctrl, CDC* dc, const CRect& ctrlArea) override;
  void DrawTab(TabCtrl* ctrl, CDC* dc, TabCtrlItem* tab, CRgn* clip) override;
  void DrawButtonClose(TabCtrl*, CDC*, const CRect&, bool, bool) override {}
  void DrawButtonMenu(TabCtrl*, CDC*, const CRect&, bool, bool, bool) override {}
  void DrawButtonScrollLeft(TabCtrl*, CDC*, const CRect&, bool, bool, bool) override {}
  void DrawButtonScrollRight(TabCtrl*, CDC*, const CRect&, bool, bool, bool) override {}
  void DrawWndsAreaBack(TabCtrl* ctrl, CDC* dc, const CRect& wndsArea) override;
  void DrawEnd(TabCtrl*, CDC*) override {}
};

// The main dialog's tab control: a TabCtrl carrying its style.
class TabCtrlComplex : public TabCtrl {
 public:
  TabCtrlStyle_base styleBase;
};
