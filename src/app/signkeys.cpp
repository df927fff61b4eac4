#include "app/signkeys.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "app/headstate.h"
#include "app/signtools.h"
#include "app/textrows.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/alignment.h"
#include "engine/cursorkeys.h"
#include "engine/dotstrips.h"
#include "engine/editorslots.h"
#include "engine/editorview.h"
#include "engine/editstate.h"
#include "engine/graphictools.h"
#include "engine/marking.h"
#include "engine/routefield.h"
#include "engine/routenumber.h"
#include "engine/signview.h"
#include "engine/textedit.h"
#include "engine/textstrip.h"
#include "engine/transforms.h"
#include "platform/ports.h"
#include "platform/vb.h"

namespace kv {

namespace {

int32_t SignWidth5() { return IsSignAddress(gCurrentSign) ? 5 * int32_t{SignInfoOf(gCurrentSign).Width} : 0; }
int32_t SignHeight5() { return IsSignAddress(gCurrentSign) ? 5 * int32_t{SignInfoOf(gCurrentSign).Height} : 0; }

void ReapplyAlignmentOf(int16_t row) {
    if (IsRowIndex(row)) SetAlignment(Row(row).Alignment, false, true, true);
}

// A key typed while the cursor timer stands still (the pointer passed over
// the toolbar, a command ran) starts it again, and is typed all the same.
void RestartCursorTimer() {
    if (gEditorActive == 1 && !ControlsPort().CursorTimerEnabled()) ControlsPort().EnableCursorTimer(true);
}

bool RouteFieldInfo(int16_t& width, int16_t& flag) {
    int16_t boundary = 0;
    std::string text;
    flag = 0;
    return GetSelectionInfo(width, boundary, text, flag);
}

// The arrow keys move the selection (or the marked cells) by one dot; a
// step over an edge of the sign is refused.
void MoveSelectionByKey(int16_t keyCode) {
    int16_t dx = 0, dy = 0;
    switch (keyCode) {
    case 37: dx = gSelX1 - 5 < 0 ? 0 : -5; break;
    case 38: dy = gSelY1 - 5 < 0 ? 0 : -5; break;
    case 39: dx = gSelX2 + 5 > SignWidth5() ? 0 : 5; break;
    case 40: dy = gSelY2 + 5 > SignHeight5() ? 0 : 5; break;
    default: return;
    }
    if (dx == 0 && dy == 0) return;
    if (gEditorActive == 2) {
        if (!SelectionTextTaken) {
            gSelectionText = SelectionToText();
            SelectionTextTaken = true;
        }
        MoveSelectedDots(dx, dy, kTrue, kFalse);
    } else {
        SignPicturePort().ClearSignPictureColor(kBlack);
        gSelX1 = CIntClamp(gSelX1 + dx);
        gSelX2 = CIntClamp(gSelX2 + dx);
        gSelY1 = CIntClamp(gSelY1 + dy);
        gSelY2 = CIntClamp(gSelY2 + dy);
        MoveMarkedCells(dx, dy, true);
        ShowSign(false, false);
        // A sideways move ends the row's alignment.
        if (IsRowIndex(gCurrentRow) && Row(gCurrentRow).Alignment != 0 && dx != 0) SetAlignment(0, false, true, true);
        if (IsUsedCell(gCursorCell)) {
            gCursorX = CIntClamp(Cell(gCursorCell).X + Cell(gCursorCell).Width);
            gCursorY = Cell(gCursorCell).Y;
        }
    }
    SignPicturePort().ClearSignPictureColor(kWhite);
}

void Backspace() {
    if (gCursorBeforeCell) {
        int16_t width = 0, flag = 0;
        // A row that holds nothing but the route-number field is not joined.
        if (RouteFieldInfo(width, flag) && flag != 0) return;
        ReflowRows();
        ReapplyAlignmentOf(gCurrentRow);
        return;
    }
    if (!IsUsedCell(gCursorCell)) return;
    const int16_t w = Cell(gCursorCell).Width;
    int16_t fieldWidth = 0, flag = 0;
    const bool field = RouteFieldInfo(fieldWidth, flag);
    DeleteCharAtCursor();
    if (field && gCurrentRow != gStartRow && gCursorBeforeCell) {
        // The deletion emptied a row below the first: it joins the row above.
        if (IsRowIndex(gCurrentRow) && !IsUsedCell(Row(gCurrentRow).FirstCell)) ReflowRows();
    } else if (gTextAlignment == 2) {
        // Right-aligned text stays flush right.
        const int16_t first = IsRowIndex(gCurrentRow) ? Row(gCurrentRow).FirstCell : 0;
        if (IsUsedCell(first)) {
            if (gCursorBeforeCell) ShiftCells(first, w, -1, false);
            else ShiftCells(FirstCellOfRow(gCursorCell, false), w, gCursorCell, false);
            RedrawEditor();
            gCursorX = CIntClamp(gCursorX + w);
        }
    } else if (gTextAlignment == 3 && field && !gRouteNoLeft) {
        SetAlignment(2, true, true, false);
        SetAlignment(3, true, true, true);
        ReleaseAlignmentKeys();
        CommandPort().SetToolbarButtonValue(11, 1);
    }
}

void TypeCharacter(int16_t code) {
    if (!CharCodeOf(code)) return;
    const int16_t before = gCursorCell;
    const bool emptyRow = IsRowIndex(gCurrentRow) && !IsUsedCell(Row(gCurrentRow).FirstCell);
    InsertChar(code, 0, 0);
    gTextModified = kTrue;
    TextChanged = true;
    // The first character of an empty right-aligned row stands at its right
    // end, as the alignment places it.
    if (emptyRow && gTextAlignment == 2) {
        SetAlignment(2, false, true, true);
        return;
    }
    // Right-aligned text grows to the left.
    if (gTextAlignment == 2 && IsUsedCell(gCursorCell) && gCursorCell != before) {
        const int16_t w = Cell(gCursorCell).Width;
        ShiftCells(FirstCellOfRow(gCursorCell, false), CIntClamp(-w), -1, false);
        gCursorX = CIntClamp(gCursorX - w);
        RedrawEditor();
    }
}

// ------------------------------------------------------------------ text signs

struct StripDims {
    int w = 0, h = 0;  // characters of row 1 and (two-row signs) of row 2
};
StripDims Strip() {
    if (!IsSignAddress(gCurrentSign)) return {};
    const SignInfo& s = SignInfoOf(gCurrentSign);
    return {std::max<int>(0, s.Width), s.Model == "K2000_2R" ? std::max<int>(0, s.Height) : 0};
}

// The column of the other row nearest in x to the cursor's column: the
// candidates run upwards from `from` while the distance shrinks.
int16_t NearestColumn(int from) {
    const int x0 = gStripX[static_cast<size_t>(std::clamp<int>(gTextColumn, 1, kStripPlaces))];
    int prev = 1 << 30, best = from;
    for (int i = std::max(1, from); i <= kStripPlaces; ++i) {
        const int d = std::abs(gStripX[static_cast<size_t>(i)] - x0);
        if (d >= prev) break;
        best = i;
        prev = d;
    }
    return static_cast<int16_t>(best);
}

}  // namespace

// ------------------------------------------------------------------ graphic sign

void K4000_pct_KeyDown(int16_t keyCode, int16_t) {
    gBlinkState = 0;
    if (gAreaSelected) {
        MoveSelectionByKey(keyCode);
        return;
    }
    if (gEditorActive == 1) TextCursorKey(keyCode);
}

void K4000_pct_KeyPress(int16_t& keyAscii) {
    gBlinkState = 0;
    TextChanged = false;
    RestartCursorTimer();
    TypeOnSignPicture(keyAscii);
}

void TypeOnSignPicture(int16_t& keyAscii) {
    if (gEditorActive != 1) return;
    if (gAreaSelected) CancelMarking();
    int16_t code = keyAscii;
    switch (code) {
    case 187: case 188: case 189: case 190: case 191: return;
    // Typed 250..254 are kept under the codes the editor gives them.
    case 250: code = 190; break;
    case 251: code = 187; break;
    case 252: code = 189; break;
    case 253: code = 188; break;
    case 254: code = 191; break;
    default: break;
    }
    if (code == 8) {
        Backspace();
        gTextModified = kTrue;
        TextChanged = true;
    } else if (code == 13) {
        SplitRowAtCursor();
        if (IsRowIndex(gCurrentRow)) ReapplyAlignmentOf(Row(gCurrentRow).PrevRow);
        gTextModified = kTrue;
        TextChanged = true;
    } else {
        TypeCharacter(code);
    }
    if (gRealignPending) {
        SetAlignment(3, false, true, true);
        gRealignPending = kFalse;
    } else if (gTextAlignment == 3) {
        RedrawTextSigns();
        TextChanged = true;
    }
}

void K4000_pct_GotFocus() {
    if (gEditorActive == 2) return;
    ControlsPort().EnableCursorTimer(true);
    ControlsPort().ShowCursorPicture(true);
}

void K4000_pct_LostFocus(bool focusStaysOnSigns) {
    if (!focusStaysOnSigns) ControlsPort().EnableCursorTimer(false);
    ControlsPort().ShowCursorPicture(false);
}

// ------------------------------------------------------------------ text signs

void K2000_pct_KeyDown(int16_t keyCode, int16_t) {
    const StripDims d = Strip();
    switch (keyCode) {
    case 35: gTextColumn = static_cast<int16_t>(gCodeCount + 1); break;
    case 36: gTextColumn = 1; break;
    case 37: gTextColumn = static_cast<int16_t>(std::max(1, gTextColumn - 1)); break;
    case 39:
        if (gTextColumn <= gCodeCount) ++gTextColumn;
        break;
    case 38:
        if (gTwoRowText && gTextColumn > d.w && gTextColumn <= d.w + d.h)
            gTextColumn = NearestColumn(std::max(1, gTextColumn - d.h));
        break;
    case 40:
        if (gTwoRowText && gTextColumn <= d.w)
            gTextColumn = std::min<int16_t>(NearestColumn(d.w + 1), static_cast<int16_t>(gCodeCount + 1));
        break;
    default:
        break;
    }
    CursorHome();
}

void K2000_pct_KeyPress(int16_t& keyAscii) {
    RestartCursorTimer();
    TypeOnStrip(keyAscii);
}

void TypeOnStrip(int16_t& keyAscii) {
    const StripDims d = Strip();
    const int16_t code = keyAscii;
    const int16_t count = gCodeCount, column = gTextColumn;
    if (code == 8) {
        if (gTextColumn >= 2) {
            ShiftTableEntries(gTextColumn, -1);
            --gTextColumn;
            DrawStripChars(gTextColumn);
        }
    } else if (code == 13) {
        if (!gTwoRowText || gTextColumn > d.w || gCodeCount - gTextColumn + 1 > d.h) {
            CursorHome();
            return;
        }
        if (gTextColumn == gCodeCount + 1)
            gCodeCount = static_cast<int16_t>(d.w + gCodeCount - gTextColumn + 1);
        else
            ShiftTableEntries(gTextColumn, static_cast<int16_t>(d.w - gTextColumn + 1));
        for (int i = gTextColumn; i <= d.w; ++i) gCodeTable[static_cast<size_t>(i)] = 32;
        DrawStripChars(gTextColumn);
        gTextColumn = static_cast<int16_t>(d.w + 1);
    } else if (CharCodeOf(code) && gCodeCount < d.w + d.h && gCodeCount < kStripPlaces) {
        ShiftTableEntries(gTextColumn, 1);
        gCodeTable[static_cast<size_t>(gTextColumn)] = code;
        DrawStripChars(gTextColumn);
        ++gTextColumn;
    }
    // A changed text is asked about before the entry is left.
    if (gCodeCount != count || gTextColumn != column) gTextModified = kTrue;
    CursorHome();
}

void K2000_pct_MouseDown(int16_t, int16_t, float x, float y, float scaleHeight) {
    const StripDims d = Strip();
    double column;
    if (y <= scaleHeight / 2 || !gTwoRowText) {
        const int pitch = gStripX[3] - gStripX[2];
        column = pitch != 0 ? (x - 10.0) / pitch + 1 : 1;
    } else {
        column = (x - 10) / 30.0 + d.w + 1;
    }
    const int c = static_cast<int>(RoundHalfEven(column));
    gTextColumn = static_cast<int16_t>(std::clamp(c, 1, gCodeCount + 1));
    CursorHome();
}

void K2000_pct_GotFocus() {
    ControlsPort().EnableCursorTimer(true);
    ControlsPort().ShowStripCursor(true);
}

void K2000_pct_LostFocus() {
    ControlsPort().EnableCursorTimer(false);
    ControlsPort().ShowStripCursor(false);
}

}  // namespace kv
