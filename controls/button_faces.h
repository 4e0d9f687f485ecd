// Which prepared image an image button shows.
#pragma once

namespace button_faces {

enum class Face {
  Standard,
  StandardPressed,
  StandardHot,
  Alternate,
  AlternatePressed,
  AlternateHot,
  Disabled,
};

struct Look {
  bool disabled = false;
  bool pressed = false;
  bool hovered = false;
  bool hasAlternate = false;   // the alternate images exist
  bool alternateShown = false;
};

// Pressed beats hovered; the alternate set is used only when it exists and is the one shown.
Face Choose(const Look& look);

}  // namespace button_faces
