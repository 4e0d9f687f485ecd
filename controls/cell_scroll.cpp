#include "controls/cell_scroll.h"

namespace cell_scroll {

int HorizontalScrollFor(int cellLeft, int cellRight, int clientWidth) {
  if (cellRight > clientWidth) {
    const bool wider = cellRight - cellLeft > clientWidth;
    return wider ? cellLeft : cellRight - clientWidth;
  }
  if (cellLeft < 0) return cellLeft;
  return 0;
}

}  // namespace cell_scroll
