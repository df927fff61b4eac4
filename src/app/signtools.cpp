#include "app/signtools.h"

#include <algorithm>
#include <string>

#include "app/headstate.h"
#include "app/toolbar.h"
#include "data/charmap.h"
#include "data/fontlist.h"
#include "data/inverted.h"
#include "data/records.h"
#include "data/settings.h"
#include "data/signtable.h"
#include "engine/alignment.h"
#include "engine/cursorkeys.h"
#include "engine/dotlayers.h"
#include "engine/dotstrips.h"
#include "engine/editstate.h"
#include "engine/graphictools.h"
#include "engine/marking.h"
#include "engine/rowlookup.h"
#include "engine/signview.h"
#include "engine/transforms.h"
#include "platform/host.h"
#include "platform/ports.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

int16_t DragStartX = 0, DragStartY = 0;
int16_t MoveDX = 0, MoveDY = 0;
int16_t MoveOffsetX = 0, MoveOffsetY = 0;
bool SelectionTextTaken = false;
bool RubberBandShown = false;
bool TextChanged = false;
bool CursorTimerOff = false;

namespace {

constexpr int32_t kRed = 255;

int32_t SignWidth5() { return IsSignAddress(gCurrentSign) ? 5 * int32_t{SignInfoOf(gCurrentSign).Width} : 0; }
int32_t SignHeight5() { return IsSignAddress(gCurrentSign) ? 5 * int32_t{SignInfoOf(gCurrentSign).Height} : 0; }

// The selection frame, or a line between the tool's points.
void Outline(int32_t colour, bool box) {
    SignPicturePort().ClearSignRect(colour, gSelX1, gSelY1, gSelX2, gSelY2, box);
}
// The selection frame shifted back by the drag offset.
void DraggedFrame(int32_t colour) {
    SignPicturePort().ClearSignRect(colour, gSelX1 - MoveOffsetX, gSelY1 - MoveOffsetY, gSelX2 - MoveOffsetX,
                                    gSelY2 - MoveOffsetY, true);
}

void CursorAfterItsCell() {
    if (!IsUsedCell(gCursorCell)) return;
    gCursorX = CIntClamp(Cell(gCursorCell).X + Cell(gCursorCell).Width);
    gCursorY = Cell(gCursorCell).Y;
}

bool RowHasAlignment() { return IsRowIndex(gCurrentRow) && Row(gCurrentRow).Alignment != 0; }

// ------------------------------------------------------------------ graphic mode

void GraphicDown(int16_t button, int16_t x5, int16_t y5) {
    switch (gCurrentTool) {
    case 3:
        gSelX1 = x5;
        gSelY1 = y5;
        gHasGraphic = gGraphicModified = kTrue;
        DrawGraphicPoint(button);
        break;
    case 1:
    case 2:
        gHasGraphic = gGraphicModified = kTrue;
        gSelX1 = gSelX2 = CIntClamp(x5 + 2);
        gSelY1 = gSelY2 = CIntClamp(y5 + 2);
        break;
    case 20:
        if (button == 1) {
            if (gAreaSelected && InsideSelection(x5, y5)) {
                gCurrentTool = 21;
                Outline(kRed, true);
                gSelectionText = SelectionToText();
                MoveOffsetX = MoveOffsetY = 0;
            } else {
                CancelMarking();
                fraCutSub(false);
                gSelX1 = gSelX2 = x5;
                gSelY1 = gSelY2 = y5;
            }
            DragStartX = x5;
            DragStartY = y5;
        } else if (button == 2) {
            CancelMarking();
            fraCutSub(false);
            DragStartX = DragStartY = 0;
        }
        break;
    case 4:
        gSelX1 = x5;
        gSelY1 = y5;
        SetBusy(true);
        FloodFillGraphic(button);
        SetBusy(false);
        gGraphicModified = kTrue;
        break;
    default:
        break;
    }
}

void GraphicMove(int16_t button, int16_t x5, int16_t y5) {
    const bool pressed = button == 1 || button == 2;
    switch (gCurrentTool) {
    case 3:
        if (pressed) {
            gSelX1 = x5;
            gSelY1 = y5;
            DrawGraphicPoint(button);
        }
        break;
    case 1:
    case 2:
        if (pressed) {
            const bool box = gCurrentTool == 1;
            Outline(kBlack, box);
            gSelX2 = CIntClamp(x5 + 2);
            gSelY2 = CIntClamp(y5 + 2);
            Outline(kRed, box);
        }
        break;
    case 20:
        if (button == 1) {
            Outline(kBlack, true);
            gSelX2 = x5;
            gSelY2 = y5;
            ClampSelection();
            Outline(kWhite, true);
            RubberBandShown = true;
        } else if (button == 0) {
            ControlsPort().SetEditPointer(gAreaSelected && InsideSelection(x5, y5) ? 5 : 2, gPenSize);
        }
        break;
    case 21:
        if (button == 1) {
            if (MoveOffsetX != 0 || MoveOffsetY != 0) DraggedFrame(kBlack);
            MoveOffsetX = CIntClamp(DragStartX - x5);
            MoveOffsetY = CIntClamp(DragStartY - y5);
            DraggedFrame(kRed);
            RubberBandShown = true;
        }
        break;
    default:
        break;
    }
}

void GraphicUp(int16_t button) {
    switch (gCurrentTool) {
    case 2:
        DrawGraphicLine(button);
        break;
    case 1:
        DrawGraphicRect(button);
        break;
    case 20:
        if (gSelX1 != gSelX2 && gSelY1 != gSelY2) {
            NormalizeSelection();
            SelectionTextTaken = false;
            fraCutSub(true);
            gAreaSelected = kTrue;
        }
        break;
    case 21: {
        DraggedFrame(kBlack);
        int16_t dx = CIntClamp(-MoveOffsetX), dy = CIntClamp(-MoveOffsetY);
        // The selection stays on the sign: a step that would carry it over
        // an edge is refused, so no dot is lost.
        if (gSelX1 + dx < 0 || gSelX2 + dx > SignWidth5()) dx = 0;
        if (gSelY1 + dy < 0 || gSelY2 + dy > SignHeight5()) dy = 0;
        MoveSelectedDots(dx, dy, VbBool(gCutMode & 1), VbBool(gCutMode & 2));
        MoveOffsetX = MoveOffsetY = 0;
        gCurrentTool = 20;
        ControlsPort().SetEditPointer(2, gPenSize);
        break;
    }
    default:
        break;
    }
}

// ------------------------------------------------------------------ text mode

void TextDown(int16_t button, int16_t x5, int16_t y5) {
    if (button == 1) {
        gMarkMode = 20;
        if (gAreaSelected && InsideSelection(x5, y5)) {
            gMarkMode = 21;
            DragStartX = x5;
            DragStartY = y5;
            MoveDX = MoveDY = 0;
        } else {
            CancelMarking();
            gSelX1 = gSelX2 = x5;
            gSelY1 = gSelY2 = y5;
        }
    }
    if (button == 2) {
        // The text cursor goes behind the cell under the point.
        const int16_t cell = HitTestRow(x5, y5);
        if (cell != 0) {
            gCursorCell = cell;
            gCursorBeforeCell = kFalse;
            CursorAfterItsCell();
            gCurrentRow = FindRowOfCell(cell);
            SetAlignment(IsRowIndex(gCurrentRow) ? Row(gCurrentRow).Alignment : int16_t{0}, false, true, true);
        }
        if (gAreaSelected) CancelMarking();
        FollowCursorFont();
    }
}

void DragMarkedCells(int16_t x5, int16_t y5) {
    TextChanged = true;
    const int32_t w5 = SignWidth5();
    if (!(DragStartX >= 1 && DragStartX <= w5 - 1 && DragStartY >= 1)) {
        gMarkMode = 0;
        Beep();
        return;
    }
    int16_t dx = CIntClamp(x5 - DragStartX), dy = CIntClamp(y5 - DragStartY);
    if (dx == 0 && dy == 0) return;
    // The frame drawn at the last step goes.
    SignPicturePort().ClearSignPictureColor(kBlack);
    DragStartX = x5;
    DragStartY = y5;
    if (dy < 0 && gSelY1 + dy < 0) dy = 0;
    if (dx < 0 && gSelX1 + dx < 0) dx = 0;
    if (dx > 0 && gSelX2 + dx > w5) {
        dx = 0;
        if (gSelX2 > w5) {
            gSelX2 = CIntClamp(w5);
            UpdateMarkFrame();
        }
    }
    MoveDX = dx;
    MoveDY = dy;
    gSelX1 = CIntClamp(gSelX1 + dx);
    gSelX2 = CIntClamp(gSelX2 + dx);
    gSelY1 = CIntClamp(gSelY1 + dy);
    gSelY2 = CIntClamp(gSelY2 + dy);
    MoveMarkedCells(dx, dy, true);
    SignPicturePort().ClearSignPictureColor(kRed);
    if (RowHasAlignment() && dx != 0) SetAlignment(0, false, true, true);
    CursorAfterItsCell();
}

void TextMove(int16_t button, int16_t x5, int16_t y5) {
    if (gMarkMode != 21) {
        if (button == 1) {
            Outline(kBlack, true);
            gSelX2 = x5;
            gSelY2 = y5;
            Outline(kWhite, true);
            RubberBandShown = true;
        } else if (button == 0) {
            ControlsPort().SetEditPointer(gAreaSelected && InsideSelection(x5, y5) ? 5 : 0, gPenSize);
        }
    } else if (button == 1) {
        DragMarkedCells(x5, y5);
    }
}

void TextUp(int16_t button) {
    if (gMarkMode == 21) {
        gMarkMode = 20;
        ShowSign(false, false);
        SignPicturePort().ClearSignPictureColor(kWhite);
    } else if (button == 1) {
        NormalizeSelection();
        MarkCellsInRect(gSelX1, gSelY1, gSelX2, gSelY2);
        if (MarkedCount() > 0) FindFontByChar(std::string(1, Cell(gMarkedCells[1]).FontCode));
        UpdateMarkFrame();
        if (!gAreaSelected) CancelMarking();
    }
}

}  // namespace

