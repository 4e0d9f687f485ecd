// CFontStatic: a label that paints its text in a font of its own (the Swivo number box's digits).
#pragma once
#include <string>

#include "framework/simple_controls.h"

class CFontStatic : public CStatic {
 public:
  // Face name and height in logical units; the text becomes left-aligned.
  void SetFace(const std::wstring& face, int height, COLORREF textColour, int alignment);

  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  bool antialiased = false;
  bool ownBackground = false;
  bool centred = false;
  bool left = true;
  bool right = false;
  std::wstring faceName = L"MS Sans Serif";
  COLORREF textColour = RGB(0, 0, 0);
  COLORREF backgroundColour = RGB(255, 255, 255);
  int height = 8;

 protected:
  void PreSubclassWindow() override;
  void OnPaint() override;
};
