#include "controls/button_faces.h"

#include <gtest/gtest.h>

using button_faces::Face;

TEST(ButtonFaces, ImageSelectionTable) {
  struct Case { bool disabled, pressed, hovered, hasAlternate, alternateShown; Face face; };
  const Case cases[] = {
      {false, false, false, false, false, Face::Standard},
      {false, false, true, false, false, Face::StandardHot},
      {false, true, true, false, false, Face::StandardPressed},
      {false, false, false, true, true, Face::Alternate},
      {false, false, true, true, true, Face::AlternateHot},
      {false, true, false, true, true, Face::AlternatePressed},
      {false, true, false, true, false, Face::StandardPressed},
      {false, false, false, false, true, Face::Standard},  // no alternate images to show
      {true, true, true, true, true, Face::Disabled},
      {true, false, false, false, false, Face::Disabled},
  };
  for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
    const auto& c = cases[i];
    button_faces::Look look{c.disabled, c.pressed, c.hovered, c.hasAlternate, c.alternateShown};
    EXPECT_EQ(button_faces::Choose(look), c.face) << "case " << i;
  }
}
