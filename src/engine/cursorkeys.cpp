#include "engine/cursorkeys.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "data/charmap.h"
#include "engine/alignment.h"
#include "engine/editstate.h"
#include "engine/graphictools.h"
#include "engine/routefield.h"
#include "engine/routenumber.h"
#include "platform/ports.h"
#include "platform/vb.h"

namespace kv {

namespace {

void ReapplyRowAlignment() {
    if (IsRowIndex(gCurrentRow)) SetAlignment(Row(gCurrentRow).Alignment, false, true, true);
}

// The cursor after cell c.
void CursorAfter(int16_t c) {
    gCursorCell = c;
    gCursorX = CIntClamp(Cell(c).X + Cell(c).Width);
    gCursorY = Cell(c).Y;
    gCursorBeforeCell = 0;
}

// The field of the first row while the cursor is in it: the cell beside it.
bool FirstRowField(int16_t& boundary) {
    int16_t width = 0, flag = 0;
    std::string text;
    boundary = 0;
    return gCurrentRow == gStartRow && GetSelectionInfo(width, boundary, text, flag);
}

// The cell of a row nearest in x to x0: the scan runs from the row's first
// cell while the distance shrinks.
int16_t NearestCell(int16_t first, int32_t x0) {
    const int16_t last = LastCellOfRow(first);
    int16_t best = first;
    int32_t prev = std::abs(x0 - Cell(first).X);
    for (int16_t c = first, guard = 0; c != last && IsUsedCell(Cell(c).Next) && guard < kCellPoolSize; ++guard) {
        c = Cell(c).Next;
        const int32_t d = std::abs(x0 - Cell(c).X);
        if (d >= prev) break;
        best = c;
        prev = d;
    }
    return best;
}

void PageKey(int16_t keyCode) {
    if (!IsRowIndex(gCurrentRow)) return;
    const int16_t target = keyCode == 33 ? Row(gCurrentRow).PrevRow : Row(gCurrentRow).NextRow;
    if (!IsRowIndex(target)) return;
    const int32_t x0 = IsUsedCell(gCursorCell) ? Cell(gCursorCell).X : gCursorX;
    gCurrentRow = target;
    const int16_t first = Row(target).FirstCell;
    if (!IsUsedCell(first)) {
        // An empty row: the cursor stands at its start, one row pitch below
        // the row above, and the row stays.
        if (keyCode == 34) gCursorY = CIntClamp(gCursorY + gCharHeight);
        else gCursorY = CIntClamp(std::max(0, gCursorY - gCharHeight));
        gCursorBeforeCell = -1;
        ReapplyRowAlignment();
        return;
    }
    CursorAfter(NearestCell(first, x0));
    ReapplyRowAlignment();
}

}  // namespace

void FollowCursorFont() {
    if (!IsUsedCell(gCursorCell)) return;
    SignCell& c = Cell(gCursorCell);
    const std::string font(1, c.FontCode);
    if (font == gCurrentFontCode) return;
    if (ReadCharMap(font) == CharMapStatus::Taken && !gCurrentFontCode.empty()) c.FontCode = gCurrentFontCode[0];
}

void TextCursorKey(int16_t keyCode) {
    if (!IsRowIndex(gCurrentRow)) return;
    const int16_t first = Row(gCurrentRow).FirstCell;
    switch (keyCode) {
    case 33:
    case 34:
        PageKey(keyCode);
        break;
    case 35: {
        if (!IsUsedCell(first)) return;
        int16_t c = LastCellOfRow(first), boundary = 0;
        if (FirstRowField(boundary) && !gRouteNoLeft && IsUsedCell(boundary)) c = boundary;
        CursorAfter(c);
        break;
    }
    case 36: {
        if (!IsUsedCell(first)) return;
        int16_t boundary = 0;
        const bool field = FirstRowField(boundary) && gRouteNoLeft && IsUsedCell(boundary);
        // With the route number at the left end the row's text starts after it.
        gCursorCell = field ? boundary : first;
        gCursorBeforeCell = -1;
        gCursorX = Cell(gCursorCell).X;
        gCursorY = Cell(gCursorCell).Y;
        break;
    }
    case 37: {
        const int16_t c = gCursorCell;
        if (!IsUsedCell(c)) return;
        const int16_t prev = Cell(c).Prev;
        if (gCursorBeforeCell && IsUsedCell(prev)) {
            CursorAfter(prev);
            if (IsRowIndex(Row(gCurrentRow).PrevRow)) gCurrentRow = Row(gCurrentRow).PrevRow;
            ReapplyRowAlignment();
        } else if (c == first) {
            gCursorX = Cell(c).X;
            gCursorY = Cell(c).Y;
            gCursorBeforeCell = -1;
        } else if (IsUsedCell(prev)) {
            CursorAfter(prev);
        }
        break;
    }
    case 38:
        gCursorY = static_cast<int16_t>(std::max(0, gCursorY - 5));
        return;
    case 40:
        gCursorY = CIntClamp(gCursorY + 5);
        return;
    case 39: {
        const int16_t c = gCursorCell;
        if (!IsUsedCell(c)) return;
        if (gCursorBeforeCell) {
            CursorAfter(c);
            break;
        }
        bool rowChanged = false;
        if (Cell(c).RowEnd && IsRowIndex(Row(gCurrentRow).NextRow)) {
            gCurrentRow = Row(gCurrentRow).NextRow;
            rowChanged = true;
        }
        if (IsUsedCell(Cell(c).Next)) {
            CursorAfter(Cell(c).Next);
            if (rowChanged) ReapplyRowAlignment();
        }
        break;
    }
    default:
        return;
    }
    FollowCursorFont();
}

void K4000_PageUp() {
    if (!ControlsPort().SignPictureHasFocus() || gAreaSelected || gEditorActive != 1) return;
    TextCursorKey(33);
}

void K4000_PageDown() {
    if (!ControlsPort().SignPictureHasFocus() || gAreaSelected || gEditorActive != 1) return;
    TextCursorKey(34);
    TextCursorKey(35);
}

}  // namespace kv
