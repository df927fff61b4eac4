// The active sign: which of the three graphic sign pictures the editors work
// on, the clicks that choose it, the page options it brings along, the
// right-button drag of a picture's frame with its blink, and the routing of
// the picture's mouse and keys into the graphic tools.
#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QRadioButton>
#include <QTimer>
#include <QToolBar>

#include "data/records.h"
#include "data/signtable.h"
#include "engine/dotlayers.h"
#include "engine/dotstrips.h"
#include "engine/editorslots.h"
#include "engine/editstate.h"
#include "engine/rowlookup.h"
#include "data/charmap.h"
#include "engine/graphictools.h"
#include "engine/signpictures.h"
#include "engine/transforms.h"
#include "ui/frmHead.h"
#include "app/headstate.h"
#include "app/pagetimes.h"
#include "ui/headwidgets_qt.h"
#include "data/settings.h"
#include "app/signcontrols.h"
#include "data/inverted.h"
#include "platform/host.h"
#include "platform/vb.h"

using namespace kv;

namespace {

bool FocusIsNamed(std::initializer_list<const char*> names) {
    const QWidget* w = QApplication::focusWidget();
    if (!w) return false;
    for (const char* n : names)
        if (w->objectName() == QLatin1String(n)) return true;
    return false;
}

// A position in fifths of a dot snapped to its dot: (round(v) \ 5) x 5.
int16_t Snap(float v) { return static_cast<int16_t>(static_cast<int32_t>(RoundHalfEven(v)) / 5 * 5); }

// The point lies strictly inside the selection rectangle.
bool InsideSelection(int16_t x, int16_t y) {
    const int16_t top = std::min(gSelY1, gSelY2), bottom = std::max(gSelY1, gSelY2);
    return gSelX1 < x && x < gSelX2 && top < y && y < bottom;
}

}  // namespace

// ------------------------------------------------------------------ the active sign

void frmHead::ChangeAddress(int16_t index, bool recount, bool keep) {
    if (index != ActivePictureIndex) {
        if (ActivePictureIndex >= 0 && ActivePictureIndex < kMaxSignPictures) {
            // The sign that was active keeps its editor state in its slot.
            StoreEditorPage(ActivePictureIndex, true, -1);
            SignSB[ActivePictureIndex]->SetPanelPicture(4, picInactive->pixmap());
        }
        ActivePictureIndex = index;
        CancelMarking();
        const int16_t s = FindK4000ByGraphic(index);
        if (s > 0 && index >= 0 && index < kMaxSignPictures) {
            gCurrentSign = s;
            // ... and the new one's comes back.
            RestoreEditorPage(index);
            if (recount) {
                int16_t n = std::max<int16_t>(NumberOfChangingTexts(-1), 1);
                if (gPicturePage[index] > n) n = gPicturePage[index];
                if (gCurrentPage > n) {
                    gCurrentPage = n;
                    gPicturePage[index] = gCurrentPage;
                }
                UpdateNoOfTextsOption(n, gCurrentPage);
            }
            gEditPicture = picSign[index];
            gCurrentPictureIndex = index;
            if (gCursorPicture) gCursorPicture->hide();
            gCursorPicture = Cursor[index];
            gActivePicture = index;
            SignSB[index]->SetPanelPicture(4, picActive->pixmap());

            ReleaseAlignmentKeys();
            const int16_t alignment = IsRowIndex(gCurrentRow) ? gRows[gCurrentRow].Alignment : 0;
            if (alignment == 1) tbButtons[10]->setChecked(true);
            else if (alignment == 2) tbButtons[12]->setChecked(true);
            else if (alignment == 3) tbButtons[11]->setChecked(true);
            PicSignFrame[index]->raise();
            gEditPicture->raise();
            if (gEditPicture->isVisible()) gEditPicture->setFocus();
            DoEvents();
        }
    }
    if (gEditorActive == 1) CursorTimer->start();
    else CursorTimer->stop();
}

int16_t frmHead::NumberOfChangingTexts(int16_t sign) { return kv::NumberOfChangingTexts(sign); }

void frmHead::UpdateNoOfTextsOption(int16_t count, int16_t selected) { kv::UpdateNoOfTextsOption(count, selected); }

void frmHead::ReleaseAlignmentKeys() {
    for (int i : {10, 11, 12}) tbButtons[i]->setChecked(false);
}

