// C2DPushGraph: a strip-chart window. Value series scroll in from the right over a dark background
// with a grid that scrolls along; the owner pushes one value per series and then advances.
#pragma once
#include "controls/push_graph_model.h"
#include "framework/wnd.h"

class C2DPushGraph : public CWnd {
 public:
  C2DPushGraph() = default;

  // Takes the place of the parent's static placeholder with that id (same rectangle, styles, id).
  bool ReplaceStatic(UINT id, CWnd* parent);
  bool AddSeries(int id, COLORREF colour) { return model_.AddSeries(id, colour); }
  void RemoveSeries(int id) { model_.RemoveSeries(id); }
  bool PushValue(int value, int id);
  // Scrolls the grid by what came in and redraws at once.
  void Advance();

  // What the owner may set.
  bool showGrid = true;
  COLORREF backgroundColour = RGB(0, 0, 0);
  COLORREF gridColour = RGB(0, 150, 0);
  void SetMaximum(int value) { model_.SetMaximum(value); }
  void SetMinimum(int value) { model_.SetMinimum(value); }
  bool SetGridSize(int pixels) { return model_.SetGridSize(pixels); }
  bool SetLineInterval(unsigned short pixels) { return model_.SetLineInterval(pixels); }
  void SetVisiblePointCount(int count) { model_.SetVisiblePointCount(count); }

  const PushGraphModel& Model() const { return model_; }

 protected:
  virtual void PaintGrid(CDC* dc, const CRect& rect);
  virtual void PaintSeries(CDC* dc, const CRect& rect);
  void OnPaint() override;
  void OnSize(UINT type, int cx, int cy) override;
  BOOL OnEraseBkgnd(CDC*) override { return FALSE; }
  void OnMouseMove(UINT, CPoint) override {}

 private:
  PushGraphModel model_;
};
