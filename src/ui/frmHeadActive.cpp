// The active sign: which of the three graphic sign pictures the editors work
// on, the clicks that choose it, the page options it brings along, the
// right-button drag of a picture's frame with its blink, and the picture's
// mouse events in fifths of a dot for the tools.
#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QRadioButton>
#include <QTimer>

#include "app/activesign.h"
#include "app/headstate.h"
#include "app/signcontrols.h"
#include "app/signkeys.h"
#include "app/signtools.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/alignment.h"
#include "engine/editorslots.h"
#include "engine/editstate.h"
#include "engine/marking.h"
#include "engine/signpictures.h"
#include "ui/frmHead.h"
#include "app/pagetimes.h"
#include "ui/headwidgets_qt.h"
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

}  // namespace

// ------------------------------------------------------------------ the active sign

// A resized frame shows the active marker; after a layout only the active
// sign keeps it.
void frmHead::KeepActiveMarkerOnActiveSign() {
    for (int16_t k = 0; k < kMaxSignPictures; ++k)
        if (k != ActivePictureIndex) SignSB[k]->SetPanelPicture(4, picInactive->pixmap());
}

void frmHead::ChangeAddress(int16_t index, bool recount, bool) {
    if (index != ActivePictureIndex) {
        const int16_t previous = ActivePictureIndex;
        if (previous >= 0 && previous < kMaxSignPictures) SignSB[previous]->SetPanelPicture(4, picInactive->pixmap());
        ActivePictureIndex = index;
        if (ChangeActiveSign(previous, index, recount) > 0) {
            gEditPicture = picSign[index];
            if (gCursorPicture) gCursorPicture->hide();
            gCursorPicture = Cursor[index];
            SignSB[index]->SetPanelPicture(4, picActive->pixmap());
            PicSignFrame[index]->raise();
            gEditPicture->raise();
            if (gEditPicture->isVisible()) gEditPicture->setFocus();
            DoEvents();
        }
    }
    // Only the active sign's frame carries the active marker.
    KeepActiveMarkerOnActiveSign();
    if (gEditorActive == 1) CursorTimer->start();
    else CursorTimer->stop();
}

int16_t frmHead::NumberOfChangingTexts(int16_t sign) { return kv::NumberOfChangingTexts(sign); }

void frmHead::UpdateNoOfTextsOption(int16_t count, int16_t selected) { kv::UpdateNoOfTextsOption(count, selected); }

// ------------------------------------------------------------------ clicks and focus

// While the text sign is edited in its strip, the graphic pictures beside it
// are not loaded with an entry nor committed: a click or the focus on one
// leaves the text sign current and hands the keyboard back to the strip.
// (Made current under the strip, a graphic sign would have its text loaded
// into the strip by the next load.) True when the event is taken so.
bool frmHead::StripKeepsTheKeys() {
    if (!gTextSignActive) return false;
    if (K2000_pct->isVisible() && !K2000_pct->hasFocus()) K2000_pct->setFocus();
    return true;
}

void frmHead::picSign_Click(int index) {
    if (StripKeepsTheKeys()) return;
    ChangeAddress(static_cast<int16_t>(index), true, true);
}

void frmHead::PicSignFrame_Click(int index) {
    if (StripKeepsTheKeys()) return;
    ChangeAddress(static_cast<int16_t>(index), true, true);
}

void frmHead::PicSignFrame_GotFocus(int index) {
    if (StripKeepsTheKeys()) return;
    ChangeAddress(static_cast<int16_t>(index), true, true);
    if (gEditPicture && gEditPicture->isVisible()) gEditPicture->setFocus();
}

void frmHead::SignSB_PanelClick(int index, int panel) {
    if (panel != 4 || index == ActivePictureIndex || StripKeepsTheKeys()) return;
    KeepGraphicOnPanelClick = true;
    ChangeAddress(static_cast<int16_t>(index), true, true);
    KeepGraphicOnPanelClick = false;
}

void frmHead::picSign_GotFocus(int index) {
    if (StripKeepsTheKeys()) return;
    if (index == ActivePictureIndex) K4000_pct_GotFocus();
}

void frmHead::picSign_LostFocus(int) { K4000_pct_LostFocus(FocusIsNamed({"picSign", "PicSignFrame"})); }

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
        // The grab point stays under the pointer; the frame stays whole in
        // the sign area, clear of the controls around it.
        const QWidget* area = frame->parentWidget();
        const int left = frame->x() + static_cast<int>(x - FrameDragStartX[index]);
        const int top = frame->y() + static_cast<int>(y - FrameDragStartY[index]);
        frame->move(std::clamp(left, 0, std::max(0, area->width() - frame->width())),
                    std::clamp(top, 0, std::max(0, area->height() - frame->height())));
    } else if (ScreenMousePointer() == 15) {
        // Where a drag can start, the frame and its status bar show the
        // size-all pointer of their own; after a drag the screen's goes.
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

void frmHead::PictureHit(int, float& x, float& y) const {
    if (!IsSignAddress(gCurrentSign)) return;
    const SignInfo& s = SignInfoOf(gCurrentSign);
    // The dot grid without the gap that closes the picture.
    const PictureSize grid = SignGridSize(gCurrentSign);
    x = static_cast<float>(PictureHitCoordinate(x, grid.width, s.Width));
    y = static_cast<float>(PictureHitCoordinate(y, grid.height, s.Height));
}

void frmHead::picSign_MouseDown(int index, int16_t button, int16_t shift, float x, float y) {
    if (gTextSignActive || (ActivePictureIndex >= 0 && index != ActivePictureIndex)) return;
    PictureHit(index, x, y);
    K4000_pct_MouseDown(button, shift, x, y);
}

void frmHead::picSign_MouseMove(int index, int16_t button, int16_t shift, float x, float y) {
    if (gTextSignActive || (ActivePictureIndex >= 0 && index != ActivePictureIndex)) return;
    PictureHit(index, x, y);
    K4000_pct_MouseMove(button, shift, x, y);
    AfterSignPictureMouseMove();
    if (ScreenMousePointer() == 15) SetScreenMousePointer(0);
}

void frmHead::picSign_MouseUp(int index, int16_t button, int16_t shift, float x, float y) {
    if (gTextSignActive || (ActivePictureIndex >= 0 && index != ActivePictureIndex)) return;
    PictureHit(index, x, y);
    K4000_pct_MouseUp(button, shift, x, y);
}
