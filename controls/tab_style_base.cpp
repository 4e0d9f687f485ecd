#include "controls/tab_style_base.h"

#include "controls/tab_drawing.h"

using namespace tab_drawing;

void TabCtrlStyle_base::DrawCtrlAreaBack(TabCtrl* ctrl, CDC* dc, const CRect& area) {
  const CRect padding = ctrl->Recalc()->GetCtrlAreaPadding(ctrl, ctrl->BaseRecalc());
  CRect back(area.left, area.top, area.right, area.bottom - padding.bottom);
  FillSolid(dc, back, GetCtrlAreaBackColor(ctrl));
  // The tabs stand on this line; the band below it has the page's colour.
  DrawLine(dc, area.left, back.bottom - 1, area.right, back.bottom - 1, GetTabBorderColor(ctrl));
  CRect band(area.left, back.bottom, area.right, area.bottom);
  if (!band.IsRectEmpty()) FillSolid(dc, band, GetCtrlAreaBandColor(ctrl));
}

void TabCtrlStyle_base::DrawTab(TabCtrl* ctrl, CDC* dc, TabCtrlItem* tab, CRgn* clip) {
  DrawTabBack(ctrl, dc, tab, tab->rect, clip);
  DrawTabContext(ctrl, dc, tab, tab->rect, clip);
}

void TabCtrlStyle_base::DrawTabBack(TabCtrl* ctrl, CDC* dc, TabCtrlItem* tab, const CRect& r, CRgn*) {
  const COLORREF outline = GetTabBorderColor(ctrl);
  const COLORREF face = GetTabSelectedBackColor(ctrl);
  if (tab == ctrl->Selected()) {
    DrawTabShape(dc, r, 2, outline, face);
    return;
  }
  if (tab == ctrl->Hovered() && !ctrl->Pressed() && !tab->disabled) {
    const POINT points[6] = {{r.left + 2, r.bottom - 2}, {r.left + 2, r.top + 2}, {r.left + 3, r.top + 1},
                             {r.right - 3, r.top + 1},   {r.right - 2, r.top + 2}, {r.right - 2, r.bottom - 2}};
    FillPolygonOutlined(dc, points, outline, face);
    const int top = (r.top + 1) + ((r.bottom - 1) - (r.top + 1)) / 2;
    GradientFillV(dc, CRect(r.left + 3, top, r.right - 2, r.bottom - 1), face, outline);
  }
  const CRect padding = ctrl->Recalc()->GetTabPadding(ctrl, ctrl->BaseRecalc());
  const int y1 = r.top + padding.top + 1;
  const int y2 = r.bottom - padding.bottom - 2;
  DrawLine(dc, r.right, y1, r.right, y2, outline);
  if (!ctrl->Tabs().empty() && ctrl->Tabs().front() == tab) DrawLine(dc, r.left, y1, r.left, y2, outline);
}

void TabCtrlStyle_base::DrawTabContext(TabCtrl* ctrl, CDC* dc, TabCtrlItem* tab, const CRect& r, CRgn* clip) {
  const CRect padding = ctrl->Recalc()->GetTabPadding(ctrl, ctrl->BaseRecalc());
  CRect inner(r.left + padding.left, r.top + padding.top, r.right - padding.right, r.bottom - padding.bottom);
  const int captionWidth = dc->GetTextExtent(tab->text).cx;
  if (captionWidth < inner.Width()) inner.left += (inner.Width() - captionWidth) / 2;
  if (!inner.IsRectEmpty()) DrawTabText(ctrl, dc, tab, inner, clip);
}

void TabCtrlStyle_base::DrawTabText(TabCtrl* ctrl, CDC* dc, TabCtrlItem* tab, const CRect& r, CRgn*) {
  dc->SetTextColor(GetTabTextColor(ctrl, tab));
  CRect text = r;
  dc->DrawText(tab->text, &text, DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER);
}

void TabCtrlStyle_base::DrawBorder(TabCtrl* ctrl, CDC* dc, const CRect& r) {
  DrawFrame(dc, r.left, r.top, r.right - 1, r.bottom - 1, GetBorderColor(ctrl));
}

void TabCtrlStyle_base::DrawWndsAreaBack(TabCtrl* ctrl, CDC* dc, const CRect& area) {
  const bool hasSelection = !ctrl->Tabs().empty() && ctrl->Selected();
  FillSolid(dc, area, hasSelection ? GetTabSelectedBackColor(ctrl) : GetEmptyWndsAreaBackColor(ctrl, dc, area));
}
