#include "engine/rowlookup.h"

#include "engine/editstate.h"

namespace kv {

int16_t FindRowOfCell(int16_t cell) {
    int rows = 0;
    for (int16_t r = gStartRow; IsRowIndex(r) && rows < kRowPoolSize; r = Row(r).NextRow, ++rows) {
        int16_t c = Row(r).FirstCell;
        for (int guard = 0; IsCellIndex(c) && guard < kCellPoolSize; ++guard) {
            if (c == cell) return r;
            if (Cell(c).RowEnd || Cell(c).Next == c) break;
            c = Cell(c).Next;
        }
    }
    return 0;
}

int16_t HitTestRow(int16_t x, int16_t y) {
    if (!IsRowIndex(gStartRow)) return 0;
    int16_t c = PageFirstCell();
    for (int guard = 0; IsCellIndex(c) && guard < kCellPoolSize; ++guard) {
        if (CellWithinLimits(c, x, y)) return c;
        c = Cell(c).Next;
    }
    return 0;
}

bool CellWithinLimits(int16_t cell, int16_t x, int16_t y) {
    if (cell == 0) return true;
    if (!IsCellIndex(cell)) return false;
    const SignCell& c = Cell(cell);
    return c.X <= x && x <= c.X + c.Width && c.Y <= y && y <= c.Y + c.Height;
}

}  // namespace kv
