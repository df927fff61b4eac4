#include "engine/textedit.h"

#include <algorithm>
#include <vector>

#include "data/charmap.h"
#include "data/inverted.h"
#include "data/language.h"
#include "engine/dotlayers.h"
#include "engine/editorview.h"
#include "engine/centring.h"
#include "engine/editstate.h"
#include "engine/fontlib.h"
#include "engine/graphictools.h"
#include "engine/routefield.h"
#include "engine/routenumber.h"
#include "engine/rowlookup.h"
#include "engine/shownpages.h"
#include "platform/ports.h"
#include "platform/host.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

int16_t gRowFullWarning = 0;
int16_t gSuppressRowFullWarning = 0;
int16_t gCutRowsAtWidth = 0;
int16_t gIndentBesideTall = -1;

namespace {

void MarkRow(int16_t row) {
    if (gEditorHooks.markRow) gEditorHooks.markRow(row);
}

void ShowRowFull() { MsgBox(gTextS32 + "\r\n" + gTextS33, vbExclamation); }

// The overfull-row warning as far as gRowFullWarning allows it.
void WarnRowFull() {
    if (gRowFullWarning >= 2 || gSuppressRowFullWarning) return;
    ShowRowFull();
    if (gRowFullWarning == 1) gRowFullWarning = 2;
}

void LinkAfter(int16_t c, int16_t k) {
    SignCell& kc = Cell(k);
    Cell(c).Prev = k;
    Cell(c).Next = kc.Next;
    if (IsCellIndex(kc.Next)) Cell(kc.Next).Prev = c;
    kc.Next = c;
}

void LinkBefore(int16_t c, int16_t k) {
    SignCell& kc = Cell(k);
    Cell(c).Next = k;
    Cell(c).Prev = kc.Prev;
    if (IsCellIndex(kc.Prev)) Cell(kc.Prev).Next = c;
    kc.Prev = c;
}

// The cells of a row from its first cell to its end.
std::vector<int16_t> RowCells(int16_t first) {
    std::vector<int16_t> cells;
    int16_t c = first;
    for (int guard = 0; IsUsedCell(c) && guard < kCellPoolSize; ++guard) {
        cells.push_back(c);
        const SignCell& sc = Cell(c);
        if (sc.RowEnd || sc.Next == c) break;
        c = sc.Next;
    }
    return cells;
}

// The first cell of the first row below `row` that holds cells.
int16_t FirstCellBelow(int16_t row) {
    int guard = 0;
    for (int r = Row(row).NextRow; IsRowIndex(r) && guard < kRowPoolSize; r = Row(r).NextRow, ++guard)
        if (IsUsedCell(Row(r).FirstCell)) return Row(r).FirstCell;
    return 0;
}

// The last cell of the nearest row above `row` that holds cells.
int16_t LastCellAbove(int16_t row) {
    int guard = 0;
    for (int r = Row(row).PrevRow; IsRowIndex(r) && guard < kRowPoolSize; r = Row(r).PrevRow, ++guard)
        if (IsUsedCell(Row(r).FirstCell)) return LastCellOfRow(Row(r).FirstCell);
    return 0;
}

// After rows were joined or removed: the cursor names a cell of the current
// row, or, in an empty row, the last cell above it.
void SettleCursor() {
    const int16_t first = Row(gCurrentRow).FirstCell;
    if (!IsUsedCell(first)) {
        gCursorCell = LastCellAbove(gCurrentRow);
        gCursorBeforeCell = -1;
        return;
    }
    if (FindRowOfCell(gCursorCell) != gCurrentRow) {
        gCursorCell = LastCellOfRow(first);
        gCursorBeforeCell = 0;
        gCursorX = static_cast<int16_t>(Cell(gCursorCell).X + Cell(gCursorCell).Width);
        gCursorY = Cell(gCursorCell).Y;
    }
}

void CursorToRightEdge() {
    if (!IsUsedCell(gCursorCell)) return;
    const SignCell& c = Cell(gCursorCell);
    gCursorX = CIntClamp(c.X + c.Width);
    gCursorY = c.Y;
    gCursorBeforeCell = 0;
}

enum class Place {
    EmptyPage,  // no cursor cell: the cell opens the chain (or the row)
    RowAbove,   // the row is empty: after the last cell of the row above
    Before,     // before the row's first cell
    AfterEnd,   // after the row's last cell, another row follows
    Middle,     // between two cells of the row
    Append,     // after the last cell of the chain
};

// Puts a measured new cell c into the current row at the cursor (the
// common part of typing and placeholder insertion). Returns false when it
// was refused (c is then back on the free list).
bool PlaceNewCell(int16_t c, int16_t code, int16_t w, int16_t h, int16_t repaint, int16_t fieldPos, bool ok,
                  bool placeholder) {
    EditRow& row = Row(gCurrentRow);
    int16_t k = IsUsedCell(gCursorCell) ? gCursorCell : 0;
    const bool rowEmpty = !IsUsedCell(row.FirstCell);
    // A character typed into an empty row follows the last cell of the rows
    // above it (or opens the chain), whatever cell the cursor names.
    if (rowEmpty) k = LastCellAbove(gCurrentRow);
    if (k == 0 && !rowEmpty) {
        k = row.FirstCell;
        gCursorBeforeCell = -1;
    }

    Place place;
    if (k == 0)
        place = Place::EmptyPage;
    else if (rowEmpty)
        place = Place::RowAbove;
    else if (gCursorBeforeCell)
        place = Place::Before;
    else if (Cell(k).RowEnd)
        place = Place::AfterEnd;
    else if (IsCellIndex(Cell(k).Next))
        place = Place::Middle;
    else
        place = Place::Append;

    if (!placeholder && place == Place::Middle && Cell(k).FieldPos != 0 && Cell(Cell(k).Next).FieldPos != 0) {
        Beep();
        ClearCell(c);
        return false;
    }

    // A dot column from 176 on has no position byte.
    int32_t rightmost = gCursorX;
    if ((place == Place::Before || place == Place::Middle) && !rowEmpty) {
        const SignCell& last = Cell(LastCellOfRow(row.FirstCell));
        rightmost = std::max<int32_t>(rightmost, last.X + w);
    }
    if (rightmost / 5 > kMaxDotColumn) {
        ClearCell(c);
        Beep();
        MarkRow(gCurrentRow);
        WarnRowFull();
        return false;
    }

    SetCellChar(c, code);
    row.RowHeight = std::max(row.RowHeight, h);

    bool redraw = false;
    switch (place) {
    case Place::EmptyPage: {
        row.FirstCell = c;
        gCursorBeforeCell = 0;
        const int16_t below = FirstCellBelow(gCurrentRow);
        if (below != 0) {
            Cell(c).Next = below;
            Cell(below).Prev = c;
            Cell(c).RowEnd = -1;
        }
        if (!placeholder) gRelinkEmptyRow = 0;
        break;
    }
    case Place::RowAbove:
        Cell(k).RowEnd = -1;
        LinkAfter(c, k);
        row.FirstCell = c;
        if (IsCellIndex(Cell(c).Next)) Cell(c).RowEnd = -1;
        if (!placeholder) gRelinkEmptyRow = 0;
        gCursorBeforeCell = 0;
        redraw = true;
        break;
    case Place::Before:
        ShiftCells(k, w, -1, false);
        ClearCellRect(gCursorX, gCursorY, w, h);
        LinkBefore(c, k);
        row.FirstCell = c;
        gCursorBeforeCell = 0;
        redraw = true;
        break;
    case Place::AfterEnd:
        Cell(k).RowEnd = 0;
        Cell(c).RowEnd = -1;
        LinkAfter(c, k);
        break;
    case Place::Middle:
        ShiftCells(Cell(k).Next, w, -1, false);
        ClearCellRect(gCursorX, gCursorY, w, h);
        LinkAfter(c, k);
        break;
    case Place::Append:
        LinkAfter(c, k);
        break;
    }

    Cell(c).FieldPos = fieldPos;
    gInPicWidth = w;
    gInPicHeight = h;
    ResizeCellsToFont(c);

    gCursorCell = c;
    gCursorX = CIntClamp(gCursorX + w);
    row.FreeWidth = CIntClamp(row.FreeWidth - w);
    row.CellCount = CIntClamp(row.CellCount + 1);

    if (redraw && gAutoMode) {
        if (repaint != -1) {
            CenterRowVertically();
            RedrawEditor();
        }
        CursorToRightEdge();
    }

    if (!ok) {
        MarkRow(gCurrentRow);
        WarnRowFull();
    }
    return true;
}

// Deletes one cell d of the current row (steps shared by the single and the
// field deletion). In a field deletion the cells after d move whatever they
// are, so that what follows the field closes up by the field's whole width
// from either side.
void DeleteOne(int16_t d, bool inField) {
    EditRow& row = Row(gCurrentRow);
    const SignCell old = Cell(d);
    const bool wasFirst = row.FirstCell == d;

    row.FreeWidth = CIntClamp(row.FreeWidth + old.Width);
    row.CellCount = CIntClamp(std::max(0, row.CellCount - 1));

    if (wasFirst) {
        if (row.CellCount > 0) {
            row.FirstCell = old.Next;
            gCursorCell = old.Next;
        } else {
            row.FirstCell = 0;
            int16_t p = old.Prev;
            for (int guard = 0; IsUsedCell(p) && Cell(p).FieldPos != 0 && guard < kCellPoolSize; ++guard)
                p = Cell(p).Prev;
            // Without a cell before it the cursor has no cell: the next
            // character opens the chain again.
            gCursorCell = IsUsedCell(p) ? p : 0;
        }
        gCursorBeforeCell = -1;
    } else {
        gCursorCell = old.Prev;
        gCursorBeforeCell = 0;
    }

    if (IsCellIndex(old.Prev)) {
        Cell(old.Prev).Next = old.Next;
        if (!wasFirst) Cell(old.Prev).RowEnd = old.RowEnd;
    }
    if (IsCellIndex(old.Next)) Cell(old.Next).Prev = old.Prev;
    gRelinkEmptyRow =
        VbBool(row.CellCount == 0 && row.NextRow != 0 && old.RowEnd != 0 && IsCellIndex(old.Next));

    ClearCellRect(old.X, old.Y, old.Width, old.Height);
    if (IsCellIndex(old.Next) && !old.RowEnd) ShiftCells(old.Next, CIntClamp(-old.Width), -1, inField);
    gCursorX = old.X;
    gCursorY = old.Y;
    UpdateRowEnd(gCurrentRow);
    ClearCell(d);
}

// Takes an empty row out of the row chain; the row above becomes current.
void UnlinkRow(int16_t r) {
    const int16_t above = Row(r).PrevRow;
    const int16_t below = Row(r).NextRow;
    if (IsRowIndex(above)) Row(above).NextRow = below;
    if (IsRowIndex(below)) Row(below).PrevRow = above;
    // The chain's last cell ends its row only while an empty row follows.
    if (!IsRowIndex(below) && IsRowIndex(above) && IsUsedCell(Row(above).FirstCell)) {
        const int16_t last = LastCellOfRow(Row(above).FirstCell);
        if (!IsCellIndex(Cell(last).Next)) Cell(last).RowEnd = 0;
    }
    InitRow(r);
    gRelinkEmptyRow = 0;
    if (IsRowIndex(above)) gCurrentRow = above;
}

void MoveRowsBelowUp(int16_t r) {
    int guard = 0;
    for (int16_t b = Row(r).NextRow; IsRowIndex(b) && guard < kRowPoolSize; b = Row(b).NextRow, ++guard)
        SetRowTop(b, CIntClamp(-gCharHeight));
}

}  // namespace

