// Sign pictures on the printer: the print origin at which the next picture
// is placed, the printed size of a sign, the frame and background box around
// a printed sign, and the dots themselves, painted as on screen but on the
// print target (Printer(), page in twips).
//
// The printed unit of a dot is the printer's pixel size x gPrintScale (2
// while a graphic print runs); a dot of zoom z covers DotSizeFromZoom(z) + 1
// units, starting one unit inside the origin.
#pragma once

#include <cstdint>

namespace kv {

extern int32_t gPrintOriginX;
extern int32_t gPrintOriginY;
extern int32_t gPrintScale;
extern int32_t gSavedPrintScale;

// Dots go to the printer between the two: the scale becomes 2 and returns.
void BeginPrintGraphic();
void EndPrintGraphic();
// The origin, at least (500, 300).
void SetPrintOrigin(int32_t x, int32_t y);
void MovePrintOrigin(int32_t dx, int32_t dy);
// The printed width and height of a used sign at its zoom: 2 x the pixel
// size x dots x (DotSizeFromZoom(zoom) + 1), to the nearest twip, the dots
// being those its picture spans (SignDotExtent); an unused sign leaves both
// as they were.
void GetPrintedSignSize(int16_t sign, int32_t& width, int32_t& height);
// An unfilled black rectangle one unit outside the sign area at the origin;
// the print position is then at its far corner.
void PrintSignFrame(int32_t width, int32_t height);
// The sign's background: a box in gPrintGraphicalBC from the origin.
void PrintPoint(int32_t dx, int32_t dy);
// One dot (1-based) at the origin in a colour (-1 black).
void PrintDot(int32_t col, int32_t row, int32_t zoom, int32_t colour);
// Every lit dot of sign graphic k at a zoom, in gPrintGraphicalFC, within
// the sign's columns x rows: the layers' margin beyond the sign (where an
// imported picture may reach) stays off the paper, outside the frame.
void PrintSignDots(int16_t k, int32_t zoom, int32_t columns, int32_t rows);
// Every lit dot of a drawn page (a text or route-number sign) the same way.
struct SignDots;
void PrintDotGrid(const SignDots& dots, int32_t zoom);

void ResetPrintDots();

}  // namespace kv
