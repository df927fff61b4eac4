#include "engine/render.h"

#include <algorithm>

#include "data/charmap.h"
#include "data/signtable.h"
#include "engine/dotlayers.h"
#include "engine/editstate.h"
#include "engine/fontlib.h"
#include "engine/graphictools.h"
#include "engine/routenumber.h"
#include "platform/vb.h"

namespace kv {

namespace {

// The layer dot of a position in fifths: to the nearest integer, at least 0.
int32_t DotOf(int16_t fifths) { return std::max<int32_t>(0, static_cast<int32_t>(RoundHalfEven(fifths / 5.0))); }

struct Target {
    int16_t k;
    bool graphic;
    int32_t W, H;
    void Put(int32_t x, int32_t y, int16_t v) const {
        if (graphic)
            SetGraphicPixel(k, x, y, v);
        else
            SetTextPixel(k, x, y, v);
    }
};

// The glyph in GlyphBuffer with its top-left dot at (x, y); lit dots -1,
// dark ones 0, nothing beyond the bounds.
void CopyGlyph(const Target& t, int32_t x, int32_t y) {
    for (int32_t gx = 0; gx < GlyphWidth; ++gx)
        for (int32_t gy = 0; gy < GlyphHeight; ++gy)
            if (x + gx <= t.W && y + gy <= t.H) t.Put(x + gx, y + gy, GlyphBuffer(gx, gy) ? kTrue : kFalse);
}

int16_t FontOf(const SignCell& c) { return static_cast<unsigned char>(c.FontCode); }

void RenderPlaceholder(const Target& t, const SignCell& cell, int32_t x, int32_t y) {
    for (unsigned char code : PlaceholderChars(cell.GlyphCode)) {
        const int16_t glyph = code >= 32 ? gCharMap[code - 32] : 0;
        if (GetGlyph(FontOf(cell), glyph)) CopyGlyph(t, x, y);
        x += GlyphWidth;
    }
}

template <typename F>
void ForEachRowWithCells(F f) {
    int guard = 0;
    for (int16_t r = gStartRow; IsRowIndex(r) && guard < kRowPoolSize; r = gRows[r].NextRow, ++guard)
        if (gRows[r].FirstCell != 0 && gRows[r].CellCount != 0) f(r);
}

}  // namespace

void RenderRow(int16_t row, int16_t toGraphic) {
    if (!IsRowIndex(row)) return;
    SignGraphic g;
    if (!CurrentSignGraphic(g)) return;
    Target t{g.k, toGraphic != 0, 0, 0};
    t.W = t.graphic ? GraphicLayerBound(g.k, 1) : TextLayerBound(g.k, 1);
    t.H = t.graphic ? GraphicLayerBound(g.k, 2) : TextLayerBound(g.k, 2);
    const int limit = gRows[row].CellCount + 1;
    int walked = 0;
    for (int16_t c = gRows[row].FirstCell; IsCellIndex(c) && walked < limit; c = gCells[c].Next, ++walked) {
        const SignCell& cell = gCells[c];
        const int32_t x = DotOf(cell.X), y = DotOf(cell.Y);
        if (cell.GlyphCode >= kFirstPlaceholder && cell.GlyphCode <= kLastPlaceholder)
            RenderPlaceholder(t, cell, x, y);
        else if (GetGlyph(FontOf(cell), cell.GlyphCode))
            CopyGlyph(t, x, y);
    }
}

void RenderTextLayer(int16_t keepTextLayer) {
    SignGraphic g;
    if (!CurrentSignGraphic(g)) return;
    if (keepTextLayer) {
        if (TextLayerBound(g.k, 1) + TextLayerBound(g.k, 2) == 0) PrepareTextLayer();
        return;
    }
    PrepareTextLayer();
    ForEachRowWithCells([](int16_t r) { RenderRow(r, kFalse); });
}

void TextToGraphic() {
    ClearGraphicLayer();
    ForEachRowWithCells([](int16_t r) { RenderRow(r, kTrue); });
    MarkGraphicChanged();
}

void DrawCharToGraphic(const std::string& fontId, int32_t glyphCode, int32_t x, int32_t y, int32_t k) {
    if (!CheckGraphicIndex(static_cast<int16_t>(std::clamp(k, -1, kGraphicCount)))) return;
    if (glyphCode < 0 || glyphCode >= kGlyphCodes) return;
    if (!GetGlyph(static_cast<int16_t>(Asc(fontId)), static_cast<int16_t>(glyphCode))) return;
    const int16_t kk = static_cast<int16_t>(k);
    Target t{kk, false, TextLayerBound(kk, 1), TextLayerBound(kk, 2)};
    CopyGlyph(t, x, y);
}

bool SignDotLit(int16_t k, int32_t x, int32_t y) { return GetTextPixel(k, x, y) != 0 || GetGraphicPixel(k, x, y) != 0; }

int16_t DotSizeFromZoom(int32_t zoom) { return DotSizeOfZoom(zoom); }

DotShape DotShapeAt(int32_t col, int32_t row, int32_t zoom) {
    const int32_t s = DotSizeFromZoom(zoom);
    const int32_t x1 = (s + 1) * (col - 1) + 1, y1 = (s + 1) * (row - 1) + 1;
    const int32_t x2 = x1 + s - 1, y2 = y1 + s - 1;
    DotShape d;
    switch (zoom) {
        case 0:
        case 1:
            d.count = 2;
            d.rects[0] = {x1 + 1, y1, x2 - 1, y2};
            d.rects[1] = {x1, y1 + 1, x2, y2 - 1};
            break;
        case 2:
        case 3:
            d.count = 1;
            d.rects[0] = {x1, y1, x2, y2};
            break;
        default:
            d.count = 1;
            d.rects[0] = {x1, y1, x1, y1};
            break;
    }
    return d;
}

PrintDotShape PrintDotAt(int32_t col, int32_t row, int32_t zoom, double ux, double uy, int32_t originX,
                         int32_t originY) {
    const int32_t p = DotPitch(zoom);
    const int32_t x1 = p * (col - 1) + 1, x2 = x1 + p - 1;
    const int32_t y1 = p * (row - 1) + 1, y2 = y1 + p - 1;
    const double X1 = RoundHalfEven(ux * x1 + originX), X2 = RoundHalfEven(ux * x2 + originX);
    const double Y1 = RoundHalfEven(uy * y1 + originY), Y2 = RoundHalfEven(uy * y2 + originY);
    PrintDotShape d;
    switch (zoom) {
        case 0:
        case 1:
            d.count = 2;
            d.rects[0] = {X1 + ux, Y1, X2 - ux, Y2};
            d.rects[1] = {X1, Y1 + uy, X2, Y2 - uy};
            break;
        case 2:
        case 3:
            d.count = 1;
            d.rects[0] = {X1, Y1, X2, Y2};
            break;
        default:
            d.line = true;
            d.count = 1;
            d.rects[0] = {X1, Y1, X1 + ux, Y1 + uy};
            break;
    }
    return d;
}

AreaSize CharAreaFromZoom(int32_t columns, int32_t rows, int32_t zoom, int32_t signDotSize) {
    const int32_t p = DotPitch(zoom);
    auto roundUp = [signDotSize](int32_t v) {
        if (signDotSize <= 0) return v;
        return (v + signDotSize - 1) / signDotSize * signDotSize;
    };
    AreaSize a{roundUp(p * columns), roundUp(p * rows)};
    a.width += columns < 4 ? 2 : columns <= 8 ? 3 : columns <= 13 ? 2 : 3;
    a.height += rows > 11 ? 3 : 2;
    return a;
}

}  // namespace kv
