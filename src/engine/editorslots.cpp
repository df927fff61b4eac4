#include "engine/editorslots.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "data/charmap.h"
#include "data/inverted.h"
#include "data/records.h"
#include "engine/dotlayers.h"
#include "engine/dotstrips.h"
#include "engine/markup.h"
#include "engine/marking.h"
#include "engine/pageload.h"
#include "engine/routefield.h"
#include "engine/routenumber.h"
#include "engine/signcommands.h"
#include "engine/alignment.h"
#include "engine/cursorkeys.h"
#include "engine/signview.h"
#include "engine/textedit.h"
#include "platform/ports.h"
#include "platform/host.h"
#include "platform/reset.h"
#include "platform/vb.h"
#include "engine/routenodialog.h"

namespace kv {

int16_t gRealignPending = kFalse;
std::array<EditorSlot, kEditorSlots> gEditorSlots;
std::array<std::string, kSignCount> gSignRouteNoFont;
std::array<SignCell, 6> gRouteNoScratch;

namespace {

int32_t RightEdge(int16_t c) { return Cell(c).X + Cell(c).Width; }

// The number of a row in the row chain (1 = top), 0 when not in it.
int16_t RowNumberOf(int16_t row) {
    int16_t n = 0;
    for (int16_t r = gStartRow; IsRowIndex(r) && n < kRowPoolSize; r = Row(r).NextRow) {
        ++n;
        if (r == row) return n;
    }
    return 0;
}

int16_t TopRowFirstCell() { return IsRowIndex(gStartRow) ? Row(gStartRow).FirstCell : 0; }

std::vector<int16_t> ChainCells() {
    std::vector<int16_t> cells;
    int16_t c = PageFirstCell();
    for (int guard = 0; IsUsedCell(c) && guard < kCellPoolSize; ++guard, c = Cell(c).Next) cells.push_back(c);
    return cells;
}

std::vector<int16_t> RowChain() {
    std::vector<int16_t> rows;
    for (int16_t r = gStartRow; IsRowIndex(r) && rows.size() < kRowPoolSize; r = Row(r).NextRow) rows.push_back(r);
    return rows;
}

// Moves the cells from s to the end of their row so that the last one ends
// at the sign's right end (its right edge 5 x width + 5), fields included.
void MoveToRightEnd(int16_t s) {
    if (!IsUsedCell(s)) return;
    const int16_t e = LastCellOfRow(s);
    ShiftCells(s, CIntClamp(EditorInnerWidth() + 5 - RightEdge(e)), -1, true);
}

void Align(int16_t alignment, bool noToolbar, bool redraw = false) {
    SetAlignment(alignment, noToolbar, redraw, true);
}

// The first route-number field cell of the first row, 0 when it has none.
int16_t FirstFieldCell() {
    int16_t c = TopRowFirstCell();
    for (int guard = 0; IsUsedCell(c) && guard < kCellPoolSize; ++guard, c = Cell(c).Next) {
        if (Cell(c).FieldPos != 0) return c;
        if (Cell(c).RowEnd) break;
    }
    return 0;
}

// flag of the route-number run of the first row: -1 when the row holds
// nothing but the field.
int16_t OnlyFieldFlag() {
    int16_t w = 0, b = 0, flag = 0;
    std::string t;
    GetSelectionInfo(w, b, t, flag);
    return flag;
}

}  // namespace

// ------------------------------------------------------------------ slots

void StoreEditorPage(int16_t slot, bool withFont, int16_t checkState) {
    if (slot < 0 || slot >= kEditorSlots) return;
    EditorSlot& s = gEditorSlots[static_cast<size_t>(slot)];
    s.currentRow = gCurrentRow;
    s.cursorCell = gCursorCell;
    s.cellFreeHead = gCellFreeHead;
    s.rowFreeHead = gRowFreeHead;
    s.relinkEmptyRow = gRelinkEmptyRow;
    s.rows = gRows;
    s.startRow = gStartRow;
    s.cells = gCells;
    s.cursorX = gCursorX;
    s.cursorY = gCursorY;
    s.cursorBeforeCell = gCursorBeforeCell;
    s.changingTexts = VbBool(checkState == -1 ? WindowPort().ChangingTextsChecked() : checkState >= 2);
    s.routeNoAreaDots = gRouteNoAreaDots;
    if (withFont) {
        s.hasFont = true;
        s.fontCode = gCurrentFontCode;
        s.textAlignment = gTextAlignment;
        s.showLineNo = gShowLineNo;
    }
    s.altBufferChanged = gAltBufferChanged;
    s.altBuffer = gAltBuffer;
    s.invertedText = gInvertedText;
    s.hasGraphic = gHasGraphic;
    s.graphicText = gGraphicText;
    s.graphicModified = gGraphicModified;
    s.pictureTagName = gPictureTagName;
    s.symbolTagName = gSymbolTagName;
    s.pageRouteNoFont = gPageRouteNoFont;
}

void RestoreEditorPage(int16_t slot) {
    if (slot < 0 || slot >= kEditorSlots) return;
    const EditorSlot& s = gEditorSlots[static_cast<size_t>(slot)];
    gCurrentRow = s.currentRow;
    gCursorCell = s.cursorCell;
    gCellFreeHead = s.cellFreeHead;
    gRowFreeHead = s.rowFreeHead;
    gRelinkEmptyRow = s.relinkEmptyRow;
    gRows = s.rows;
    gStartRow = s.startRow;
    gCells = s.cells;
    gCursorX = s.cursorX;
    gCursorY = s.cursorY;
    gCursorBeforeCell = s.cursorBeforeCell;
    // The page stays the one the window shows: every shown sign edits it.
    gAltBufferChanged = s.altBufferChanged;
    gAltBuffer = s.altBuffer;
    gInvertedText = s.invertedText;
    gHasGraphic = s.hasGraphic;
    gGraphicText = s.graphicText;
    gGraphicModified = s.graphicModified;
    gPictureTagName = s.pictureTagName;
    gSymbolTagName = s.symbolTagName;
    gPageRouteNoFont = s.pageRouteNoFont;

    // The changing-texts box belongs to the window, not to a sign: it stays.
    WindowPort().SetWindowPage(gCurrentPage);
    if (s.hasFont) {
        if (!s.fontCode.empty() && s.fontCode != gCurrentFontCode) LoadFontMap(s.fontCode);
        if (s.textAlignment != gTextAlignment) {
            // One button shows the restored alignment.
            ShowAlignmentKeys(s.textAlignment);
            gTextAlignment = s.textAlignment;
        }
        if (s.showLineNo != gShowLineNo) {
            CommandPort().CheckMenuItem("ShowLineNo_e", s.showLineNo != 0);
            gShowLineNo = s.showLineNo;
            if (!gShowLineNo) gRouteNoAreaDots = 0;
        }
    }
    gRouteNoAreaDots = s.routeNoAreaDots;
    // The header is written in the restored page's route-number font.
    if (gShowLineNo) TakePageRouteNoFont();
}

// ------------------------------------------------------------------ alignment

int16_t DetectRowAlignment() {
    if (!IsRowIndex(gCurrentRow)) return 0;
    const int16_t first = Row(gCurrentRow).FirstCell;
    if (!IsUsedCell(first)) return 0;
    const int16_t last = LastCellOfRow(first);
    const int32_t w5 = EditorInnerWidth();
    const int32_t a = gRouteNoAreaWidth + 5;
    int16_t w = 0, b = 0, flag = 0;
    std::string text;
    const bool field = GetSelectionInfo(w, b, text, flag);
    const bool area = gShowLineNo != 0, left = gRouteNoLeft != 0;
    const bool topRow = gCurrentRow == gStartRow;
    const SignCell& f = Cell(first);
    const int32_t right = RightEdge(last);

    // Left.
    if (area && left) {
        if (f.X == a) return 1;
    } else if (left && field) {
        if (IsUsedCell(b) && Cell(b).X == w) return 1;
    } else if (f.X == 0) {
        return 1;
    }

    // Centred.
    int32_t l = 0, r = 0;
    if (area && left) {
        l = f.X - a;
        r = w5 - right;
    } else if (area) {
        l = f.X;
        r = w5 - right - a;
    } else if (!field) {
        l = f.X;
        r = w5 - right;
    } else if (left) {
        const int16_t c = !topRow ? first : (IsUsedCell(b) ? b : int16_t{0});
        l = c != 0 ? Cell(c).X - w : 0;
        r = w5 - right;
    } else {
        const int16_t c = !topRow ? last : b;
        l = f.X;
        r = IsUsedCell(c) ? w5 - (RightEdge(c) - 5) - w : 0;
    }
    if (std::abs(l - r) <= 10) return 3;

    // Right.
    if (area && !left) {
        if (right >= w5 - a) return 2;
    } else if (!left && field) {
        const int16_t c = !topRow ? last : b;
        const int32_t e = IsUsedCell(c) ? RightEdge(c) - 5 : 0;
        if (std::abs(e - (w5 - w)) <= 5) return 2;
    } else if (right > w5) {
        return 2;
    }
    return 0;
}

int16_t CurrentRowAlignment() { return DetectRowAlignment(); }

std::string RouteNoFontOfSign(int16_t address) {
    if (!IsSignAddress(address)) return "i";
    const std::string own = Trim(gSignRouteNoFont[static_cast<size_t>(address - kFirstSignAddress)]);
    if (own.size() == 1) return own;
    const std::string byHeight = Trim(DefaultRouteNoFontOfHeight(SignInfoOf(address).Height));
    if (byHeight.size() == 1) return byHeight;
    return "i";
}

// ------------------------------------------------------------------ route-number typing

bool RelayoutRouteNoRow(int16_t& cursorIndex) {
    const std::vector<int16_t> used = ChainCells();
    if (used.empty() || std::all_of(used.begin(), used.end(), [](int16_t c) { return Cell(c).FieldPos != 0; }))
        return false;
    const int16_t first = TopRowFirstCell();
    bool outOfOrder = false;
    int16_t place = 0, cursorPlace = 0;
    for (int16_t c = first, guard = 0; IsUsedCell(c) && guard < kCellPoolSize; ++guard) {
        ++place;
        if (c == gCursorCell) cursorPlace = place;
        const SignCell& sc = Cell(c);
        if (IsCellIndex(sc.Next) && sc.Next < c) outOfOrder = true;
        if (sc.RowEnd) break;
        c = sc.Next;
    }
    if (!outOfOrder) return false;
    cursorIndex = cursorPlace != 0 ? cursorPlace : gCursorCell;

    // The page's own structure rides along, so that rows and the field come
    // back as they stand now.
    const std::string markup = " " + PageStructureMarkup();
    const std::string data = BuildSignData(PageFirstCell());
    const std::string picture = gPictureTagName, symbols = gSymbolTagName;
    ParseSignPage(data, markup);
    gPictureTagName = picture;
    gSymbolTagName = symbols;

    gCurrentRow = gStartRow;
    if (cursorPlace != 0) {
        int16_t c = TopRowFirstCell();
        for (int i = 1; i < cursorPlace && IsUsedCell(c) && !Cell(c).RowEnd; ++i) c = Cell(c).Next;
        if (IsUsedCell(c)) gCursorCell = c;
    }
    return true;
}

void MarkRowStart(int16_t n) {
    if (!IsRowIndex(n)) return;
    int16_t rows = 0, prev = 0;
    for (int16_t c = 1; c <= kCellPoolSize; ++c) {
        if (Cell(c).GlyphCode == 0) continue;
        if (prev == 0 || Cell(c).X < Cell(prev).X) {
            if (++rows == n) {
                Row(n).FirstCell = c;
                if (prev != 0) {
                    Cell(prev).RowEnd = -1;
                    gCursorCell = prev;
                    gCursorY = Cell(prev).Y;
                }
                int16_t count = 1;
                for (int16_t d = static_cast<int16_t>(c + 1);
                     d <= kCellPoolSize && Cell(d).GlyphCode != 0 && Cell(d).X > Cell(d - 1).X; ++d)
                    ++count;
                Row(n).CellCount = count;
                if (n == 2) Row(1).CellCount = CIntClamp(Row(1).CellCount - count);
                return;
            }
        }
        prev = c;
    }
}

void GenerateRouteNo() {
    gRealignPending = 0;
    gMBLAccepted = 0;
    if (!IsRowIndex(gStartRow) || gCurrentRow != gStartRow) {
        Beep();
        return;
    }
    std::string fieldText;
    int16_t other = 0, onlyField = 0;
    const bool hadField = GetSelectedText(fieldText, other, onlyField) > 0;
    {
        // Only for its side effect: a field in the first row counts as typed,
        // whatever the dialog answers.
        int16_t w = 0, b = 0, flag = 0;
        std::string t;
        GetSelectionInfo(w, b, t, flag);
    }
    const std::string savedProposal = gMBLRouteNo;
    const std::string savedFont = gMBLFont;
    const int16_t savedFontIndex = gMBLFontIndex, savedFontHeight = gMBLFontHeight;
    if (hadField) {
        gMBLRouteNo = fieldText;
        // The field keeps its font unless the dialog chooses another.
        const int16_t f = FirstFieldCell();
        if (f != 0 && Cell(f).FontCode != 0)
            PresetRouteNoDialogFont(std::string(1, Cell(f).FontCode),
                                    IsSignAddress(gCurrentSign) ? SignInfoOf(gCurrentSign).Height : int16_t{0});
    }

    Ui().RouteNumberDialog();
    if (!gMBLAccepted) {
        if (hadField) {
            gMBLRouteNo = savedProposal;
            gMBLFont = savedFont;
            gMBLFontIndex = savedFontIndex;
            gMBLFontHeight = savedFontHeight;
        }
        return;
    }

    const std::string s = gMBLRouteNo;
    const int n = static_cast<int>(s.size());
    const int typed = std::min(n, 4);
    const std::string font = gMBLFont.substr(0, 1);
    // Characters the route-number font cannot show refuse the command.
    bool drawable = typed > 0 && !font.empty();
    for (int k = 0; drawable && k < typed; ++k)
        drawable = MapGlyphOfChar(font, static_cast<unsigned char>(s[static_cast<size_t>(k)])) != 0;
    if (!drawable) {
        Beep();
        return;
    }

    const bool pressedL = CommandPort().ToolbarButtonValue(10) == 1;
    const bool pressedR = CommandPort().ToolbarButtonValue(12) == 1;
    const bool pressedC = CommandPort().ToolbarButtonValue(11) == 1;
    const int16_t rowBefore = RowNumberOf(gCurrentRow);
    if (rowBefore > 1) K4000_PageUp();
    if (hadField) DeleteSelectedRun();
    SetEditMenuState(3);

    for (int k = 1; k <= typed; ++k) {
        SignCell& rec = gRouteNoScratch[static_cast<size_t>(k)];
        rec.CharCode = rec.GlyphCode = static_cast<unsigned char>(s[static_cast<size_t>(k - 1)]);
        rec.Prev = static_cast<int16_t>(k - 1);
        rec.Next = static_cast<int16_t>(n > k && k < 4 ? k + 1 : 0);
    }
    gRouteNoScratch[1].FontCode = font[0];

    const std::string prevFont = gCurrentFontCode;
    if (font != prevFont) LoadFontMap(font);

    // The cursor goes to the row's start (route number at the left) or end.
    const bool right = gRouteNoLeft == 0;
    int16_t saved = 0;
    bool savedTaken = false;
    const int16_t rowFirst = IsRowIndex(gCurrentRow) ? Row(gCurrentRow).FirstCell : 0;
    if (!right) {
        gCursorX = 0;
        if (IsUsedCell(rowFirst)) {
            saved = gCursorCell;
            savedTaken = true;
            gCursorCell = rowFirst;
            gCursorBeforeCell = -1;
        }
    } else if (IsUsedCell(rowFirst)) {
        saved = gCursorCell;
        savedTaken = true;
        const int16_t e = LastCellOfRow(rowFirst);
        gCursorCell = e;
        gCursorX = CIntClamp(RightEdge(e));
        gCursorY = Cell(e).Y;
        gCursorBeforeCell = 0;
    }

    for (int k = 1;; ++k) {
        InsertChar(gRouteNoScratch[static_cast<size_t>(k)].CharCode, 0, static_cast<int16_t>(k));
        if (k + 1 > n || k + 1 >= static_cast<int>(gRouteNoScratch.size()) ||
            gRouteNoScratch[static_cast<size_t>(k + 1)].Prev == 0)
            break;
    }

    // The first row's cells back into index order.
    const std::vector<int16_t> used = ChainCells();
    const bool allField =
        !used.empty() && std::all_of(used.begin(), used.end(), [](int16_t c) { return Cell(c).FieldPos != 0; });
    std::vector<int16_t> alignments;
    for (int16_t r : RowChain()) alignments.push_back(Row(r).Alignment);
    int16_t savedPlace = 0;
    if (savedTaken) {
        for (size_t i = 0; i < used.size(); ++i)
            if (used[i] == saved) savedPlace = static_cast<int16_t>(i + 1);
    }
    int16_t cursorIndex = 0;
    if (RelayoutRouteNoRow(cursorIndex)) {
        const std::vector<int16_t> rows = RowChain();
        for (size_t i = 0; i < rows.size() && i < alignments.size(); ++i) Row(rows[i]).Alignment = alignments[i];
        const int16_t top = TopRowFirstCell();
        gCursorY = IsUsedCell(top) ? Cell(top).Y : 0;
        if (savedTaken) {
            const std::vector<int16_t> now = ChainCells();
            saved = savedPlace >= 1 && savedPlace <= static_cast<int16_t>(now.size()) ? now[static_cast<size_t>(savedPlace - 1)]
                                                                                       : int16_t{0};
            savedTaken = saved != 0;
        }
    }
    if (gCurrentFontCode != prevFont && !prevFont.empty()) LoadFontMap(prevFont);

    if (savedTaken && (pressedL || pressedR || pressedC) && right) {
        gCursorCell = saved;
        gCursorX = CIntClamp(RightEdge(saved));
    } else if (!savedTaken && right) {
        gCursorCell = TopRowFirstCell();
        gCursorBeforeCell = -1;
        gCursorX = 0;
    }

    // The row takes the alignment of the toolbar.
    const int16_t c1 = TopRowFirstCell();
    if (pressedL && right) {
        if (!allField && IsUsedCell(c1) && Cell(c1).X == 0) {
            std::string t;
            int16_t before = 0, flag = 0;
            const int16_t w = GetSelectedText(t, before, flag);
            if (w > 0 && IsUsedCell(before) && IsUsedCell(Cell(before).Next)) MoveToRightEnd(Cell(before).Next);
        } else {
            Align(2, true);
            if (!allField) Align(1, false);
        }
    } else if (pressedL) {
        if (!allField) Align(1, false, true);
    } else if (pressedR && !right) {
        Align(1, true);
        const int16_t free = IsRowIndex(gStartRow) ? Row(gStartRow).FreeWidth : 0;
        Align(2, false);
        if (IsRowIndex(gStartRow)) Row(gStartRow).FreeWidth = free;
    } else if (pressedR) {
        const int16_t flag = OnlyFieldFlag();
        MoveToRightEnd(c1);
        if (flag && IsUsedCell(c1)) {
            gCursorX = CIntClamp(Cell(c1).X - 5);
        } else {
            Align(3, true);
            Align(2, false);
        }
    } else if (!right) {
        const int16_t flag = OnlyFieldFlag();
        std::string t;
        int16_t b = 0, f = 0;
        const int16_t w = GetSelectedText(t, b, f);
        gCursorX = CInt((EditorInnerWidth() + w) / 2.0);
        if (!flag) {
            Align(3, true);
            CommandPort().SetToolbarButtonValue(11, 1);
        }
    } else {
        const int16_t flag = OnlyFieldFlag();
        MoveToRightEnd(c1);
        if (hadField) Align(3, true);
        if (IsUsedCell(c1)) gCursorX = CIntClamp(Cell(c1).X / 10 * 5);
        if (!flag) {
            Align(3, true);
            CommandPort().SetToolbarButtonValue(11, 1);
        }
    }

    if (rowBefore > 1) {
        K4000_PageDown();
    } else if (hadField && rowBefore == 1 && RowNumberOf(gCurrentRow) == 2) {
        K4000_PageUp();
        if (IsRowIndex(gStartRow)) SetAlignment(Row(gStartRow).Alignment, false, true, true);
    }

    ShowSign(false, false);
    gTextModified = -1;
    gRouteNoFieldTyped = -1;
    gRouteNoFieldPlaced = -1;
}

void ResetEditorSlots() {
    gRealignPending = kFalse;
    gEditorSlots.fill(EditorSlot{});
    gSignRouteNoFont.fill(std::string());
    gRouteNoScratch.fill(SignCell{});
}

namespace {
const ResetRegistrar kReset("editor slots", StateLayer::Engine, ResetEditorSlots);
}  // namespace

}  // namespace kv
