// The graphic sign pictures of the main window: laying out the frames of the
// shown graphic signs, sizing each picture to its dot grid, painting the lit
// dots of a sign at its zoom, single dots and tool outlines for the graphic
// tools, and handing the keyboard focus back to the current picture.
#include <QGroupBox>
#include <QPainter>
#include <QPen>
#include <QTimer>

#include "data/language.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/dotlayers.h"
#include "engine/editorslots.h"
#include "engine/graphictools.h"
#include "engine/render.h"
#include "engine/routenumber.h"
#include "engine/signpictures.h"
#include "ui/frmHead.h"

#include "engine/signview.h"
#include "app/headstate.h"
#include "ui/headwidgets_qt.h"
#include "ui/qtbridge_qt.h"
#include "platform/host.h"
#include "platform/vb.h"


using namespace kv;

namespace {

// A colour as the window system numbers it (0xBBGGRR); -1 is the picture's
// foreground colour.
QColor ColourOf(int32_t colour, const SignPicture* picture) {
    if (colour == -1) return picture ? picture->ForeColor() : QColor(Qt::white);
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

bool IsGraphicSign(int16_t address) { return IsSignAddress(address) && SignInfoOf(address).Model == "K4000"; }

}  // namespace

SignPicture* frmHead::CurrentSignPicture() const {
    if (!IsSignAddress(gCurrentSign)) return nullptr;
    const int16_t k = SignInfoOf(gCurrentSign).GraphicIndex;
    return k >= 0 && k < kMaxSignPictures ? picSign[k] : nullptr;
}

// ------------------------------------------------------------------ layout

void frmHead::ResetPictureControls() {
    for (SignFrame* f : PicSignFrame)
        if (!f->isHidden()) f->hide();
}

void frmHead::LayoutSignPictures(bool resize, bool large) {
    K4000_pct->hide();
    ResetPictureControls();
    int16_t n = 0;
    bool reported = quietMaxSigns_;
    for (int16_t address : ShownK4000Signs()) {
        if (n == kMaxSignPictures) {
            // The signs beyond the pictures get none: one message says so.
            if (!reported) MsgBox(gTextS150.empty() || gTextS150 == "0" ? "Max 3 signs!" : gTextS150);
            reported = true;
            continue;
        }
        SignInfo& s = SignInfoOf(address);
        s.GraphicIndex = n;
        ResizeGraphicLayer(n, s.Width + 5, s.Height + 5);
        ResizeUndoLayer(n, s.Width + 5, s.Height + 5);
        SelectSign(address);
        SignSB[n]->SetPanelPicture(4, picInactive->pixmap());
        if (resize) SizeSignPicture(address, true, large);
        PicSignFrame[n]->show();
        ++n;
    }
    ArrangeSignArea();
}

void frmHead::LayoutChosenSigns() {
    LayoutSignPictures(true, true);
    DoEvents();
    // The same choice laid out again: what it lacks was said.
    quietMaxSigns_ = true;
    struct Loud {
        bool& quiet;
        ~Loud() { quiet = false; }
    } loud{quietMaxSigns_};
    LayoutSignPictures(true, true);
}

void frmHead::SizeSignPicture(int16_t sign, bool resetZoom, bool large) {
    if (!IsSignAddress(sign)) return;
    // A sign beyond the pictures has none to size.
    if (!OwnsPicture(sign)) return;
    SignInfo& s = SignInfoOf(sign);
    const int16_t k = s.GraphicIndex;
    if (resetZoom) {
        s.Zoom = LayoutZoom(CountK4000Signs(), large);
        s.DotSize = DotSizeOfZoom(s.Zoom);
        // The picture takes the new zoom's size before its frame is placed,
        // so that the frame is placed with the width it will have.
        SelectSign(sign);
    }
    // The frames stand in rows within the window, the controls below them.
    PicSignFrame[k]->show();
    ArrangeSignArea();
    timFixGUI->start();
}

void frmHead::SelectSign(int16_t sign) {
    if (!IsSignAddress(sign)) return;
    const int16_t remembered = gCurrentSign;
    gCurrentSign = sign;
    const int16_t k = SignInfoOf(sign).GraphicIndex;
    if (OwnsPicture(sign)) {
        const PictureSize size = SignPictureSize(sign);
        const QSize before = picSign[k]->size();
        picSign[k]->SetSize(size.width, size.height);
        // A picture that keeps its size reports no resize; its frame and
        // status bar follow the sign all the same.
        if (picSign[k]->size() == before) picSign_Resize(k);
    }
    gCurrentSign = remembered;
}

void frmHead::SelectK4000Graphic(bool currentOnly) {
    const int16_t remembered = gCurrentSign;
    const int16_t rememberedShowLineNo = gShowLineNo;
    const int32_t rememberedAreaDots = gRouteNoAreaDots;
    SignPicture* rememberedEditPicture = gEditPicture;
    for (int16_t k = 0; k < kMaxSignPictures; ++k) {
        if (PicSignFrame[k]->isHidden()) continue;
        gCurrentSign = FindK4000ByGraphic(k);
        const bool own = gCurrentSign == remembered || gCurrentSign == 0;
        if (own) {
            PrepareTextLayer();
            ClearGraphicLayer();
        } else if (!currentOnly) {
            // Another sign's layers are prepared with its own route-number
            // area, as its editor slot keeps it.
            EditorSlot& slot = gEditorSlots[static_cast<size_t>(k)];
            gShowLineNo = slot.showLineNo;
            gRouteNoAreaDots = slot.routeNoAreaDots;
            PrepareTextLayer();
            ClearGraphicLayer();
            slot.cursorX = 0;
            slot.cursorY = 0;
        }
        if (!(currentOnly && gCurrentSign != remembered)) {
            gEditPicture = picSign[k];
            picSign[k]->Cls();
        }
    }
    gCurrentSign = remembered;
    gShowLineNo = rememberedShowLineNo;
    gRouteNoAreaDots = rememberedAreaDots;
    gEditPicture = rememberedEditPicture;
}

// ------------------------------------------------------------------ painting

void frmHead::ShowSign(bool keepTextLayer, bool toPrinter) { kv::ShowSign(keepTextLayer, toPrinter); }

void frmHead::PaintSign(bool toPrinter) {
    if (!IsGraphicSign(gCurrentSign)) return;
    // A sign beyond the pictures paints into none of them.
    if (!OwnsPicture(gCurrentSign)) return;
    SignInfo& s = SignInfoOf(gCurrentSign);
    const int16_t k = s.GraphicIndex;
    const int32_t zoom = s.Zoom;
    const int16_t memo = static_cast<int16_t>(zoom * 100 + gCurrentSign);
    if (ShowSignZoomMemo[gCurrentSign] != memo) {
        SelectSign(gCurrentSign);
        ShowSignZoomMemo[gCurrentSign] = memo;
    }
    picSign[k]->Cls();
    const int16_t target = gCurrentPictureIndex >= 0 && gCurrentPictureIndex < kMaxSignPictures ? gCurrentPictureIndex : k;
    ForEachLitSignDot(k, [&](int32_t col, int32_t row) { DrawDot(picSign[target], col, row, zoom, -1); });
    picSign[target]->update();
}

void frmHead::DrawDot(SignPicture* picture, int32_t col, int32_t row, int32_t zoom, int32_t colour) {
    if (!picture) return;
    const QColor c = ColourOf(colour, picture);
    const DotShape d = DotShapeAt(col, row, zoom);
    QImage& surface = picture->Surface();
    QPainter p(&surface);
    for (int i = 0; i < d.count; ++i) {
        const PixelRect& r = d.rects[i];
        p.fillRect(QRect(QPoint(r.x1, r.y1), QPoint(r.x2, r.y2)), c);
    }
}

void frmHead::DrawDotOnSign(int32_t col, int32_t row, int32_t zoom, int32_t colour) {
    SignPicture* picture = CurrentSignPicture();
    if (!picture) return;
    DrawDot(picture, col, row, zoom, colour);
    picture->update();
}

void frmHead::SetSignPixel(int32_t x, int32_t y) {
    if (!IsGraphicSign(gCurrentSign)) return;
    DrawDotOnSign(DotOfFifths(x), DotOfFifths(y), SignInfoOf(gCurrentSign).Zoom, -1);
}

void frmHead::ClearSignPixel(int32_t x, int32_t y) {
    if (!IsGraphicSign(gCurrentSign)) return;
    DrawDotOnSign(DotOfFifths(x), DotOfFifths(y), SignInfoOf(gCurrentSign).Zoom, 0);
}

void frmHead::EnableUndoImage(bool on) {
    undoAvailable_ = on;
    // Like the toolbar's undo key, only in graphic mode.
    imgUndo->setEnabled(on && tbButtons[26]->isEnabled());
}

// ------------------------------------------------------------------ tool outlines

void frmHead::CalcPixelRect(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t& x1, int32_t& y1, int32_t& x2,
                            int32_t& y2) const {
    const int32_t dotSize = IsSignAddress(gCurrentSign) ? SignInfoOf(gCurrentSign).DotSize : 4;
    x1 = OutlinePixel(X1, dotSize);
    y1 = OutlinePixel(Y1, dotSize);
    x2 = OutlinePixel(X2, dotSize);
    y2 = OutlinePixel(Y2, dotSize);
}

void frmHead::CalcPixelGrid(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2) const {
    CalcPixelRect(gSelX1, gSelY1, gSelX2, gSelY2, x1, y1, x2, y2);
}

void frmHead::ClearSignRect(int32_t colour, int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, bool box) {
    SignPicture* picture = CurrentSignPicture();
    if (!picture) return;
    int32_t x1, y1, x2, y2;
    CalcPixelRect(X1, Y1, X2, Y2, x1, y1, x2, y2);
    QPainter p(&picture->Surface());
    QPen pen(ColourOf(colour, picture));
    pen.setWidth(1);
    pen.setCosmetic(true);
    pen.setStyle(picture->DrawStyle() == 3 ? Qt::DashDotLine : Qt::SolidLine);
    p.setPen(pen);
    if (box) {
        const int32_t l = std::min(x1, x2), t = std::min(y1, y2);
        p.drawRect(l, t, std::abs(x2 - x1), std::abs(y2 - y1));
    } else {
        p.drawLine(x1, y1, x2, y2);
    }
    picture->update();
}

void frmHead::ClearSignPicture(int32_t colour, bool box) { ClearSignRect(colour, gSelX1, gSelY1, gSelX2, gSelY2, box); }

void frmHead::ClearSignPictureColor(int32_t colour) { ClearSignPicture(colour, true); }

void frmHead::ClearSignRectColor(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t colour) {
    ClearSignRect(colour, x1, y1, x2, y2, true);
}

void frmHead::ClearSignPictureBlack() { ClearSignPicture(0, true); }
void frmHead::ClearSignPictureRed() { ClearSignPicture(255, false); }
void frmHead::ClearSignPictureNoRefresh() { ClearSignPicture(0, false); }

void frmHead::RefreshSignPicture(int16_t style) {
    if (SignPicture* picture = CurrentSignPicture()) picture->SetDrawStyle(style);
}

void frmHead::RefreshCurrentSignPicture() {
    if (!IsGraphicSign(gCurrentSign)) return;
    SignPicture* picture = CurrentSignPicture();
    if (picture && picture->isVisible() && picture->isEnabled()) picture->setFocus();
    if (gEditorActive == 1) CursorTimer->start();
}
