#include "engine/editstate.h"

#include <algorithm>

#include "data/charmap.h"
#include "data/language.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/routefield.h"
#include "engine/routenumber.h"
#include "platform/host.h"
#include "platform/reset.h"
#include "platform/vb.h"

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
int16_t gEditorActive = 1;
int16_t gAutoMode = 0;
int16_t gNoEditorPaint = -1;
int16_t gTextModified = 0;
EditorHooks gEditorHooks;

int16_t PageFirstCell() {
    int guard = 0;
    for (int r = gStartRow; IsRowIndex(r) && guard < kRowPoolSize; r = Row(r).NextRow, ++guard)
        if (IsUsedCell(Row(r).FirstCell)) return Row(r).FirstCell;
    return 0;
}

int32_t EditorInnerWidth() {
    if (!IsSignAddress(gCurrentSign)) return 0;
    return 5 * static_cast<int32_t>(SignInfoOf(gCurrentSign).Width);
}

int32_t EditorInnerHeight() {
    if (!IsSignAddress(gCurrentSign)) return 0;
    return 5 * static_cast<int32_t>(SignInfoOf(gCurrentSign).Height);
}

int32_t CalcRowCount() {
    const int32_t inner = EditorInnerHeight();
    if (!gAutoMode) return inner;
    int32_t used = 0;
    int guard = 0;
    for (int r = gStartRow; IsRowIndex(r) && guard < kRowPoolSize; r = Row(r).NextRow, ++guard)
        used += Row(r).RowHeight;
    return (inner - used) / 5 * 5;
}

void InitRow(int16_t row) {
    if (!IsRowIndex(row)) return;
    EditRow& r = Row(row);
    if (row == gStartRow) gStartRow = r.NextRow;
    r.FirstCell = 0;
    int32_t w = EditorInnerWidth();
    if (gShowLineNo) w -= gRouteNoAreaWidth;
    r.FreeWidth = CIntClamp(w);
    r.NextRow = 0;
    r.PrevRow = 0;
    r.CellCount = 0;
    r.RowHeight = 0;
    r.NextFreeRow = gRowFreeHead;
    gRowFreeHead = row;
}

void ClearCell(int16_t cell) {
    if (!IsCellIndex(cell)) return;
    SignCell& c = Cell(cell);
    c = SignCell{};
    c.NextFree = gCellFreeHead;
    gCellFreeHead = cell;
}

void FreeAllCells() {
    for (int c = 1; c <= kCellPoolSize; ++c) {
        gCells[c] = SignCell{};
        gCells[c].NextFree = static_cast<int16_t>(c < kCellPoolSize ? c + 1 : 0);
    }
    gCellFreeHead = 1;
}

int16_t AllocCell() {
    if (!IsCellIndex(gCellFreeHead)) {
        MsgBox(gTextS31, vbExclamation);
        return 0;
    }
    int16_t c = gCellFreeHead;
    gCellFreeHead = Cell(c).NextFree;
    Cell(c).NextFree = 0;
    return c;
}

bool IsSpecialGlyph(int16_t code) { return code >= kFirstPlaceholder && code <= kLastPlaceholder; }

int16_t CellGlyphOf(int16_t code) {
    const int16_t g = (code >= 32 && code <= 255) ? gCharMap[code - 32] : 0;
    return g == 0 && IsSpecialGlyph(code) ? code : g;
}

void SetCellChar(int16_t cell, int16_t code) {
    if (!IsCellIndex(cell)) return;
    SignCell& c = Cell(cell);
    c.CharCode = code;
    c.GlyphCode = CellGlyphOf(code);
    c.FontCode = gCurrentFontCode.empty() ? '0' : gCurrentFontCode[0];
    c.RowEnd = 0;
}

int16_t LastCellOfRow(int16_t cell) {
    if (!IsCellIndex(cell)) return 0;
    int16_t c = cell;
    for (int guard = 0; guard < kCellPoolSize; ++guard) {
        const SignCell& sc = Cell(c);
        if (sc.RowEnd || !IsCellIndex(sc.Next) || sc.Next == c) break;
        c = sc.Next;
    }
    return c;
}

