#include "engine/marking.h"

#include <algorithm>

#include "data/charmap.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/editorview.h"
#include "engine/graphictools.h"
#include "engine/markup.h"
#include "engine/rowlookup.h"
#include "engine/alignment.h"
#include "engine/textedit.h"
#include "platform/ports.h"
#include "platform/host.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

std::array<int16_t, kCellPoolSize + 1> gMarkedCells{};
std::vector<SignCell> gCutCells;

namespace {

// Set while a map is loaded for typing: the marked cells keep their font.
bool gKeepMarkedFont = false;

void ClearMarks() { gMarkedCells.fill(0); }

std::vector<int16_t> MarkedList() {
    std::vector<int16_t> out;
    for (int i = 1; i <= kCellPoolSize && gMarkedCells[static_cast<size_t>(i)] != 0; ++i)
        out.push_back(gMarkedCells[static_cast<size_t>(i)]);
    return out;
}

// The room a row keeps for the marked run that starts at `first`: the row's
// free width when the run ends the row, else the gap after the run.
int32_t RoomAfterRun(int16_t row, int16_t first) {
    const int16_t end = LastCellOfMarkedRun(first);
    const int16_t next = IsUsedCell(end) ? Cell(end).Next : 0;
    if (!IsUsedCell(end) || Cell(end).RowEnd || !IsUsedCell(next)) return Row(row).FreeWidth;
    return Cell(next).X - (Cell(end).X + Cell(end).Width);
}

// All marked cells can take the font whose map is loaded, and every row
// keeps room for them.
bool FontChangeFits(const std::string& font, const std::vector<int16_t>& marked) {
    std::array<int32_t, kRowPoolSize + 1> work{};  // per row: room + old widths - new widths
    std::array<bool, kRowPoolSize + 1> seen{};
    for (int16_t c : marked) {
        const SignCell& sc = Cell(c);
        if (sc.FontCode == kSymbolFont || !CharCodeOf(sc.CharCode)) return false;
        const int16_t row = FindRowOfCell(c);
        if (!IsRowIndex(row)) return false;
        if (!seen[static_cast<size_t>(row)]) {
            seen[static_cast<size_t>(row)] = true;
            work[static_cast<size_t>(row)] = RoomAfterRun(row, c);
        }
        int16_t w = 0, h = 0;
        DrawGlyph(font, sc.CharCode, w, h);
        work[static_cast<size_t>(row)] += sc.Width - w;
    }
    for (int r = 1; r <= kRowPoolSize; ++r)
        if (seen[static_cast<size_t>(r)] && work[static_cast<size_t>(r)] < 0) return false;
    return true;
}

}  // namespace

int16_t MarkedCount() { return static_cast<int16_t>(MarkedList().size()); }

bool CellInRect(int16_t cell, int16_t x1, int16_t y1, int16_t x2, int16_t y2) {
    if (!IsCellIndex(cell)) return false;
    const SignCell& c = Cell(cell);
    const int32_t cx = c.X + c.Width / 2, cy = c.Y + c.Height / 2;
    return x1 < cx && cx < x2 && y1 < cy && cy < y2;
}

void MarkCellsInRect(int16_t x1, int16_t y1, int16_t x2, int16_t y2) {
    ClearMarks();
    const int16_t left = std::min(x1, x2), right = std::max(x1, x2);
    const int16_t top = std::min(y1, y2), bottom = std::max(y1, y2);
    size_t n = 0;
    int16_t c = PageFirstCell();
    for (int guard = 0; IsUsedCell(c) && guard < kCellPoolSize; ++guard, c = Cell(c).Next) {
        if (!CellInRect(c, left, top, right, bottom)) continue;
        gMarkedCells[++n] = c;
        if (n == 1) {
            const int16_t row = FindRowOfCell(c);
            if (row != 0 && row != gCurrentRow) gCurrentRow = row;
        }
    }
}

void MarkRow(int16_t row) {
    ClearMarks();
    if (!IsRowIndex(row)) return;
    int16_t c = Row(row).FirstCell;
    for (int i = 1; i <= Row(row).CellCount && IsUsedCell(c); ++i, c = Cell(c).Next)
        gMarkedCells[static_cast<size_t>(i)] = c;
    UpdateMarkFrame();
}

