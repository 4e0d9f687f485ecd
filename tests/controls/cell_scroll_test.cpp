#include "controls/cell_scroll.h"

#include <gtest/gtest.h>

TEST(CellScroll, OneScrollBringsTheCellIn) {
  struct Case { const char* what; int left, right, client, scroll; };
  const Case cases[] = {
      {"inside", 10, 90, 200, 0},
      {"right edge beyond the client", 150, 260, 200, 60},
      {"left edge before the client", -40, 30, 200, -40},
      {"wider than the client, starting inside", 50, 400, 200, 50},
      {"wider than the client, starting before it", -100, 300, 200, -100},
      {"exactly as wide as the client, past its right", 20, 220, 200, 20},
  };
  for (const auto& c : cases)
    EXPECT_EQ(cell_scroll::HorizontalScrollFor(c.left, c.right, c.client), c.scroll) << c.what;
}
