// Dot strips: the text form of a graphic. The dots are cut into horizontal
// strips of five rows from the top; one column of a strip is a slice
// character, 32 + the sum of 2^i over its lit rows i (0 = the strip's top
// row). A run is the position command 210 x 211 y (x the first column, y the
// strip's bottom row), the font command 212 "w" and one or more slices. A
// strip text is runs one after another; every run begins with 210.
//
// The encoder keeps gaps of up to five blank columns inside a run and starts
// a new run after a gap of six or more; a run ends with at most five blank
// slices.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace kv {

// The pseudo-font of the dot strips.
constexpr char kGraphicTextFont = 'w';

// The graphic of the entry under edit as the strip text it was read from.
extern std::string gGraphicText;

// The slice of the n graphic-layer dots (x, y) .. (x, y + n - 1) of the
// current sign graphic.
char EncodeColumnSlice(int32_t x, int32_t y, int32_t n);

// The runs of one strip: columns x0 .. x1 - 1, slices from `slice`, each
// run positioned at (column - xOrigin, posY).
using SliceFn = std::function<char(int32_t x)>;
std::string EncodeStrip(int32_t x0, int32_t x1, int32_t xOrigin, int32_t posY, const SliceFn& slice);

// The selected dots as strip text, positions relative to the selection's
// top-left dot. Normalises and clamps the selection first.
std::string SelectionToText();
// The whole graphic with absolute positions; while gGraphicModified is clear
// the stored gGraphicText.
std::string GraphicToText();
// Draws one run shifted by (dx, dy) dots into the graphic layer and onto the
// picture (dots off columns 0..W, rows 0..H are dropped; drawing only adds
// dots) and appends the run to gGraphicText.
void DrawTextRun(const std::string& run, int32_t dx, int32_t dy);
// Draws every run of a strip text at the selection's top-left dot, then sets
// gHasGraphic and gGraphicModified.
void PasteGraphicText(const std::string& text);

void ResetDotStrips();

}  // namespace kv