int16_t FirstCellOfRow(int16_t cell, bool skipField) {
    if (!IsCellIndex(cell)) return 0;
    int16_t c = cell;
    if (!IsCellIndex(Cell(c).Prev)) c = LastCellOfRow(cell);
    for (int guard = 0;; ++guard) {
        int16_t p = Cell(c).Prev;
        if (p == c || guard >= kCellPoolSize) {
            int16_t used = CountUsedCells();
            return used > 0 ? used : 1;
        }
        if (!IsCellIndex(p) || Cell(p).RowEnd) break;
        c = p;
    }
    if (skipField && Cell(c).FieldPos != 0) {
        int16_t f = c;
        for (int guard = 0; IsCellIndex(f) && Cell(f).FieldPos != 0 && guard < kCellPoolSize; ++guard)
            f = Cell(f).Next;
        if (IsCellIndex(f)) c = f;
    }
    return c;
}

bool RowHasRoom(int16_t row, int16_t width) {
    if (!IsRowIndex(row)) return false;
    return Row(row).FreeWidth >= width;
}

void UpdateRowEnd(int16_t row) {
    if (!IsRowIndex(row)) return;
    EditRow& r = Row(row);
    int16_t h = 0;
    int16_t c = r.FirstCell;
    for (int i = 0; i < r.CellCount && IsCellIndex(c); ++i) {
        h = std::max(h, Cell(c).Height);
        c = Cell(c).Next;
    }
    r.RowHeight = h;
}

void SetRowTop(int16_t row, int16_t dy) {
    if (!IsRowIndex(row)) return;
    const EditRow& r = Row(row);
    int16_t c = r.FirstCell;
    for (int i = 0; i < r.CellCount && IsCellIndex(c); ++i) {
        Cell(c).Y = CIntClamp(Cell(c).Y + dy);
        c = Cell(c).Next;
    }
}

void RecalcRowWidths() {
    if (!IsRowIndex(gCurrentRow)) return;
    EditRow& row = Row(gCurrentRow);
    const int32_t w5 = EditorInnerWidth();
    const int32_t a = gRouteNoAreaWidth + 5;
    if (!IsCellIndex(row.FirstCell)) {
        row.FreeWidth = CIntClamp(gShowLineNo ? w5 - a : w5);
        return;
    }
    const SignCell& first = Cell(row.FirstCell);
    const SignCell& last = Cell(LastCellOfRow(row.FirstCell));
    const int32_t right = last.X + last.Width;
    const int32_t span = right - first.X;

    int16_t fieldWidth = 0, boundary = 0, onlyField = 0;
    std::string fieldText;
    const bool field = GetSelectionInfo(fieldWidth, boundary, fieldText, onlyField);
    const bool areaRight = gRouteNoLeft == 0;

    int32_t free;
    switch (gTextAlignment) {
    case 0:
    case 1:
        if (gShowLineNo && areaRight) {
            free = w5 - a - right;
        } else if (areaRight && field) {
            free = w5 - (fieldWidth + 5);
            if (!onlyField && IsCellIndex(boundary)) free -= Cell(boundary).X + Cell(boundary).Width;
        } else {
            free = w5 - right;
        }
        break;
    case 2:
        if (gShowLineNo && !areaRight) {
            free = first.X - a;
        } else if (!(!areaRight && field)) {
            free = first.X;
        } else if (onlyField) {
            free = w5 - fieldWidth;
        } else {
            free = row.FreeWidth - 5;
        }
        break;
    case 3:
        free = (gShowLineNo ? w5 - a : w5) - span;
        break;
    default:
        return;  // any other alignment leaves the free width as it was
    }
    row.FreeWidth = CIntClamp(free + 5);
}

void ResetEditState() {
    gCells[0] = SignCell{};
    FreeAllCells();
    for (int r = 0; r <= kRowPoolSize; ++r) {
        gRows[r] = EditRow{};
        gRows[r].NextFreeRow = static_cast<int16_t>(r < kRowPoolSize ? r + 1 : 0);
    }
    gRows[0].NextFreeRow = 0;
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
    gNoEditorPaint = -1;
    gTextModified = 0;
    gEditorActive = 1;
    gEditorHooks = EditorHooks{};
}

namespace {
const ResetRegistrar kReset("edit state", StateLayer::Engine, ResetEditState);
}  // namespace

}  // namespace kv
