#include "controls/sort_state.h"

#include <commctrl.h>

#include <cstdlib>

namespace sort_state {

int KeyAfterColumnClick(int key, int column) {
  return std::abs(key) == column + 1 ? -key : column + 1;
}

int KeyAfterInsertColumn(int key, int column) {
  if (key == 0 || std::abs(key) - 1 < column) return key;
  return key > 0 ? key + 1 : key - 1;
}

int KeyAfterDeleteColumn(int key, int column) {
  if (key == 0) return 0;
  const int sorted = std::abs(key) - 1;
  if (sorted == column) return 0;
  if (sorted < column) return key;
  return key > 0 ? key - 1 : key + 1;
}

int SortedColumn(int key) { return key == 0 ? -1 : std::abs(key) - 1; }

HeaderLook HeaderLookFor(int oldFormat, int key, int column, bool sortingEnabled, bool themedArrows,
                         int upImage, int downImage) {
  HeaderLook look;
  look.format = (oldFormat & HDF_JUSTIFYMASK) | HDF_STRING;
  const bool ascending = sortingEnabled && key == column + 1;
  const bool descending = sortingEnabled && key == -(column + 1);
  if (!ascending && !descending) return look;
  if (themedArrows) {
    look.format |= ascending ? HDF_SORTUP : HDF_SORTDOWN;
  } else {
    look.format |= HDF_IMAGE | HDF_BITMAP_ON_RIGHT;
    look.image = ascending ? upImage : downImage;
  }
  return look;
}

COLORREF TintFor(COLORREF background) {
  const int channels[3] = {GetRValue(background), GetGValue(background), GetBValue(background)};
  const bool nearWhite = channels[0] > 240 && channels[1] > 240 && channels[2] > 240;
  int tinted[3];
  for (int i = 0; i < 3; ++i) {
    const int c = channels[i];
    tinted[i] = nearWhite ? c - 8 : (c > 231 ? 255 : c + c / 10);
  }
  return RGB(tinted[0], tinted[1], tinted[2]);
}

}  // namespace sort_state
