#include "engine/routefield.h"

#include "data/headmode.h"
#include "engine/editstate.h"
#include "engine/routenumber.h"
#include "engine/textedit.h"
#include "data/outsettings.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

int16_t gRouteNoFieldTyped = 0;

namespace {

bool IsRouteChar(int16_t code) { return code > 0 && code < 256 && IsCharInSet(Chr(code)); }

}  // namespace

bool IsCharInSet(const std::string& ch, int16_t /*position*/) {
    if (ch.empty()) return false;
    return InStr(UCase(gRouteNumberSeq), UCase(ch)) > 0;
}

int16_t CountUsedCells() {
    int16_t n = 0;
    for (int c = 1; c <= kCellPoolSize; ++c)
        if (Cell(c).GlyphCode != 0) ++n;
    return n;
}

bool GetSelectionInfo(int16_t& width, int16_t& boundaryCell, std::string& text, int16_t& flag) {
    text.clear();
    if (gShowLineNo || gLineNoTableOn) return false;

    int16_t fieldWidth = GetSelectedText(text, boundaryCell, flag);
    if (fieldWidth > 0) {
        width = fieldWidth;
        bool result = boundaryCell >= 1 ? true : flag != 0;
        if (result) gRouteNoFieldTyped = -1;
        return result;
    }

    // No typed field: an untyped route number standing at the row's edge.
    if (!IsUsedCell(1)) return false;
    const int32_t w5 = EditorInnerWidth();
    if (gRouteNoLeft == 0) {
        const int16_t last = LastCellOfRow(1);
        const SignCell& l = Cell(last);
        if (l.X + l.Width > w5 && IsRouteChar(l.CharCode)) {
            width = static_cast<int16_t>(w5 - l.Width);
            int16_t stop = last;  // the cell where the walk stopped
            int16_t c = l.Prev;
            boundaryCell = 0;
            for (int guard = 0; guard < kCellPoolSize; ++guard) {
                if (!IsCellIndex(c)) break;
                const SignCell& sc = Cell(c);
                if (sc.FontCode != l.FontCode || !IsRouteChar(sc.CharCode)) {
                    boundaryCell = c;
                    stop = c;
                    break;
                }
                width = static_cast<int16_t>(w5 - sc.X);
                stop = c;
                c = sc.Prev;
            }
            if (IsCellIndex(Cell(stop).Next))
                width = static_cast<int16_t>(l.X + l.Width - Cell(stop).X);
            else
                width = l.Width;
        }
    } else {
        const int16_t first = FirstCellOfRow(1, false);
        const SignCell& f = Cell(first);
        if (f.X == 0 && IsRouteChar(f.CharCode)) {
            text = Chr(f.CharCode);
            width = f.Width;
            boundaryCell = 0;
            int16_t c = f.Next;
            for (int guard = 0; guard < kCellPoolSize; ++guard) {
                if (!IsCellIndex(c)) break;
                const SignCell& sc = Cell(c);
                if (sc.FontCode != f.FontCode || !IsRouteChar(sc.CharCode)) {
                    boundaryCell = c;
                    break;
                }
                text += Chr(sc.CharCode);
                width = static_cast<int16_t>(sc.X + sc.Width);
                c = sc.Next;
            }
        }
    }
    return false;
}

void ResetRouteField() { gRouteNoFieldTyped = 0; }

namespace {
const ResetRegistrar kReset("route-number field", StateLayer::Engine, ResetRouteField);
}  // namespace

}  // namespace kv