bool CharCodeOf(int16_t code) {
    if (code < 32 || code > 255) return false;
    if (code == '#' || code == '\\' || code == '<' || code == '>' || code == 255) return false;
    if (IsSpecialGlyph(code)) {
        // Every character the placeholder stands for is there and drawable.
        const std::string chars = PlaceholderChars(code);
        if (static_cast<int>(chars.size()) != code - kFirstPlaceholder + 1) return false;
        return std::all_of(chars.begin(), chars.end(), [](char ch) {
            const int c = static_cast<unsigned char>(ch);
            return c >= 32 && gCharMap[c - 32] != 0;
        });
    }
    const int16_t glyph = gCharMap[code - 32];
    return glyph != 0 && glyph < kGlyphCodes;
}

void InsertChar(int16_t code, int16_t repaint, int16_t fieldPos) {
    // A cell without a font would read as a free one.
    if (!IsRowIndex(gCurrentRow) || gCurrentFontCode.empty() || gCurrentFontCode[0] == '0') return;
    int16_t w, h;
    DrawGlyph(gCurrentFontCode, code, w, h);
    // A character the font cannot draw (a loaded placeholder whose
    // characters the route number lacks) still stands on the row at the
    // font's height: a page's bytes place a run by its first cell's bottom
    // row, so a cell of no height would move its run up at every store.
    if (h == 0) h = gCharHeight;
    const int16_t c = AllocCell();
    if (c == 0) return;
    bool ok = RowHasRoom(gCurrentRow, w);
    if (!ok) {
        RecalcRowWidths();
        ok = RowHasRoom(gCurrentRow, w);
    }
    if (!ok && gCutRowsAtWidth) {
        ClearCell(c);
        return;
    }
    PlaceNewCell(c, code, w, h, repaint, fieldPos, ok, false);
}

