#include "controls/sort_state.h"

#include <commctrl.h>
#include <gtest/gtest.h>

TEST(SortState, KeyFollowsClicksInsertionsAndDeletions) {
  struct Case { const char* step; int before; int column; int after; };
  using namespace sort_state;
  const Case clicks[] = {
      {"first click on column 0 of an unsorted list", 0, 0, 1},
      {"same column again turns it round", 1, 0, -1},
      {"and back", -1, 0, 1},
      {"another column sorts ascending", -1, 2, 3},
  };
  for (const auto& c : clicks) EXPECT_EQ(KeyAfterColumnClick(c.before, c.column), c.after) << c.step;

  const Case inserts[] = {
      {"before the sorted column", 2, 0, 3},
      {"at the sorted column", -2, 1, -3},
      {"after it", 2, 2, 2},
      {"no key", 0, 0, 0},
  };
  for (const auto& c : inserts) EXPECT_EQ(KeyAfterInsertColumn(c.before, c.column), c.after) << c.step;

  const Case deletes[] = {
      {"before the sorted column", 3, 0, 2},
      {"before a descending one", -3, 1, -2},
      {"the sorted column itself", -2, 1, 0},
      {"after it", 1, 1, 1},
  };
  for (const auto& c : deletes) EXPECT_EQ(KeyAfterDeleteColumn(c.before, c.column), c.after) << c.step;
}

TEST(SortState, HeaderLookKeepsAlignmentAndShowsOneArrow) {
  using sort_state::HeaderLookFor;
  struct Case { const char* what; int oldFormat; int key; int column; bool enabled; bool themed; int format; int image; };
  const int kImageArrow = HDF_STRING | HDF_IMAGE | HDF_BITMAP_ON_RIGHT;
  const Case cases[] = {
      {"themed ascending", HDF_LEFT, 1, 0, true, true, HDF_STRING | HDF_SORTUP, -1},
      {"themed descending keeps right alignment", HDF_RIGHT | HDF_SORTUP, -1, 0, true, true,
       HDF_RIGHT | HDF_STRING | HDF_SORTDOWN, -1},
      {"themed other column loses its arrow", HDF_CENTER | HDF_SORTUP, 1, 1, true, true, HDF_CENTER | HDF_STRING, -1},
      {"image ascending", HDF_STRING, 2, 1, true, false, kImageArrow, 7},
      {"image descending", HDF_STRING, -2, 1, true, false, kImageArrow, 8},
      {"image other column", kImageArrow, 2, 0, true, false, HDF_STRING, -1},
      {"sorting not enabled shows none", HDF_STRING, 1, 0, false, false, HDF_STRING, -1},
  };
  for (const auto& c : cases) {
    const auto look = HeaderLookFor(c.oldFormat, c.key, c.column, c.enabled, c.themed, 7, 8);
    EXPECT_EQ(look.format, c.format) << c.what;
    EXPECT_EQ(look.image, c.image) << c.what;
  }
}

TEST(SortState, TintTable) {
  struct Case { COLORREF background; COLORREF tint; };
  const Case cases[] = {
      {RGB(255, 255, 255), RGB(247, 247, 247)},
      {RGB(241, 241, 241), RGB(233, 233, 233)},
      {RGB(240, 255, 255), RGB(255, 255, 255)},  // one channel at 240: lighten, the others cap at 255
      {RGB(0, 0, 128), RGB(0, 0, 140)},
      {RGB(100, 200, 231), RGB(110, 220, 254)},
      {RGB(0, 0, 0), RGB(0, 0, 0)},
  };
  for (const auto& c : cases)
    EXPECT_EQ(sort_state::TintFor(c.background), c.tint) << std::hex << c.background;
}
