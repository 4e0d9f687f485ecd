// Where the icon button puts its 16 by 16 icon, its caption and its focus rectangle.
#pragma once
#include <windows.h>

namespace icon_button_layout {

constexpr int kIconSize = 16;
constexpr int kImageMargin = 4;
constexpr int kImageTextGap = 8;

struct Input {
  SIZE client{};
  bool hasIcon = false;
  bool hasCaption = false;
  SIZE caption{};  // the caption's text extent
  bool pressed = false;
};

struct Placement {
  POINT icon{};
  POINT caption{};
};

// Halving is an arithmetic shift, rounding toward minus infinity; a pressed button moves everything
// one pixel right and down.
Placement Place(const Input& in);

// The focus rectangle's inset inside the button: 3, or a quarter of a small button's smaller side.
int FocusInset(const RECT& item);

}  // namespace icon_button_layout
