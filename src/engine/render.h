// Rendering of the text rows of a graphic sign into its dot layers, and the
// arithmetic of painting dots: the dot size and pitch per zoom and the shape
// of one lit dot on a picture or on the printer, as data for the painter.
//
// A cell's glyph lands at the layer dot (X / 5, Y / 5), each to the nearest
// integer (halves to even) and raised to 0 when negative. Every dot of the
// glyph's box is written, so its dark dots erase what lay under the box.
#pragma once

#include <cstdint>
#include <string>

namespace kv {

// Renders one row (1..10) of the edit state into the current sign graphic:
// into the graphic layer when toGraphic is set, else into the text layer.
// The walk covers CellCount + 1 cells, so the first cell of the next row is
// drawn too (it lands on the same dots again with its own row).
void RenderRow(int16_t row, int16_t toGraphic);
// The text layer of the current sign made ready for painting: unless
// keepTextLayer, prepared and every row with cells rendered into it; with
// keepTextLayer only a never-dimensioned layer is prepared.
void RenderTextLayer(int16_t keepTextLayer);
// The graphic layer of the current sign cleared and the text rendered into
// it; gGraphicModified and gHasGraphic are set. Nothing is painted.
void TextToGraphic();
// One glyph of a font (fontId's first character) into the text layer of
// graphic k with its top-left dot at (x, y), cut at the layer's edges.
void DrawCharToGraphic(const std::string& fontId, int32_t glyphCode, int32_t x, int32_t y, int32_t k);
// A dot of graphic k is lit in the text or the graphic layer.
bool SignDotLit(int16_t k, int32_t x, int32_t y);

// Dot size in pixels per zoom: 0..4 give 5, 4, 3, 2, 1; anything else 4.
int16_t DotSizeFromZoom(int32_t zoom);
// Dots stand on a grid of dot size + 1 pixels.
inline int32_t DotPitch(int32_t zoom) { return DotSizeFromZoom(zoom) + 1; }

// A filled rectangle, corners inclusive.
struct PixelRect {
    int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool operator==(const PixelRect&) const = default;
};
// The pixels of one lit dot: one or two filled rectangles. col and row are
// 1-based (dot (col, row) is layer dot (col - 1, row - 1)); pixel row and
// column 0 stay a margin. Zoom 0 and 1: a square without its corner pixels;
// 2 and 3: the full square; any other zoom: the single top-left pixel.
struct DotShape {
    int count = 0;
    PixelRect rects[2];
};
DotShape DotShapeAt(int32_t col, int32_t row, int32_t zoom);

// One dot on the printer at the print origin: ux, uy are the printed unit
// (printer twips per pixel x the print scale) in x and y. Zoom 0 and 1: two
// filled rectangles; 2 and 3: one; any other zoom: a line from (x1, y1) to
// (x2, y2) (rects[0]), end point excluded.
struct PrintRect {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};
struct PrintDotShape {
    bool line = false;
    int count = 0;
    PrintRect rects[2];
};
PrintDotShape PrintDotAt(int32_t col, int32_t row, int32_t zoom, double ux, double uy, int32_t originX,
                         int32_t originY);

// The size of a picture that shows a glyph of columns x rows dots at a zoom:
// pitch x dots, rounded up to a multiple of the current sign's dot size,
// plus a border allowance.
struct AreaSize {
    int32_t width = 0, height = 0;
};
AreaSize CharAreaFromZoom(int32_t columns, int32_t rows, int32_t zoom, int32_t signDotSize);

}  // namespace kv