void InsertLineNoField(int16_t n) {
    if (n < 1 || n > 5 || !IsRowIndex(gCurrentRow) || gCurrentFontCode.empty() || gCurrentFontCode[0] == '0') return;
    const int16_t code = static_cast<int16_t>(249 + n);
    if (!CharCodeOf(code)) return;
    int16_t w, h;
    DrawSpecialGlyph(gCurrentFontCode, code, w, h);
    const int16_t c = AllocCell();
    if (c == 0) return;
    if (!RowHasRoom(gCurrentRow, w)) {
        ClearCell(c);
        Beep();
        MarkRow(gCurrentRow);
        ShowRowFull();
        return;
    }
    PlaceNewCell(c, code, w, h, 0, 0, true, true);
}

void DeleteCharAtCursor() {
    int16_t c = gCursorCell;
    if (!IsUsedCell(c)) return;
    // The counts are kept by the row that holds the cell.
    const int16_t holder = FindRowOfCell(c);
    if (holder == 0) return;
    gCurrentRow = holder;

    const bool field = Cell(c).FieldPos != 0;
    bool placeholder = false;
    if (!field) {
        placeholder = IsSpecialGlyph(Cell(c).CharCode);
        DeleteOne(c, false);
    } else {
        // The whole field goes, from the end away from the route number's
        // side; the walks stay inside the row.
        const bool forward = gRouteNoLeft != 0;
        auto fieldCellBefore = [](int16_t x) {
            const int16_t p = Cell(x).Prev;
            return IsUsedCell(p) && Cell(p).FieldPos != 0 && !Cell(p).RowEnd ? p : int16_t{0};
        };
        auto fieldCellAfter = [](int16_t x) {
            const int16_t n = Cell(x).Next;
            return IsUsedCell(n) && Cell(n).FieldPos != 0 && !Cell(x).RowEnd ? n : int16_t{0};
        };
        for (int guard = 0; guard < kCellPoolSize; ++guard) {
            const int16_t n = forward ? fieldCellBefore(c) : fieldCellAfter(c);
            if (n == 0) break;
            c = n;
        }
        for (int guard = 0; IsUsedCell(c) && guard < kCellPoolSize; ++guard) {
            const int16_t n = forward ? fieldCellAfter(c) : fieldCellBefore(c);
            const bool more = n != 0;
            placeholder = placeholder || IsSpecialGlyph(Cell(c).CharCode);
            DeleteOne(c, true);
            if (!more) break;
            c = n;
        }
    }

    if (field || placeholder) {
        if (gEditorHooks.setEditMenuState) gEditorHooks.setEditMenuState(0);
        // A page left without any cell or graphic starts afresh, so that
        // cells are handed out in index order again.
        if (gCurrentRow == gStartRow && Row(gCurrentRow).FirstCell == 0 && FirstCellOfRow(1, false) == 1 &&
            PageFirstCell() == 0 && !gHasGraphic) {
            const int16_t editor = CurrentGraphicEditor();
            const ShownPage held = editor >= 0 ? gShownPages[static_cast<size_t>(editor)] : ShownPage{};
            PrepareTextLayer();
            ClearGraphicLayer();
            RefreshEditor(0, 0);
            // The user deleted the page's last character.
            NoteEmptiedByUser(editor, held);
            if (gEditorHooks.cancelMarking) gEditorHooks.cancelMarking();
            gTextModified = 0;
            gRouteNoFieldTyped = 0;
        }
    }
}

