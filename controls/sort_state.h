// The report list's sort key and what it shows: the arrow in the header and the tint of the sorted
// column. The key is 0 for none, +(column + 1) ascending and -(column + 1) descending.
#pragma once
#include <windows.h>

namespace sort_state {

// A click on a column: the sorted column turns round, any other column sorts ascending.
int KeyAfterColumnClick(int key, int column);
// A column inserted at or before the sorted one pushes it to the right.
int KeyAfterInsertColumn(int key, int column);
// A column deleted before the sorted one pulls it to the left; deleting the sorted one clears the key.
int KeyAfterDeleteColumn(int key, int column);
// The column the key names, -1 for none.
int SortedColumn(int key);

// A header item's new look: format bits and, for the image-list arrows, the image index (-1 none).
struct HeaderLook {
  int format = 0;
  int image = -1;
};

// With themedArrows the header draws its own arrows (HDF_SORTUP/HDF_SORTDOWN); otherwise the
// arrows are images of the list's own image list, on the right of the caption.
HeaderLook HeaderLookFor(int oldFormat, int key, int column, bool sortingEnabled, bool themedArrows,
                         int upImage, int downImage);

// The sorted column's background: a little lighter than the list's, or darker when that is near white.
COLORREF TintFor(COLORREF background);

}  // namespace sort_state
