// What the text editor draws through the main window: the character strip of
// the text signs (places of 25 x 35 pixels on K2000_pct, characters of font
// "2" as dots at zoom 1), and the editor picture of a graphic sign, which the
// editor paints itself only while its own painting is switched on.
#include <QPainter>

#include "data/charmap.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/fontlib.h"
#include "engine/render.h"
#include "engine/signpictures.h"
#include "engine/textstrip.h"
#include "ui/frmHead.h"
#include "ui/headwidgets_qt.h"

using namespace kv;

namespace {

// Picture pixels per fifth of a dot of the current sign.
double EditorScale() {
    if (!IsSignAddress(gCurrentSign)) return 1;
    return (SignInfoOf(gCurrentSign).DotSize + 1) / 5.0;
}

QRect EditorRect(int32_t x, int32_t y, int32_t w, int32_t h) {
    const double s = EditorScale();
    return QRect(qRound(x * s), qRound(y * s), qRound(w * s), qRound(h * s));
}

// The glyph of a character in the loaded character map; false without one.
bool GlyphOfChar(int16_t fontCode, int16_t charCode) {
    if (charCode < 32 || charCode > 255) return false;
    return GetGlyph(fontCode, gCharMap[charCode - 32]);
}

// The lit dots of the glyph in GlyphBuffer with its top-left dot's pixel
// grid starting at (x, y).
void PaintGlyphDots(QImage& image, int x, int y, int zoom, const QColor& colour) {
    QPainter p(&image);
    for (int gx = 0; gx < GlyphWidth; ++gx)
        for (int gy = 0; gy < GlyphHeight; ++gy) {
            if (!GlyphBuffer(gx, gy)) continue;
            const DotShape d = DotShapeAt(gx + 1, gy + 1, zoom);
            for (int i = 0; i < d.count; ++i) {
                const PixelRect& r = d.rects[i];
                p.fillRect(QRect(QPoint(x + r.x1, y + r.y1), QPoint(x + r.x2, y + r.y2)), colour);
            }
        }
}

}  // namespace

// ------------------------------------------------------------------ the character strip

void frmHead::ClearStripPlace(int32_t x, int32_t y) {
    QPainter p(&K2000_pct->Surface());
    p.fillRect(QRect(x, y, kStripPlaceWidth, kStripPlaceHeight), Qt::black);
}

void frmHead::DrawStripChar(int32_t x, int32_t y, int16_t charCode) {
    ClearStripPlace(x, y);
    if (GlyphOfChar('2', charCode)) PaintGlyphDots(K2000_pct->Surface(), x, y, 1, StripTextColour);
}

void frmHead::RefreshStrip() { K2000_pct->update(); }

void frmHead::DrawStripSeparators(const StripLayout& layout) {
    QPainter p(&K2000_pct->Surface());
    for (const StripShape& s : layout.separators) {
        if (s.kind == StripShape::Bar) {
            // A rectangle of no width drawn with a wide pen: a bar.
            const int left = qRound(s.x1 - s.width / 2.0);
            p.fillRect(QRect(left, qRound(s.y1), s.width, qRound(s.y2 - s.y1) + 1), K2000_pct->ForeColor());
        } else {
            QPen pen(K2000_pct->ForeColor());
            pen.setWidth(s.width);
            pen.setCapStyle(Qt::FlatCap);
            p.setPen(pen);
            p.drawLine(QPointF(s.x1, s.y1), QPointF(s.x2, s.y2));
        }
    }
    K2000_pct->update();
}

// ------------------------------------------------------------------ the editor picture

void frmHead::ClearEditorPicture() {
    if (gEditPicture) gEditPicture->Cls();
}

void frmHead::RefreshEditorPicture() {
    if (gEditPicture) gEditPicture->update();
}

void frmHead::ClearEditorRect(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (!gEditPicture) return;
    QPainter p(&gEditPicture->Surface());
    p.fillRect(EditorRect(x, y, w, h), Qt::black);
}

void frmHead::CopyEditorRect(int32_t x, int32_t y, int32_t w, int32_t h, int32_t toX, int32_t toY) {
    if (!gEditPicture) return;
    QImage& surface = gEditPicture->Surface();
    const QRect from = EditorRect(x, y, w, h);
    const QImage piece = surface.copy(from);
    QPainter p(&surface);
    p.drawImage(EditorRect(toX, toY, 0, 0).topLeft(), piece);
}

void frmHead::PaintEditorGlyph(const std::string& fontId, int16_t charCode, int32_t x, int32_t y) {
    if (!gEditPicture || fontId.empty() || !IsSignAddress(gCurrentSign)) return;
    if (!GlyphOfChar(static_cast<unsigned char>(fontId[0]), charCode)) return;
    const SignInfo& s = SignInfoOf(gCurrentSign);
    const int pitch = s.DotSize + 1;
    PaintGlyphDots(gEditPicture->Surface(), (DotOfFifths(x) - 1) * pitch, (DotOfFifths(y) - 1) * pitch, s.Zoom,
                   gEditPicture->ForeColor());
}

void frmHead::SelectK4000Graphic(int16_t) {
    // The reset editor starts the current sign's picture afresh.
    SelectK4000Graphic(true);
}
