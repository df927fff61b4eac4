#include "engine/centring.h"

#include "engine/editstate.h"

namespace kv {

void CenterRowVertically() {
    const int16_t first = IsRowIndex(gStartRow) ? gRows[gStartRow].FirstCell : 0;
    if (first == 0) {
        gCursorY = static_cast<int16_t>((EditorInnerHeight() - gCharHeight) / 2 / 5 * 5);
        return;
    }
    if (!IsCellIndex(first)) return;
    const int32_t target = CalcRowCount() / 2 / 5 * 5;
    const int32_t delta = target - gCells[first].Y;
    gCursorY = static_cast<int16_t>(gCursorY + delta);
    int guard = 0;
    for (int16_t c = first; IsCellIndex(c) && guard < kCellPoolSize; c = gCells[c].Next, ++guard)
        gCells[c].Y = static_cast<int16_t>(gCells[c].Y + delta);
}

}  // namespace kv
