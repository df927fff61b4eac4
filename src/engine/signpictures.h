// The arithmetic of the graphic sign pictures of the main window: which shown
// graphic signs get one of the three picture sets, how large a sign's picture
// is at its zoom, where the frames stand, how positions in fifths of a dot map
// to picture pixels, and which dots a painted sign shows. The main window
// owns the pictures themselves; this module only counts and measures.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace kv {

constexpr int kMaxSignPictures = 3;

// The shown graphic ("K4000") signs in address order, all of them.
std::vector<int16_t> ShownK4000Signs();
// Their number, at most 3.
int16_t CountK4000Signs();
// The address of the shown graphic sign whose GraphicIndex is k; 0 when none.
int16_t FindK4000ByGraphic(int16_t k);

// The zoom a laid-out sign gets when its zoom is reset: 1 for the only shown
// graphic sign, else 1 when large pictures are asked for and 3 otherwise.
int32_t LayoutZoom(int16_t shownGraphicSigns, bool large);

// The picture of a sign: (DotSize + 1) x Width by (DotSize + 1) x Height pixels.
struct PictureSize {
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const PictureSize&) const = default;
};
PictureSize SignPictureSize(int16_t address);

// Where a sign's frame stands. `frames` holds the sizes of frames 0 up to
// this one (this one last); the frames start at `y0`. One sign is centred in
// the inner width; several stand left to right from x 5 with 5 between
// them. A frame that would pass the inner width there goes to a second row,
// after the frames already on it (from x 5, 5 between them), as far below
// y0 as the tallest frame of the first row (frame 0's when none is) + 5.
struct FrameSize {
    int32_t width = 0;
    int32_t height = 0;
};
struct FramePlace {
    int32_t left = 0;
    int32_t top = 0;
    bool operator==(const FramePlace&) const = default;
};
FramePlace PlaceSignFrame(int16_t shownGraphicSigns, const std::vector<FrameSize>& frames, int32_t innerWidth,
                          int32_t y0);

// The 1-based dot column (or row) of a position in fifths of a dot:
// v / 5 + 1 to the nearest integer.
int32_t DotOfFifths(int32_t v);
// The picture pixel of an outline corner in fifths of a dot:
// ((v - 2) / 5) x (dotSize + 1) + 1 to the nearest integer.
int32_t OutlinePixel(int32_t v, int32_t dotSize);
// A mouse position on a picture of `scale` pixels showing `dots` dots, in
// fifths of a dot: pos / scale x dots x 5 to the nearest integer.
int32_t PictureHitCoordinate(double pos, double scale, int32_t dots);

// Every dot of graphic k that is lit in its text or graphic layer, columns
// 0..the text layer's x bound, rows 0..its y bound, column by column; the
// callback gets the 1-based dot position.
void ForEachLitSignDot(int16_t k, const std::function<void(int32_t col, int32_t row)>& dot);

}  // namespace kv
