#include "engine/printdots.h"

#include "data/printprefs.h"
#include "data/signtable.h"
#include "engine/render.h"
#include "engine/signpagedots.h"
#include "engine/signpictures.h"
#include "platform/printtarget.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

int32_t gPrintOriginX = 0;
int32_t gPrintOriginY = 0;
int32_t gPrintScale = 0;
int32_t gSavedPrintScale = 0;

void BeginPrintGraphic() {
    gSavedPrintScale = gPrintScale;
    gPrintScale = 2;
}

void EndPrintGraphic() { gPrintScale = gSavedPrintScale; }

void SetPrintOrigin(int32_t x, int32_t y) {
    gPrintOriginX = x < 500 ? 500 : x;
    gPrintOriginY = y < 300 ? 300 : y;
}

void MovePrintOrigin(int32_t dx, int32_t dy) {
    gPrintOriginX += dx;
    gPrintOriginY += dy;
}

void GetPrintedSignSize(int16_t sign, int32_t& width, int32_t& height) {
    if (!IsSignAddress(sign) || !gSignEntry[static_cast<size_t>(sign - kFirstSignAddress)].Used) return;
    const SignInfo& s = SignInfoOf(sign);
    const int32_t k = DotPitch(s.Zoom);
    int32_t columns = 0, rows = 0;
    SignDotExtent(sign, columns, rows);
    width = static_cast<int32_t>(RoundHalfEven(2 * Printer().TwipsPerPixelX() * columns * k));
    height = static_cast<int32_t>(RoundHalfEven(2 * Printer().TwipsPerPixelY() * rows * k));
}

void PrintSignFrame(int32_t width, int32_t height) {
    Printer().Box(gPrintOriginX - 1, gPrintOriginY - 1, gPrintOriginX + width + 2, gPrintOriginY + height + 2);
}

void PrintPoint(int32_t dx, int32_t dy) {
    Printer().FilledBox(gPrintOriginX, gPrintOriginY, gPrintOriginX + dx, gPrintOriginY + dy, gPrintGraphicalBC);
}

void PrintDot(int32_t col, int32_t row, int32_t zoom, int32_t colour) {
    if (colour == -1) colour = 0;
    PrintTarget& p = Printer();
    const PrintDotShape d = PrintDotAt(col, row, zoom, p.TwipsPerPixelX() * gPrintScale,
                                       p.TwipsPerPixelY() * gPrintScale, gPrintOriginX, gPrintOriginY);
    for (int i = 0; i < d.count; ++i) {
        const PrintRect& r = d.rects[i];
        if (d.line) p.Line(r.x1, r.y1, r.x2, r.y2, colour);
        else p.FilledBox(r.x1, r.y1, r.x2, r.y2, colour);
    }
}

void PrintSignDots(int16_t k, int32_t zoom, int32_t columns, int32_t rows) {
    ForEachLitSignDot(k, [=](int32_t col, int32_t row) {
        if (col <= columns && row <= rows) PrintDot(col, row, zoom, gPrintGraphicalFC);
    });
}

void PrintDotGrid(const SignDots& dots, int32_t zoom) {
    for (int32_t x = 0; x < dots.width; ++x)
        for (int32_t y = 0; y < dots.height; ++y)
            if (dots.At(x, y)) PrintDot(x + 1, y + 1, zoom, gPrintGraphicalFC);
}

void ResetPrintDots() {
    gPrintOriginX = gPrintOriginY = 0;
    gPrintScale = gSavedPrintScale = 0;
}

namespace {
const ResetRegistrar kReset("print origin", StateLayer::Engine, ResetPrintDots);
}  // namespace

}  // namespace kv
