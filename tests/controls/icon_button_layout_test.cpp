#include "controls/icon_button_layout.h"

#include <gtest/gtest.h>

using icon_button_layout::Input;
using icon_button_layout::Place;

TEST(IconButtonLayout, PlacementTable) {
  struct Case { const char* what; Input in; POINT icon; POINT caption; };
  const Case cases[] = {
      {"icon alone is centred", {{40, 30}, true, false, {}, false}, {12, 7}, {0, 0}},
      {"icon alone pressed", {{40, 30}, true, false, {}, true}, {13, 8}, {0, 0}},
      {"icon and caption", {{120, 30}, true, true, {40, 13}, false}, {4, 7}, {54, 7}},
      {"caption wider than the rest starts after the gap", {{60, 30}, true, true, {50, 13}, false}, {4, 7}, {28, 7}},
      {"caption alone is centred", {{100, 25}, false, true, {41, 13}, true}, {0, 0}, {30, 6}},
      {"odd remainders round down", {{41, 31}, true, false, {}, false}, {12, 7}, {0, 0}},
  };
  for (const auto& c : cases) {
    const auto placed = Place(c.in);
    if (c.in.hasIcon) {
      EXPECT_EQ(placed.icon.x, c.icon.x) << c.what;
      EXPECT_EQ(placed.icon.y, c.icon.y) << c.what;
    }
    if (c.in.hasCaption) {
      EXPECT_EQ(placed.caption.x, c.caption.x) << c.what;
      EXPECT_EQ(placed.caption.y, c.caption.y) << c.what;
    }
  }
}

TEST(IconButtonLayout, FocusInset) {
  EXPECT_EQ(icon_button_layout::FocusInset(RECT{0, 0, 80, 24}), 3);
  EXPECT_EQ(icon_button_layout::FocusInset(RECT{0, 0, 80, 12}), 3);
  EXPECT_EQ(icon_button_layout::FocusInset(RECT{0, 0, 8, 40}), 2);
}
