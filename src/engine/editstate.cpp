#include "engine/editstate.h"

#include "data/records.h"
#include "data/signtable.h"

namespace kv {

std::array<SignCell, kCellPoolSize + 1> gCells;
std::array<EditRow, kRowPoolSize + 1> gRows;

int16_t gCellFreeHead = 1;
int16_t gRowFreeHead = 1;
int16_t gStartRow = 0;
int16_t gCurrentRow = 1;
int16_t gCursorCell = 0;
int16_t gCursorBeforeCell = -1;
int16_t gCursorX = 0;
int16_t gCursorY = 0;
int16_t gCharHeight = 0;
int16_t gRelinkEmptyRow = 0;
int16_t gTextAlignment = 1;
int16_t gAutoMode = 0;

int32_t EditorInnerHeight() {
    if (!IsSignAddress(gCurrentSign)) return 0;
    return 5 * static_cast<int32_t>(SignInfoOf(gCurrentSign).Height);
}

int32_t CalcRowCount() {
    const int32_t inner = EditorInnerHeight();
    if (!gAutoMode) return inner;
    int32_t used = 0;
    int guard = 0;
    for (int r = gStartRow; IsRowIndex(r) && guard < kRowPoolSize; r = gRows[r].NextRow, ++guard)
        used += gRows[r].RowHeight;
    return (inner - used) / 5 * 5;
}

void ResetEditState() {
    for (int c = 0; c <= kCellPoolSize; ++c) {
        gCells[c] = SignCell{};
        gCells[c].NextFree = static_cast<int16_t>(c < kCellPoolSize ? c + 1 : 0);
    }
    gCells[0].NextFree = 0;
    for (int r = 0; r <= kRowPoolSize; ++r) {
        gRows[r] = EditRow{};
        gRows[r].NextFreeRow = static_cast<int16_t>(r < kRowPoolSize ? r + 1 : 0);
    }
    gRows[0].NextFreeRow = 0;
    gCellFreeHead = 1;
    gRowFreeHead = 1;
    gStartRow = 0;
    gCurrentRow = 1;
    gCursorCell = 0;
    gCursorBeforeCell = -1;
    gCursorX = 0;
    gCursorY = 0;
    gCharHeight = 0;
    gRelinkEmptyRow = 0;
    gTextAlignment = 1;
    gAutoMode = 0;
}

}  // namespace kv