void frmHead::fraCutSub(bool enable) {
    for (int i = 33; i <= 38; ++i) tbButtons[i]->setEnabled(enable);
}

void frmHead::CancelMarking() {
    gAreaSelected = kFalse;
    ClearSignPictureBlack();
    gSelX1 = gSelY1 = gSelX2 = gSelY2 = 0;
    if (tbButtons[33]->isEnabled()) fraCutSub(false);
}

// ------------------------------------------------------------------ clicks and focus

void frmHead::picSign_Click(int index) { ChangeAddress(static_cast<int16_t>(index), true, true); }

void frmHead::PicSignFrame_Click(int index) { ChangeAddress(static_cast<int16_t>(index), true, true); }

void frmHead::PicSignFrame_GotFocus(int index) {
    ChangeAddress(static_cast<int16_t>(index), true, true);
    if (gEditPicture && gEditPicture->isVisible()) gEditPicture->setFocus();
}

void frmHead::SignSB_PanelClick(int index, int panel) {
    if (panel != 4 || index == ActivePictureIndex) return;
    KeepGraphicOnPanelClick = true;
    ChangeAddress(static_cast<int16_t>(index), true, true);
    KeepGraphicOnPanelClick = false;
}

void frmHead::picSign_GotFocus(int index) {
    if (index == ActivePictureIndex) K4000_pct_GotFocus();
}

void frmHead::picSign_LostFocus(int) { K4000_pct_LostFocus(); }

void frmHead::K4000_pct_GotFocus() {
    if (gEditorActive == 2) return;
    CursorTimer->start();
    if (gCursorPicture) gCursorPicture->show();
}

void frmHead::K4000_pct_LostFocus() {
    if (!FocusIsNamed({"picSign", "PicSignFrame"})) CursorTimer->stop();
    if (gCursorPicture) gCursorPicture->hide();
}

// ------------------------------------------------------------------ dragging a frame

void frmHead::PicSignFrame_MouseDown(int index, int16_t button, int16_t, float x, float y) {
    if (button != 2) return;
    FrameDragStartX[index] = CLng(x);
    FrameDragStartY[index] = CLng(y);
    timSign[index]->start();
    SetScreenMousePointer(15);
}

void frmHead::PicSignFrame_MouseMove(int index, int16_t button, int16_t, float x, float y) {
    if (index != ActivePictureIndex && ScreenMousePointer() == 15) SetScreenMousePointer(0);
    SignFrame* frame = PicSignFrame[index];
    if (button == 2) {
        frame->move(frame->x() + static_cast<int>(x - FrameDragStartX[index]),
                    frame->y() + static_cast<int>(y - FrameDragStartY[index]));
    } else if (y < picSign[index]->y() + picSign[index]->height()) {
        SetScreenMousePointer(15);
    } else if (ScreenMousePointer() == 15) {
        SetScreenMousePointer(0);
    }
}

void frmHead::PicSignFrame_MouseUp(int index, int16_t, int16_t, float, float) {
    PicSignFrame[index]->SetBackColor(SignFrame::ButtonFace());
    timSign[index]->stop();
    SetScreenMousePointer(0);
}

void frmHead::timSign_Timer(int index) {
    // One phase for the three frames.
    if (BlinkOn) {
        PicSignFrame[index]->SetBackColor(QColor(255, 255, 0));
        BlinkOn = false;
    } else {
        PicSignFrame[index]->SetBackColor(Qt::black);
        BlinkOn = true;
    }
}

// ------------------------------------------------------------------ mouse on the sign picture

void frmHead::PictureHit(int index, float& x, float& y) const {
    if (!IsSignAddress(gCurrentSign)) return;
    const SignInfo& s = SignInfoOf(gCurrentSign);
    const SignPicture* picture = CurrentSignPicture();
    if (!picture) picture = picSign[index];
    x = static_cast<float>(PictureHitCoordinate(x, picture->width(), s.Width));
    y = static_cast<float>(PictureHitCoordinate(y, picture->height(), s.Height));
}

void frmHead::picSign_MouseDown(int index, int16_t button, int16_t shift, float x, float y) {
    if (ActivePictureIndex >= 0 && index != ActivePictureIndex) return;
    PictureHit(index, x, y);
    K4000_pct_MouseDown(button, shift, x, y);
}

