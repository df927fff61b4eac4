#include "engine/rowtidy.h"

#include <algorithm>

#include "data/records.h"
#include "data/signtable.h"
#include "engine/editorview.h"
#include "engine/editstate.h"
#include "engine/graphictools.h"
#include "engine/routenolayout.h"
#include "engine/routenumber.h"
#include "engine/textedit.h"
#include "engine/textstrip.h"
#include "platform/ports.h"
#include "platform/vb.h"

namespace kv {

namespace {

constexpr int16_t kBlank = 32;

// The cells of a row in reading order (at most its CellCount).
template <class F>
void ForEachCellOfRow(const EditRow& row, F&& f) {
    int16_t c = row.FirstCell;
    for (int i = 0; i < row.CellCount && IsUsedCell(c); ++i) {
        f(c, i);
        c = Cell(c).Next;
    }
}

// The cursor stands beside its cell again after the cells moved.
void CursorFollowsCell() {
    if (!IsUsedCell(gCursorCell)) return;
    const SignCell& c = Cell(gCursorCell);
    gCursorX = static_cast<int16_t>(gCursorBeforeCell ? c.X : c.X + c.Width);
    gCursorY = c.Y;
}

}  // namespace

void TidyRowsForCommit() {
    if (!IsRowIndex(gCurrentRow)) return;
    const EditRow& row = Row(gCurrentRow);
    if (row.FirstCell != 0 || row.NextRow != 0 || !IsRowIndex(row.PrevRow)) return;
    const int16_t last = LastCellOfRow(Row(row.PrevRow).FirstCell);
    if (IsUsedCell(last)) Cell(last).RowEnd = kFalse;
}

std::string BuildTimeString() {
    std::string s(10, '0');
    if (!gTenCharFieldOn) return s;
    // The links are followed at most once round the pool.
    int16_t r = 1;
    for (int steps = 0; IsRowIndex(r) && steps < kRowPoolSize; ++steps) {
        s[static_cast<size_t>(r - 1)] = std::to_string(Row(r).Alignment)[0];
        r = Row(r).NextRow;
    }
    return s;
}

int32_t CentringSpan() {
    const int32_t w5 = IsSignAddress(gCurrentSign) ? 5 * SignInfoOf(gCurrentSign).Width : 0;
    if (!gShowLineNo) return w5;
    const int32_t a = gRouteNoAreaWidth + 5;
    return gRouteNoLeft ? w5 + a : w5 - a;
}

void CentreCurrentRow() {
    if (!IsRowIndex(gCurrentRow)) return;
    const EditRow& row = Row(gCurrentRow);
    const int32_t span = CentringSpan();
    if (!IsUsedCell(row.FirstCell)) {
        gCursorX = static_cast<int16_t>(span / 10 * 5);
    } else {
        const SignCell& first = Cell(row.FirstCell);
        const SignCell& last = Cell(LastCellOfRow(row.FirstCell));
        // The spacing after the last character does not count.
        const int32_t textWidth = last.X + last.Width - first.X - 5;
        const int32_t target = (span - textWidth) / 2;
        // The first character goes to the centre's place rounded up to a
        // whole dot, whichever way the row moves: a row centred after a
        // deletion stands where the same row typed afresh stands.
        const int32_t placed = (target >= 0 ? (target + 4) / 5 : -((-target) / 5)) * 5;
        const int32_t offset = first.X - placed;
        if (offset != 0) {
            ShiftCells(row.FirstCell, static_cast<int16_t>(-offset), -1, true);
            if (gAreaSelected) {
                gSelX1 = static_cast<int16_t>(gSelX1 - offset);
                gSelX2 = static_cast<int16_t>(gSelX2 - offset);
                SignPicturePort().ClearSignPictureColor(kWhite);
            }
        }
        CursorFollowsCell();
    }
    RedrawEditor();
    SignPicturePort().FocusSignPicture();
}

void CentreStripRow() {
    if (!IsSignAddress(gCurrentSign)) return;
    const int width = std::clamp<int>(SignInfoOf(gCurrentSign).Width, 0, kStripPlaces);
    const int count = std::min<int>(gCodeCount, width);
    int first = 0, last = 0;
    for (int i = 1; i <= count; ++i) {
        if (gCodeTable[static_cast<size_t>(i)] == kBlank) continue;
        if (first == 0) first = i;
        last = i;
    }
    if (first == 0) return;
    const int before = first - 1, after = width - last;
    const int shift = (before + after) / 2 - before;
    if (shift == 0) return;
    gCodeCount = static_cast<int16_t>(last);
    if (shift > 0) {
        ShiftTableEntries(1, static_cast<int16_t>(shift));
        for (int i = 1; i <= shift; ++i) gCodeTable[static_cast<size_t>(i)] = kBlank;
    } else if (shift < 0) {
        ShiftTableEntries(static_cast<int16_t>(1 - shift), static_cast<int16_t>(shift));
    }
    gTextColumn = static_cast<int16_t>(std::clamp<int>(gTextColumn + shift, 1, gCodeCount + 1));
    CursorHome();
    DrawStripChars(1);
}

bool SpreadRowLess() {
    if (!IsRowIndex(gCurrentRow)) return false;
    EditRow& row = Row(gCurrentRow);
    if (!IsUsedCell(row.FirstCell)) return false;
    bool room = true;
    ForEachCellOfRow(row, [&](int16_t c, int i) {
        const int16_t next = Cell(c).Next;
        if (i + 1 < row.CellCount && IsUsedCell(next) && Cell(next).X - (Cell(c).X + Cell(c).Width) < 5) room = false;
    });
    if (!room) return false;
    row.FreeWidth = static_cast<int16_t>(row.FreeWidth + (row.CellCount - 1) * 5);
    ForEachCellOfRow(row, [](int16_t c, int i) { Cell(c).X = static_cast<int16_t>(Cell(c).X - 5 * i); });
    return true;
}

bool SpreadRowMore() {
    if (!IsRowIndex(gCurrentRow)) return false;
    EditRow& row = Row(gCurrentRow);
    const int need = (row.CellCount - 1) * 5;
    if (row.CellCount < 2 || !IsUsedCell(row.FirstCell) || need >= row.FreeWidth) return false;
    ForEachCellOfRow(row, [](int16_t c, int i) { Cell(c).X = static_cast<int16_t>(Cell(c).X + 5 * i); });
    row.FreeWidth = static_cast<int16_t>(row.FreeWidth - need);
    return true;
}

}  // namespace kv
