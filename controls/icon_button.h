// CSXButton: a classic push button with a 16 by 16 icon beside its caption (owner-drawn by template).
#pragma once
#include "framework/simple_controls.h"

class CSXButton : public CButton {
 public:
  CSXButton() = default;
  ~CSXButton() override;

  // Loads the icon from the current resource module (the language library); false leaves the
  // button without an icon.
  bool SetIcon(UINT iconId);
  HICON Icon() const { return icon_; }

 protected:
  bool DrawItem(DRAWITEMSTRUCT* item) override;

 private:
  HICON icon_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HBITMAP disabledBitmap_ = nullptr;
  int imageWidth_ = 0;
  int imageHeight_ = 0;
  UINT lastAction_ = 0;
  UINT lastState_ = 0;
};
