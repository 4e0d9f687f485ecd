// How far a report list scrolls sideways to bring one cell into view.
#pragma once

namespace cell_scroll {

// cellLeft and cellRight are the cell's label edges in client coordinates. A cell wider than the
// client is brought in by its left edge; the answer is one distance, so one scroll does it.
int HorizontalScrollFor(int cellLeft, int cellRight, int clientWidth);

}  // namespace cell_scroll