void frmHead::picSign_MouseMove(int index, int16_t button, int16_t shift, float x, float y) {
    if (ActivePictureIndex >= 0 && index != ActivePictureIndex) return;
    PictureHit(index, x, y);
    K4000_pct_MouseMove(button, shift, x, y);
    if (!RubberBandShown && TextChanged && gMarkMode != 21) ShowSign(false, false);
    if (ScreenMousePointer() == 15) SetScreenMousePointer(0);
    if (CursorTimerOff) {
        CursorTimer->start();
        CursorTimerOff = false;
    }
}

void frmHead::picSign_MouseUp(int index, int16_t button, int16_t shift, float x, float y) {
    if (ActivePictureIndex >= 0 && index != ActivePictureIndex) return;
    PictureHit(index, x, y);
    K4000_pct_MouseUp(button, shift, x, y);
}

void frmHead::K4000_pct_MouseDown(int16_t button, int16_t, float x, float y) {
    const int16_t x5 = Snap(x), y5 = Snap(y);
    if (gEditorActive == 2) {
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
                gSelX1 = gSelX2 = static_cast<int16_t>(x5 + 2);
                gSelY1 = gSelY2 = static_cast<int16_t>(y5 + 2);
                break;
            case 20:
                if (button == 1) {
                    if (InsideSelection(x5, y5)) {
                        gCurrentTool = 21;
                        ClearSignPicture(255, true);
                        gSelectionText = SelectionToText();
                        // A new drag starts without an offset.
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
                SetScreenMousePointer(11);
                FloodFillGraphic(button);
                SetScreenMousePointer(0);
                gGraphicModified = kTrue;
                break;
            default: break;
        }
        return;
    }
    if (button == 1) {
        gMarkMode = 20;
        if (gAreaSelected && InsideSelection(x5, y5)) {
            gMarkMode = 21;
            DragStartX = x5;
            DragStartY = y5;
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
            gCursorX = static_cast<int16_t>(gCells[cell].X + gCells[cell].Width);
            gCursorY = gCells[cell].Y;
            gCurrentRow = FindRowOfCell(cell);
            SetAlignment(IsRowIndex(gCurrentRow) ? gRows[gCurrentRow].Alignment : 0, false, true, true);
            gCursorBeforeCell = kFalse;
        }
        if (gAreaSelected) CancelMarking();
        if (gCursorCell != 0 && std::string(1, gCells[gCursorCell].FontCode) != gCurrentFontCode) {
            if (ReadCharMap(std::string(1, gCells[gCursorCell].FontCode)) == CharMapStatus::Taken && !gCurrentFontCode.empty())
                gCells[gCursorCell].FontCode = gCurrentFontCode[0];
        }
    }
}

void frmHead::K4000_pct_MouseMove(int16_t button, int16_t, float x, float y) {
    RubberBandShown = false;
    TextChanged = false;
    const int16_t x5 = Snap(x), y5 = Snap(y);
    const bool pressed = button == 1 || button == 2;
    if (gEditorActive == 2) {
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
                    ClearSignPicture(0, box);
                    gSelX2 = static_cast<int16_t>(x5 + 2);
                    gSelY2 = static_cast<int16_t>(y5 + 2);
                    ClearSignPicture(255, box);
                }
                break;
            case 20:
                if (button == 1) {
                    ClearSignPicture(0, true);
                    gSelX2 = x5;
                    gSelY2 = y5;
                    ClampSelection();
                    ClearSignPicture(kWhite, true);
                    RubberBandShown = true;
                } else if (button == 0 && gEditPicture) {
                    const bool inside = InsideSelection(x5, y5);
                    if (UseStandardMousePointer)
                        gEditPicture->setCursor(inside ? Qt::SizeAllCursor : Qt::CrossCursor);
                    else
                        gEditPicture->setCursor(QCursor((inside ? imgCursorMove : imgCursorKors1)->pixmap()));
                }
                break;
            case 21:
                if (button == 1) {
                    if (MoveOffsetX != 0 || MoveOffsetY != 0)
                        ClearSignRect(0, gSelX1 - MoveOffsetX, gSelY1 - MoveOffsetY, gSelX2 - MoveOffsetX,
                                      gSelY2 - MoveOffsetY, true);
                    MoveOffsetX = static_cast<int16_t>(DragStartX - x5);
                    MoveOffsetY = static_cast<int16_t>(DragStartY - y5);
                    ClearSignRect(255, gSelX1 - MoveOffsetX, gSelY1 - MoveOffsetY, gSelX2 - MoveOffsetX,
                                  gSelY2 - MoveOffsetY, true);
                    RubberBandShown = true;
                }
                break;
            default: break;
        }
        return;
    }
    if (gMarkMode != 21) {
        if (button == 1) {
            ClearSignPicture(0, true);
            gSelX2 = x5;
            gSelY2 = y5;
            ClearSignPicture(kWhite, true);
            RubberBandShown = true;
        } else if (button == 0 && gEditPicture) {
            if (!(gAreaSelected && InsideSelection(x5, y5))) gEditPicture->unsetCursor();
            else if (UseStandardMousePointer) gEditPicture->setCursor(Qt::SizeAllCursor);
            else gEditPicture->setCursor(QCursor(imgCursorMove->pixmap()));
        }
    }
    // Dragging marked cells (mark mode 21) moves them with the text editor
    // (MoveMarkedCells) once it is linked in.
}

