#include "engine/alignment.h"

#include <string>

#include "engine/editorview.h"
#include "engine/editstate.h"
#include "engine/graphictools.h"
#include "engine/routefield.h"
#include "engine/routenolayout.h"
#include "engine/routenumber.h"
#include "engine/rowlookup.h"
#include "engine/rowtidy.h"
#include "engine/signview.h"
#include "engine/textedit.h"
#include "platform/ports.h"
#include "platform/vb.h"

namespace kv {

namespace {

// The route-number field of the first row as far as it concerns the cursor
// row: the row is the first row and holds the field.
struct RowField {
    bool inRow = false;
    int16_t width = 0;     // the field's width
    int16_t boundary = 0;  // the non-field cell beside the field
    bool onlyField = false;
};

RowField FieldOfCursorRow() {
    RowField f;
    std::string text;
    int16_t flag = 0;
    const bool marked = GetSelectionInfo(f.width, f.boundary, text, flag);
    f.inRow = marked && gCurrentRow == gStartRow;
    f.onlyField = flag != 0;
    return f;
}

int32_t RightEdge(int16_t c) { return Cell(c).X + Cell(c).Width; }

// Moves the row's cells from start (to stop, -1 the row's end) by dx; the
// cursor follows its cell, a selection moves along.
void MoveRowCells(int16_t start, int16_t dx, int16_t stop) {
    if (IsUsedCell(start) && dx != 0) ShiftCells(start, dx, stop, false);
    if (IsUsedCell(gCursorCell) && FindRowOfCell(gCursorCell) == gCurrentRow) {
        const SignCell& c = Cell(gCursorCell);
        gCursorX = CIntClamp(gCursorBeforeCell ? c.X : c.X + c.Width);
    } else {
        gCursorX = CIntClamp(gCursorX + dx);
    }
    RedrawEditor();
    if (gAreaSelected) {
        SignPicturePort().ClearSignPictureColor(kBlack);
        gSelX1 = CIntClamp(gSelX1 + dx);
        gSelX2 = CIntClamp(gSelX2 + dx);
        SignPicturePort().ClearSignPictureColor(kWhite);
    }
}

// The first row's route-number field goes to its end of the sign: its
// first cell to 0 (route number at the left) or its last cell's right edge
// to the sign's end and its dot of spacing. False, with the cursor placed,
// when the row holds nothing but the field.
bool FieldToItsEnd(int16_t first, const RowField& field, int32_t w5) {
    const bool all = field.onlyField || !IsUsedCell(field.boundary);
    if (gRouteNoLeft) {
        const int16_t stop = all ? int16_t{-1} : Cell(field.boundary).Prev;
        ShiftCells(first, CIntClamp(-Cell(first).X), stop, true);
    } else {
        const int16_t start = all ? first : Cell(field.boundary).Next;
        if (IsUsedCell(start)) ShiftCells(start, CIntClamp(w5 + 5 - RightEdge(LastCellOfRow(first))), -1, true);
    }
    if (all) MoveRowCells(first, 0, -1);
    return !all;
}

void AlignLeft(int16_t first, const RowField& field, int32_t m, int32_t w5) {
    const bool areaLeft = gShowLineNo && gRouteNoLeft;
    int32_t target = areaLeft ? m : 0;
    if (!IsUsedCell(first)) {
        gCursorX = CIntClamp(target);
        return;
    }
    int16_t start = first, stop = -1;
    if (field.inRow) {
        if (!FieldToItsEnd(first, field, w5)) return;
        if (gRouteNoLeft) {
            // The text starts right after the field.
            start = field.boundary;
            target = RightEdge(Cell(field.boundary).Prev);
        } else {
            stop = field.boundary;
        }
    }
    MoveRowCells(start, CIntClamp(target - Cell(start).X), stop);
}

void AlignRight(int16_t first, const RowField& field, int32_t m, int32_t w5) {
    const bool areaRight = gShowLineNo && !gRouteNoLeft;
    int32_t limit = areaRight ? w5 - m : w5 + 5;
    if (!IsUsedCell(first)) {
        gCursorX = CIntClamp(limit);
        return;
    }
    int16_t start = first, end = LastCellOfRow(first), stop = -1;
    if (field.inRow) {
        if (!FieldToItsEnd(first, field, w5)) return;
        if (gRouteNoLeft) {
            start = field.boundary;
        } else {
            // The text ends where the field at the right end begins.
            end = stop = field.boundary;
            limit = Cell(Cell(field.boundary).Next).X;
        }
    }
    MoveRowCells(start, CIntClamp(limit - RightEdge(end)), stop);
}

void AlignCentre(int16_t first, int32_t m, int32_t w5) {
    if (IsUsedCell(first)) {
        CentreCurrentRow();
        return;
    }
    double x = w5 / 2.0;
    if (m > 0) x = gRouteNoLeft ? (w5 + m) / 2.0 : (w5 - m) / 2.0;
    gCursorX = CIntClamp(RoundHalfEven(x));
}

}  // namespace

void ReleaseAlignmentKeys() {
    for (int16_t b : {int16_t{10}, int16_t{11}, int16_t{12}}) CommandPort().SetToolbarButtonValue(b, 0);
}

void ShowAlignmentKeys(int16_t alignment) {
    const int16_t pressed = alignment == 1 ? 10 : alignment == 3 ? 11 : alignment == 2 ? 12 : 0;
    for (int16_t b : {int16_t{10}, int16_t{11}, int16_t{12}}) CommandPort().SetToolbarButtonValue(b, b == pressed ? 1 : 0);
}

int32_t AlignmentMargin() {
    if (gShowLineNo) return gRouteNoAreaWidth + 5;
    const RowField f = FieldOfCursorRow();
    return f.inRow ? f.width : 0;
}

void SetAlignment(int16_t alignment, bool keepKeys, bool redraw, bool /*flag4*/) {
    const RowField field = FieldOfCursorRow();
    ReleaseAlignmentKeys();
    const int32_t m = gShowLineNo ? gRouteNoAreaWidth + 5 : field.inRow ? field.width : 0;
    const int32_t w5 = EditorInnerWidth();
    const int16_t first = IsRowIndex(gCurrentRow) ? Row(gCurrentRow).FirstCell : 0;
    int16_t button = 0;
    switch (alignment) {
    case 1:
        AlignLeft(first, field, m, w5);
        button = 10;
        break;
    case 2:
        AlignRight(first, field, m, w5);
        button = 12;
        break;
    case 3:
        AlignCentre(first, gShowLineNo ? m : 0, w5);
        button = 11;
        break;
    default:
        break;
    }
    if (!keepKeys && button != 0) CommandPort().SetToolbarButtonValue(button, 1);
    gTextAlignment = alignment;
    if (IsRowIndex(gCurrentRow)) Row(gCurrentRow).Alignment = alignment;
    if (redraw) ShowSign(false, false);
}

}  // namespace kv
