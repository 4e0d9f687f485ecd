// Which prepared image an image button shows, and when a two-state button changes over.
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

// A toggle button flips once per press: on the drawing where the pressed state begins, not on
// every repaint while the button is held.
class PressEdge {
 public:
  // Returns true when this drawing starts a press.
  bool Starts(bool pressed) {
    const bool starts = pressed && !wasPressed_;
    wasPressed_ = pressed;
    return starts;
  }

 private:
  bool wasPressed_ = false;
};

}  // namespace button_faces