void DeleteSelectedRun() {
    const int16_t first = FirstCellOfRow(gCursorCell, false);
    for (int16_t c : RowCells(first)) {
        if (Cell(c).FieldPos != 0) {
            gCursorCell = c;
            DeleteCharAtCursor();
            return;
        }
    }
}

int16_t GetSelectedText(std::string& text, int16_t& firstOther, int16_t& flag) {
    text.clear();
    firstOther = 0;
    if (!IsRowIndex(gStartRow)) return 0;
    const std::vector<int16_t> cells = RowCells(Row(gStartRow).FirstCell);
    const bool right = gRouteNoLeft == 0;
    int16_t firstField = 0, lastField = 0, before = 0, after = 0;
    size_t fieldCells = 0;
    for (int16_t c : cells) {
        const SignCell& sc = Cell(c);
        if (sc.FieldPos != 0) {
            text += Chr(sc.CharCode);
            if (firstField == 0) firstField = c;
            lastField = c;
            ++fieldCells;
        } else if (firstField == 0) {
            before = c;
        } else if (after == 0) {
            after = c;
        }
    }
    if (firstField == 0) return 0;
    firstOther = right ? before : after;
    const int16_t width = CIntClamp(Cell(lastField).X + Cell(lastField).Width - Cell(firstField).X);
    if (fieldCells == cells.size()) {
        flag = -1;
    } else if (right && firstOther == 0) {
        // Cells are handed out in index order after a reset: look the
        // neighbour up by index.
        std::vector<int16_t> candidates;
        if (gCellFreeHead > 1) {
            for (int i = Row(gStartRow).FirstCell; i >= 1 && i <= gCellFreeHead - 1; ++i) candidates.push_back(CIntClamp(i));
        } else {
            candidates = RowCells(FirstCellOfRow(1, false));
        }
        for (int16_t i : candidates)
            if (IsUsedCell(i) && Cell(i).Next == firstField) firstOther = i;
        if (firstOther == 0) {
            for (int16_t i : candidates) {
                if (IsUsedCell(i) && Cell(i).FieldPos == 0) {
                    firstOther = i;
                    break;
                }
            }
        }
    }
    return width;
}

