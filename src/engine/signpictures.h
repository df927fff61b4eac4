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
// The sign has a picture of its own in the window. A shown graphic sign
// beyond the three pictures has none: its GraphicIndex is one a sign before
// it owns (printing borrows that picture's layers for it).
bool OwnsPicture(int16_t address);

// The zoom a laid-out sign gets when its zoom is reset: 1 for the only shown
// graphic sign, else 1 when large pictures are asked for and 3 otherwise.
int32_t LayoutZoom(int16_t shownGraphicSigns, bool large);

// The picture of a sign: (DotSize + 1) x Width by (DotSize + 1) x Height
// pixels of dot grid, and one pixel more each way, so that the last column
// and the last row keep the black gap the first ones have before them.
struct PictureSize {
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const PictureSize&) const = default;
};
PictureSize SignPictureSize(int16_t address);
// The dot grid alone, without the closing gap (the scale of mouse positions).
PictureSize SignGridSize(int16_t address);

// Where the frames of the shown graphic signs stand in the sign area, in
// the area's pixels (its top-left corner 0, 0). One frame is centred in the
// inner width. Several stand left to right from x 5 with 5 between them, in
// as many rows as the inner width needs: a frame that would pass the inner
// width starts the next row at x 5, 5 below the tallest frame of the row
// above. A frame wider than the inner width stands alone in its row. The
// area is as wide as the inner width or the widest row, and as high as its
// rows with 5 below the last.
struct FrameSize {
    int32_t width = 0;
    int32_t height = 0;
};
struct FramePlace {
    int32_t left = 0;
    int32_t top = 0;
    bool operator==(const FramePlace&) const = default;
};
struct FrameRows {
    std::vector<FramePlace> places;  // in the order of `frames`
    int32_t width = 0, height = 0;   // the area the rows take
};
FrameRows PlaceSignFrames(const std::vector<FrameSize>& frames, int32_t innerWidth);

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