int16_t SnapToDot(float v) { return CIntClamp(static_cast<int32_t>(RoundHalfEven(v)) / 5 * 5); }

bool InsideSelection(int16_t x, int16_t y) {
    const int16_t top = std::min(gSelY1, gSelY2), bottom = std::max(gSelY1, gSelY2);
    return gSelX1 < x && x < gSelX2 && top < y && y < bottom;
}

void K4000_pct_MouseDown(int16_t button, int16_t, float x, float y) {
    const int16_t x5 = SnapToDot(x), y5 = SnapToDot(y);
    if (gEditorActive == 2) GraphicDown(button, x5, y5);
    else TextDown(button, x5, y5);
}

void K4000_pct_MouseMove(int16_t button, int16_t, float x, float y) {
    RubberBandShown = false;
    TextChanged = false;
    const int16_t x5 = SnapToDot(x), y5 = SnapToDot(y);
    if (gEditorActive == 2) GraphicMove(button, x5, y5);
    else TextMove(button, x5, y5);
}

void K4000_pct_MouseUp(int16_t button, int16_t, float, float) {
    if (gEditorActive == 2) GraphicUp(button);
    else TextUp(button);
}

void AfterSignPictureMouseMove() {
    if (!RubberBandShown && TextChanged && gMarkMode != 21) ShowSign(false, false);
    ResumeCursorTimer();
}

void ResumeCursorTimer() {
    if (!CursorTimerOff) return;
    CursorTimerOff = false;
    if (gEditorActive == 1) ControlsPort().EnableCursorTimer(true);
}

void ResetSignTools() {
    DragStartX = DragStartY = 0;
    MoveDX = MoveDY = 0;
    MoveOffsetX = MoveOffsetY = 0;
    SelectionTextTaken = false;
    RubberBandShown = false;
    TextChanged = false;
    CursorTimerOff = false;
}

namespace {
const ResetRegistrar kReset("sign picture tools", StateLayer::App, ResetSignTools);
}  // namespace

}  // namespace kv