void SplitRowAtCursor(bool silent) {
    if (!IsRowIndex(gCurrentRow)) return;
    EditRow& cur = Row(gCurrentRow);
    if (!IsUsedCell(cur.FirstCell)) return;

    if (FindRowOfCell(gCursorCell) != gCurrentRow) {
        gCursorCell = LastCellOfRow(cur.FirstCell);
        gCursorBeforeCell = 0;
    }

    const bool heightRoom = CalcRowCount() >= gCharHeight;
    bool fieldCase = false;
    if (!heightRoom) {
        int16_t fw = 0, fb = 0, ff = 0;
        std::string ft;
        fieldCase = GetSelectionInfo(fw, fb, ft, ff) && gRouteNoLeft == 0;
    }
    if (!heightRoom && !fieldCase) {
        if (!silent) {
            Beep();
            MarkRow(gCurrentRow);
            MsgBox(gTextS34, vbExclamation);
        }
        return;
    }
    const int16_t nr = gRowFreeHead;
    if (!IsRowIndex(nr)) {
        if (!silent) Beep();
        return;
    }
    gRowFreeHead = Row(nr).NextFreeRow;
    Row(nr).NextFreeRow = 0;

    if (fieldCase) {
        gCursorCell = LastCellOfRow(cur.FirstCell);
        gCursorBeforeCell = 0;
        const SignCell& first = Cell(cur.FirstCell);
        gCharHeight = first.Height;
        if (gAreaSelected && gEditorHooks.cancelMarking) gEditorHooks.cancelMarking();
        ReadCharMap(std::string(1, first.FontCode));
    }

    // Link the new row below the current one; everything below moves down.
    const int16_t oldNext = cur.NextRow;
    Row(nr).PrevRow = gCurrentRow;
    Row(nr).NextRow = oldNext;
    if (IsRowIndex(oldNext)) Row(oldNext).PrevRow = nr;
    cur.NextRow = nr;
    for (int16_t c = FirstCellBelow(nr), guard = 0; IsUsedCell(c) && guard < kCellPoolSize; c = Cell(c).Next, ++guard)
        Cell(c).Y = CIntClamp(Cell(c).Y + gCharHeight);

    // Where the new row starts.
    const SignCell& first = Cell(cur.FirstCell);
    int32_t x = first.X;
    const int32_t y = first.Y + gCharHeight + (gAutoMode ? 5 : 0);
    Row(nr).Alignment = cur.Alignment;
    if (gIndentBesideTall && first.Height > y) {
        x = first.Width + (gShowLineNo ? gRouteNoAreaWidth + 5 : 0);
        const std::vector<int16_t> cells = RowCells(cur.FirstCell);
        for (size_t i = 1; i < cells.size() && Cell(cells[i]).Height > y; ++i) x += Cell(cells[i]).Width;
        Row(nr).Alignment = 0;
    }
    const int32_t startX = x;

    // The cells after the cursor go into the new row.
    bool moved = false;
    const int16_t k = gCursorCell;
    if (IsUsedCell(k) && !Cell(k).RowEnd) {
        Cell(k).RowEnd = -1;
        const int16_t firstMoved = Cell(k).Next;
        int16_t n = firstMoved;
        for (int guard = 0; IsUsedCell(n) && guard < kCellPoolSize; ++guard) {
            SignCell& sc = Cell(n);
            const bool end = sc.RowEnd != 0 || !IsCellIndex(sc.Next);
            cur.FreeWidth = CIntClamp(cur.FreeWidth + sc.Width);
            cur.CellCount = CIntClamp(cur.CellCount - 1);
            Row(nr).FreeWidth = CIntClamp(Row(nr).FreeWidth - sc.Width);
            Row(nr).CellCount = CIntClamp(Row(nr).CellCount + 1);
            sc.X = CIntClamp(x);
            x += sc.Width;
            sc.Y = CIntClamp(sc.Y + y - first.Y);
            if (end) break;
            n = sc.Next;
        }
        if (IsUsedCell(firstMoved)) {
            Row(nr).FirstCell = firstMoved;
            gCursorCell = firstMoved;
            moved = true;
            UpdateRowEnd(nr);
            UpdateRowEnd(gCurrentRow);
        }
    }

    gCursorX = CIntClamp(startX);
    gCursorY = CIntClamp(y);
    gCurrentRow = nr;
    if (gAutoMode && !silent) CenterRowVertically();
    RedrawEditor();
    gCursorBeforeCell = -1;
    if (moved) {
        // The cursor stands before the moved cells, on their line.
        gCursorY = Cell(gCursorCell).Y;
    } else if (IsRowIndex(oldNext)) {
        // An empty row between two rows: the chain runs past it.
        gRelinkEmptyRow = -1;
    }
}