void frmHead::K4000_pct_MouseUp(int16_t button, int16_t, float, float) {
    if (gEditorActive == 2) {
        switch (gCurrentTool) {
            case 2: DrawGraphicLine(button); break;
            case 1: DrawGraphicRect(button); break;
            case 20:
                if (gSelX1 != gSelX2 && gSelY1 != gSelY2) {
                    NormalizeSelection();
                    SelectionTextTaken = false;
                    fraCutSub(true);
                    gAreaSelected = kTrue;
                }
                break;
            case 21:
                ClearSignRect(0, gSelX1 - MoveOffsetX, gSelY1 - MoveOffsetY, gSelX2 - MoveOffsetX,
                              gSelY2 - MoveOffsetY, true);
                MoveSelectedDots(static_cast<int16_t>(-MoveOffsetX), static_cast<int16_t>(-MoveOffsetY),
                                 VbBool(gCutMode & 1), VbBool(gCutMode & 2));
                gCurrentTool = 20;
                if (gEditPicture) {
                    if (UseStandardMousePointer) gEditPicture->setCursor(Qt::CrossCursor);
                    else gEditPicture->setCursor(QCursor(imgCursorKors1->pixmap()));
                }
                break;
            default: break;
        }
        return;
    }
    if (gMarkMode == 21) {
        gMarkMode = 20;
        ShowSign(false, false);
        ClearSignPicture(kWhite, true);
    } else if (button == 1) {
        NormalizeSelection();
        // The cells inside the rectangle are marked here (MarkCellsInRect,
        // then the font of the first marked cell and UpdateMarkFrame) once
        // the text editor is linked in; with nothing marked the marking ends.
        if (!gAreaSelected) CancelMarking();
    }
}

// ------------------------------------------------------------------ keys on the sign picture

void frmHead::K4000_pct_KeyDown(int16_t keyCode, int16_t) {
    gBlinkState = 0;
    if (!gAreaSelected) {
        // Text mode moves the text cursor among the cells (keys 33..40)
        // once the text editor is linked in.
        return;
    }
    int16_t dx = 0, dy = 0;
    const int16_t width5 = IsSignAddress(gCurrentSign) ? static_cast<int16_t>(5 * SignInfoOf(gCurrentSign).Width) : 0;
    switch (keyCode) {
        case 37: dx = gSelX1 - 5 < 0 ? 0 : -5; break;
        case 38: dy = gSelY1 - 5 < 0 ? 0 : -5; break;
        case 39: dx = gSelX2 + 5 > width5 ? 0 : 5; break;
        case 40: dy = 5; break;
        default: return;
    }
    if (dx == 0 && dy == 0) return;
    if (gEditorActive == 2) {
        if (!SelectionTextTaken) {
            gSelectionText = SelectionToText();
            SelectionTextTaken = true;
        }
        MoveSelectedDots(dx, dy, kTrue, kFalse);
    }
    // In text mode the marked cells move with the frame (MoveMarkedCells)
    // once the text editor is linked in.
    ClearSignPicture(kWhite, true);
}

void frmHead::K4000_pct_KeyPress(int16_t& keyAscii) {
    gBlinkState = 0;
    TextChanged = false;
    if (!CursorTimer->isActive()) {
        // The first key after the cursor stopped only starts it again.
        CursorTimer->start();
        keyAscii = 0;
        return;
    }
    if (gEditorActive != 1) return;
    // Typing, Backspace and Enter reach the text editor here once it is
    // linked in.
}