void MoveMarkedCells(int16_t dx, int16_t dy, bool repaint) {
    for (int16_t c : MarkedList()) {
        Cell(c).X = CIntClamp(Cell(c).X + dx);
        Cell(c).Y = CIntClamp(Cell(c).Y + dy);
    }
    if (repaint) RedrawEditor();
}

void UpdateMarkFrame() {
    int32_t left = 3000, right = -3000, top = 3000, bottom = -3000;
    for (int16_t c : MarkedList()) {
        const SignCell& sc = Cell(c);
        left = std::min<int32_t>(left, sc.X);
        right = std::max<int32_t>(right, sc.X + sc.Width - 5);
        top = std::min<int32_t>(top, sc.Y);
        bottom = std::max<int32_t>(bottom, sc.Y + sc.Height);
    }
    SignPicturePort().ClearSignPictureColor(kBlack);
    if (left == 3000 || right == -3000 || top == 3000 || bottom == -3000) return;
    gSelX1 = CIntClamp(left);
    gSelY1 = CIntClamp(top);
    gSelX2 = CIntClamp(right);
    gSelY2 = CIntClamp(bottom);
    SignPicturePort().ClearSignPictureColor(kWhite);
    gAreaSelected = -1;
}

void DeleteMarkedCells() {
    const std::vector<int16_t> marked = MarkedList();
    for (size_t i = marked.size(); i >= 1; --i) {
        const int16_t c = marked[i - 1];
        // A field cell takes its whole field with it.
        if (IsUsedCell(c)) {
            gCursorCell = c;
            DeleteCharAtCursor();
        }
        if (i >= 2 && IsUsedCell(marked[i - 2])) {
            const int16_t other = FindRowOfCell(marked[i - 2]);
            if (other != 0 && other != gCurrentRow) {
                SetAlignment(Row(gCurrentRow).Alignment, true, true, false);
                RecalcRowWidths();
                gCurrentRow = other;
            }
        }
    }
    // The deleted cells are marked no longer.
    ClearMarks();
    RecalcRowWidths();
    RedrawEditor();
}

void CutMarkedCells() {
    const std::vector<int16_t> marked = MarkedList();
    if (marked.empty() || !gAreaSelected) {
        Beep();
        return;
    }
    gCutCells.assign(marked.size() + 2, SignCell{});
    for (size_t i = 1; i <= marked.size(); ++i) {
        SignCell& rec = gCutCells[i];
        rec = Cell(marked[i - 1]);
        rec.Prev = static_cast<int16_t>(i - 1);
        rec.Next = static_cast<int16_t>(i + 1);
    }
}

void PasteCells() {
    if (gCutCells.size() < 2 || gCutCells[1].GlyphCode == 0) {
        Beep();
        return;
    }
    const std::string remembered = gCurrentFontCode;
    for (size_t i = 1; i + 1 < gCutCells.size(); ++i) {
        const SignCell& rec = gCutCells[i];
        const std::string font(1, rec.FontCode);
        if (font != gCurrentFontCode) LoadFontMap(font);
        InsertChar(rec.CharCode, 0, 0);
        // A row break: the following cells start a row of their own, where
        // the split leaves the cursor.
        if (rec.RowEnd) SplitRowAtCursor();
        if (gCutCells[i + 1].Prev == 0) break;
    }
    if (gCurrentFontCode != remembered && !remembered.empty()) LoadFontMap(remembered);
}

bool MarkedCellsSpread() {
    const std::vector<int16_t> marked = MarkedList();
    if (marked.size() < 2) return false;
    auto gapAfter = [](int16_t a, int16_t b) { return Cell(b).X - (Cell(a).X + Cell(a).Width); };
    const int32_t gap = gapAfter(marked[0], marked[1]);
    if (gap <= 0) return false;
    for (size_t i = 2; i < marked.size(); ++i)
        if (gapAfter(marked[i - 1], marked[i]) != gap) return false;
    return true;
}