void ReflowRows() {
    const int16_t r = gCurrentRow;
    if (!IsRowIndex(r)) return;
    const int16_t above = Row(r).PrevRow;

    if (!IsRowIndex(above)) {
        const int16_t below = Row(r).NextRow;
        if (Row(r).FirstCell == 0 && IsRowIndex(below)) {
            InitRow(r);
            Row(below).PrevRow = 0;
            gStartRow = below;
            gCurrentRow = below;
            gCursorCell = Row(below).FirstCell;
            gCursorBeforeCell = -1;
            gRelinkEmptyRow = 0;
            if (gAutoMode) CenterRowVertically();
            RedrawEditor();
            if (IsUsedCell(gCursorCell)) {
                gCursorX = Cell(gCursorCell).X;
                gCursorY = Cell(gCursorCell).Y;
            }
        }
        return;
    }

    if (Row(above).FirstCell == 0 && Row(r).FirstCell != 0) {
        // The row above is empty: it goes, and this row moves up into its place.
        const int16_t keepCursor = gCursorCell, keepBefore = gCursorBeforeCell;
        MoveRowsBelowUp(above);
        gCurrentRow = above;
        UnlinkRow(above);
        gCurrentRow = r;
        gCursorCell = keepCursor;
        gCursorBeforeCell = keepBefore;
        RedrawEditor();
        if (IsUsedCell(gCursorCell)) {
            gCursorX = Cell(gCursorCell).X;
            gCursorY = Cell(gCursorCell).Y;
        }
        return;
    }

    if (Row(r).FirstCell != 0) {
        const int16_t firstBefore = Row(r).FirstCell;
        const int16_t p = Cell(firstBefore).Prev;
        if (!IsUsedCell(p)) return;
        if (!WrapRowCells(r, above, CIntClamp(Cell(p).X + Cell(p).Width), Cell(p).Y)) {
            if (Row(r).FirstCell == firstBefore) return;  // nothing fitted
            CursorToRightEdge();
            gCurrentRow = above;
            return;
        }
    }

    MoveRowsBelowUp(r);
    RedrawEditor();
    UnlinkRow(r);
    SettleCursor();
    CursorToRightEdge();
    if (gAutoMode) CenterRowVertically();
    RedrawEditor();
    CursorToRightEdge();
}

