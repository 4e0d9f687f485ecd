// CGdipButton: a push button that shows a PNG, brighter under the pointer, shifted one pixel while
// pressed, grey while disabled, optionally with a second image set for a two-state button, and
// with a tooltip. All GDI+ work happens once; every paint is one copy of a prepared image.
#pragma once
#include <string>

#include "controls/button_faces.h"
#include "controls/gdiplus_bitmap.h"
#include "framework/simple_controls.h"

class CGdipButton : public CButton {
 public:
  CGdipButton() = default;
  ~CGdipButton() override;

  // Loads the standard (or alternate) image from a PNG resource; false when it failed, and the
  // button then shows only its background.
  bool LoadStdImage(UINT pngId);
  bool LoadAltImage(UINT pngId);
  void SetTooltipText(const std::wstring& text);

  // Flags the owner sets before the first paint (and repaints after a change).
  bool hasAlternate = false;
  bool disabled = false;
  bool toggle = false;
  bool alternateShown = false;

  bool IsHovered() const { return hovered_; }
  bool ImagesBuilt() const { return imagesBuilt_; }
  HWND ToolTipWindow() const { return toolTip_; }
  // The image the last drawing showed.
  button_faces::Face CurrentFace() const { return current_; }

 protected:
  void PreSubclassWindow() override;
  BOOL PreTranslateMessage(MSG* msg) override;
  HBRUSH OnReflectedCtlColor(CDC* dc, UINT ctlType) override;
  BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
  void OnDestroy() override;
  bool DrawItem(DRAWITEMSTRUCT* item) override;
  bool OnReflectedCommand(UINT notifyCode) override;
  void OnMouseMove(UINT flags, CPoint point) override;
  void OnMouseHover(UINT flags, CPoint point) override;
  void OnMouseLeave() override;

 private:
  // One prepared look: a memory device context holding a bitmap of the button's size.
  struct StateImage {
    CDC dc;
    CBitmap bitmap;
    HGDIOBJ displaced = nullptr;
    bool Make(CDC* like, int width, int height);
    bool Exists() const { return dc.GetSafeHdc() != nullptr; }
    ~StateImage();
  };
  enum { kStandard, kStandardPressed, kStandardHot, kAlternate, kAlternatePressed, kAlternateHot,
         kDisabled, kBackground, kImageCount };

  void BuildStateImages(CDC* dc);
  StateImage& ImageFor(button_faces::Face face);

  CGdiPlusBitmapResource* standard_ = nullptr;
  CGdiPlusBitmapResource* alternate_ = nullptr;
  bool imagesBuilt_ = false;
  bool hovered_ = false;
  bool tracking_ = false;
  button_faces::Face current_ = button_faces::Face::Standard;
  std::wstring toolTipText_;
  HWND toolTip_ = nullptr;
  StateImage images_[kImageCount];
};