int16_t LastCellOfMarkedRun(int16_t cell) {
    if (!IsUsedCell(cell)) return 0;
    if (MarkedCellsSpread()) return LastCellOfRow(cell);
    int16_t c = cell;
    for (int guard = 0; guard < kCellPoolSize; ++guard) {
        const SignCell& sc = Cell(c);
        if (sc.RowEnd || !IsUsedCell(sc.Next) || Cell(sc.Next).X != sc.X + sc.Width) break;
        c = sc.Next;
    }
    return c;
}

bool ApplyFontToMarkedCells(const std::string& font) {
    const std::vector<int16_t> marked = MarkedList();
    if (marked.empty() || font.empty()) return false;
    const int16_t first = marked[0];
    int16_t newW = 0, newH = 0;
    DrawGlyph(font, Cell(first).CharCode, newW, newH);
    const int32_t d = Cell(first).Height - newH;
    const int32_t h5 = IsSignAddress(gCurrentSign) ? 5 * int32_t{SignInfoOf(gCurrentSign).Height} : 0;

    if (!FontChangeFits(font, marked)) return false;

    const int32_t y = Cell(first).Y;
    int32_t dy;
    if (y == 0) dy = 0;
    else if (y + d < 0) dy = -y;
    else if (y + newH + d > h5) dy = h5 - y - newH;
    else dy = y + newH > h5 ? h5 - newH - y : d;

    const int16_t runEnd = LastCellOfMarkedRun(first);
    const bool spread = MarkedCellsSpread();
    const int32_t gap = spread ? Cell(marked[1]).X - (Cell(first).X + Cell(first).Width) : 0;

    for (size_t i = 0; i < marked.size(); ++i) {
        SignCell& sc = Cell(marked[i]);
        if (spread && i > 0) {
            const SignCell& prev = Cell(marked[i - 1]);
            sc.X = CIntClamp(prev.X + prev.Width + gap);
        }
        const int16_t row = FindRowOfCell(marked[i]);
        if (IsRowIndex(row)) Row(row).FreeWidth = CIntClamp(Row(row).FreeWidth + sc.Width);
        int16_t w = 0, h = 0;
        DrawGlyph(font, sc.CharCode, w, h);
        sc.Width = w;
        sc.Height = h;
        sc.Y = CIntClamp(sc.Y + dy);
        sc.FontCode = font[0];
        sc.GlyphCode = CellGlyphOf(sc.CharCode);
        if (IsRowIndex(row)) {
            Row(row).FreeWidth = CIntClamp(Row(row).FreeWidth - w);
            UpdateRowEnd(row);
        }
        if (!spread && marked[i] != runEnd) {
            // The rest of the run closes up behind the new width.
            int16_t c = marked[i];
            for (int guard = 0; c != runEnd && IsUsedCell(Cell(c).Next) && guard < kCellPoolSize; ++guard) {
                const int16_t n = Cell(c).Next;
                Cell(n).X = CIntClamp(Cell(c).X + Cell(c).Width);
                c = n;
            }
        }
    }
    RedrawEditor();
    if (IsUsedCell(gCursorCell)) {
        gCursorX = CIntClamp(Cell(gCursorCell).X + Cell(gCursorCell).Width);
        gCursorY = Cell(gCursorCell).Y;
    }
    return true;
}

void CancelMarking() {
    gAreaSelected = 0;
    SignPicturePort().ClearSignPictureColor(kBlack);
    gSelX1 = gSelY1 = gSelX2 = gSelY2 = 0;
    ClearMarks();
    CommandPort().ResetCutTools();
}

std::optional<bool> MarkedCellsFontHook(const std::string& font) {
    if (gKeepMarkedFont || !gAreaSelected || gMarkedCells[1] == 0) return std::nullopt;
    if (!IsSignAddress(gCurrentSign) || SignInfoOf(gCurrentSign).Model != "K4000") return std::nullopt;
    return ApplyFontToMarkedCells(font);
}

void LoadFontMap(const std::string& font) {
    const bool keep = gKeepMarkedFont;
    gKeepMarkedFont = true;
    ReadCharMap(font);
    gKeepMarkedFont = keep;
}

void ResetMarking() {
    ClearMarks();
    gCutCells.clear();
    gKeepMarkedFont = false;
}

namespace {
const ResetRegistrar kReset("marking", StateLayer::Engine, ResetMarking);
}  // namespace

}  // namespace kv