bool WrapRowCells(int16_t fromRow, int16_t toRow, int16_t x, int16_t y) {
    if (!IsRowIndex(fromRow) || !IsRowIndex(toRow)) return false;
    EditRow& from = Row(fromRow);
    EditRow& to = Row(toRow);
    if (!IsUsedCell(from.FirstCell)) return true;
    const int16_t startX = Cell(from.FirstCell).X;
    int16_t c = from.FirstCell;
    for (int guard = 0; from.CellCount > 0 && IsUsedCell(c) && to.FreeWidth > Cell(c).Width && guard < kCellPoolSize;
         ++guard) {
        SignCell& sc = Cell(c);
        const int16_t next = sc.Next;
        if (!gNoEditorPaint) {
            EditorPicturePort().CopyEditorRect(sc.X, sc.Y, sc.Width, sc.Height, x, y);
            EditorPicturePort().ClearEditorRect(sc.X, sc.Y, sc.Width, sc.Height);
        }
        sc.X = x;
        sc.Y = y;
        x = CIntClamp(x + sc.Width);
        if (IsUsedCell(sc.Prev)) Cell(sc.Prev).RowEnd = 0;
        sc.RowEnd = VbBool(IsCellIndex(next));
        if (to.FirstCell == 0) to.FirstCell = c;
        to.FreeWidth = CIntClamp(to.FreeWidth - sc.Width);
        to.CellCount = CIntClamp(to.CellCount + 1);
        from.FreeWidth = CIntClamp(from.FreeWidth + sc.Width);
        from.CellCount = CIntClamp(from.CellCount - 1);
        c = next;
    }
    if (!gNoEditorPaint) EditorPicturePort().RefreshEditorPicture();
    UpdateRowEnd(toRow);
    if (from.CellCount > 0 && IsUsedCell(c)) {
        from.FirstCell = c;
        ShiftCells(c, CIntClamp(startX - Cell(c).X), -1, false);
        UpdateRowEnd(fromRow);
        return false;
    }
    from.FirstCell = 0;
    from.CellCount = 0;
    from.RowHeight = 0;
    return true;
}

void ShiftCells(int16_t start, int16_t dx, int16_t stop, bool moveFields) {
    if (dx == 0 || !IsUsedCell(start)) return;
    std::vector<int16_t> run;
    for (int16_t c = start, guard = 0; IsUsedCell(c) && guard < kCellPoolSize; ++guard) {
        run.push_back(c);
        const SignCell& sc = Cell(c);
        if (c == stop || sc.RowEnd || sc.Next == c) break;
        c = sc.Next;
    }
    auto inField = [](int16_t c) { return Cell(c).FieldPos != 0; };

    std::vector<int16_t> moving;  // in processing order
    if (dx < 0) {
        size_t i = 0;
        if (!moveFields && inField(run[0])) {
            if (gRouteNoLeft) return;
            while (i < run.size() && inField(run[i])) ++i;
        }
        for (; i < run.size(); ++i) {
            if (!moveFields && inField(run[i])) break;
            moving.push_back(run[i]);
        }
    } else {
        size_t j = run.size();
        if (!moveFields && inField(run.back())) {
            if (gRouteNoLeft) return;
            while (j > 0 && inField(run[j - 1])) --j;
            if (j == 0) return;
        }
        for (; j > 0; --j) {
            if (!moveFields && inField(run[j - 1])) break;
            moving.push_back(run[j - 1]);
        }
    }

    for (int16_t c : moving) {
        SignCell& sc = Cell(c);
        if (!gNoEditorPaint) EditorPicturePort().CopyEditorRect(sc.X, sc.Y, sc.Width, sc.Height, sc.X + dx, sc.Y);
        sc.X = CIntClamp(sc.X + dx);
    }
    if (dx < 0 && !moving.empty()) {
        const SignCell& last = Cell(moving.back());
        ClearCellRect(last.X + last.Width, last.Y, -dx, last.Height);
    }
    if (!gNoEditorPaint) EditorPicturePort().RefreshEditorPicture();
}

void ResetTextEdit() {
    gRowFullWarning = 0;
    gSuppressRowFullWarning = 0;
    gCutRowsAtWidth = 0;
    gIndentBesideTall = -1;
}

namespace {
const ResetRegistrar kReset("text editing", StateLayer::Engine, ResetTextEdit);
}  // namespace

}  // namespace kv
