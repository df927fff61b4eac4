// The dot layers of the graphic signs. Each of the three sign graphics
// (0..2, the GraphicIndex of a graphic sign) has a text layer (the rendered
// text rows), a graphic layer (what the graphic tools, pasted strips and
// imported pictures write) and an undo layer (a copy of the graphic layer
// for one step of undo). A layer is a grid of 16-bit values indexed (x, y)
// from (0, 0) at the top left; 0 is unlit, any other value lit (writers use
// -1). A dot of the sign is lit when it is lit in the text or the graphic
// layer.
//
// For a sign of W x H dots the text layer spans 0..W+1 x 0..H+1, the
// graphic and undo layers 0..W+5 x 0..H+5; the dots beyond the sign are a
// margin that tools may write and some readers include.
#pragma once

#include <cstdint>
#include <memory>

namespace kv {

constexpr int kGraphicCount = 3;

// The graphic of the entry under edit has changed since it was loaded.
extern int16_t gGraphicModified;
// The first column after the route number drawn into the text layer; 0 while
// none is drawn.
extern int32_t gRouteNoAreaDots;

// Accessors. k selects the sign graphic; any k other than 0..2 shows the
// S150 message and does nothing (readers return 0). A dot outside the
// layer's bounds reads as 0 and is not written.
void ResizeGraphicLayer(int16_t k, int32_t maxX, int32_t maxY);
void ResizeTextLayer(int16_t k, int32_t maxX, int32_t maxY);
void ResizeUndoLayer(int16_t k, int32_t maxX, int32_t maxY);
// Upper bound of a dimension (1 = x, 2 = y); 0 while never dimensioned.
int32_t GraphicLayerBound(int16_t k, int16_t dimension);
int32_t TextLayerBound(int16_t k, int16_t dimension);
int16_t GetGraphicPixel(int16_t k, int32_t x, int32_t y);
void SetGraphicPixel(int16_t k, int32_t x, int32_t y, int16_t v);
int16_t GetTextPixel(int16_t k, int32_t x, int32_t y);
void SetTextPixel(int16_t k, int32_t x, int32_t y, int16_t v);
int16_t GetUndoPixel(int16_t k, int32_t x, int32_t y);
void SetUndoPixel(int16_t k, int32_t x, int32_t y, int16_t v);

// True for 0..2; otherwise shows the S150 message once and returns false.
bool CheckGraphicIndex(int16_t k);

// The current sign graphic with the current sign's width and height in dots.
// False (nothing to work on) without a current sign or with a graphic index
// outside 0..2 (the latter after the S150 message).
struct SignGraphic {
    int16_t k = 0;
    int32_t W = 0;
    int32_t H = 0;
};
bool CurrentSignGraphic(SignGraphic& g);

// Layer-wide operations on the current sign graphic.
// Clears columns 0..W+1, rows 0..H+1 of the graphic and the undo layer,
// clears gGraphicModified and disables the undo image. No repaint.
void ClearGraphicLayer();
// Readies the text layer for a new rendering: dimensions it to the sign when
// its bounds differ (drawing the route number into the fresh layer when the
// area is shown), then clears it, sparing the route-number area.
void PrepareTextLayer();
// Paints every lit graphic dot of columns 0..W, rows 0..H on the picture
// (unlit dots are not erased), then the selection frame in white while an
// area is selected.
void RefreshGraphic();
// True when any dot of columns 0..W, rows 0..H of the graphic layer is lit.
bool GraphicHasDots();

// A copy of every layer of the three sign graphics, bounds included, taken
// when it is made; Restore puts them back as they were (a print run draws
// its pages through the layers of the signs the window shows).
class DotLayersCopy {
public:
    DotLayersCopy();
    ~DotLayersCopy();
    DotLayersCopy(const DotLayersCopy&) = delete;
    DotLayersCopy& operator=(const DotLayersCopy&) = delete;
    void Restore() const;

private:
    struct Layers;
    std::unique_ptr<Layers> layers_;
};

// Every layer undimensioned, the flags cleared.
void ResetDotLayers();

}  // namespace kv
