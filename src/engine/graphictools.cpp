#include "engine/graphictools.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "data/inverted.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/dotlayers.h"
#include "platform/ports.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

int16_t gSelX1 = 0;
int16_t gSelY1 = 0;
int16_t gSelX2 = 0;
int16_t gSelY2 = 0;
int16_t gAreaSelected = 0;
int16_t gCurrentTool = 0;
int16_t gPenSize = 0;

namespace {

bool InGraphicLayer(int16_t k, int32_t x, int32_t y) {
    return x >= 0 && y >= 0 && x <= GraphicLayerBound(k, 1) && y <= GraphicLayerBound(k, 2);
}

// Set for button 1, clear for any other.
void DrawDot(int16_t k, int32_t x, int32_t y, int16_t button) { PutGraphicDot(k, x, y, button == 1); }

int Step(int32_t from, int32_t to) { return to >= from ? 1 : -1; }

// The dot of a line or rectangle end point: 5 x dot + 2 back to the dot.
int32_t EndDot(int16_t v) { return (static_cast<int32_t>(v) - 2) / 5; }

}  // namespace

void SetGraphicDot(int16_t k, int32_t x, int32_t y) {
    if (!InGraphicLayer(k, x, y)) return;
    SetGraphicPixel(k, x, y, kTrue);
    SignPicturePort().SetSignPixel(5 * x, 5 * y);
}

void ClearGraphicDot(int16_t k, int32_t x, int32_t y) {
    if (!InGraphicLayer(k, x, y)) return;
    SetGraphicPixel(k, x, y, kFalse);
    SignPicturePort().ClearSignPixel(5 * x, 5 * y);
}

void PutGraphicDot(int16_t k, int32_t x, int32_t y, bool lit) {
    if (lit)
        SetGraphicDot(k, x, y);
    else
        ClearGraphicDot(k, x, y);
}

void MarkGraphicChanged() {
    gGraphicModified = kTrue;
    gHasGraphic = kTrue;
}

void NormalizeSelection() {
    if (gSelX1 > gSelX2) std::swap(gSelX1, gSelX2);
    if (gSelY1 > gSelY2) std::swap(gSelY1, gSelY2);
}

void ClampSelection() {
    if (!IsSignAddress(gCurrentSign)) return;
    const SignInfo& s = SignInfoOf(gCurrentSign);
    auto clamp = [](int16_t& v, int32_t top) { v = static_cast<int16_t>(std::clamp<int32_t>(v, 0, top)); };
    clamp(gSelX1, 5 * s.Width);
    clamp(gSelX2, 5 * s.Width);
    clamp(gSelY1, 5 * s.Height);
    clamp(gSelY2, 5 * s.Height);
}

int32_t ClampDotCoordinate(int32_t v, int16_t dimension) {
    int32_t top = 0;
    if (IsSignAddress(gCurrentSign)) {
        const SignInfo& s = SignInfoOf(gCurrentSign);
        top = (dimension == 1 ? s.Width : s.Height) + 1;
    }
    return std::clamp(v, 0, top);
}

void DrawGraphicPoint(int16_t button) {
    if (button != 1 && button != 2) return;
    SignGraphic g;
    if (!CurrentSignGraphic(g)) return;
    const int32_t cx = gSelX1 / 5, cy = gSelY1 / 5;
    int32_t x1 = cx, x2 = cx, y1 = cy, y2 = cy;
    switch (gPenSize) {
        case 1: x1 = cx - 1; y1 = cy - 1; break;
        case 2: x1 = cx - 1; x2 = cx + 1; y1 = cy - 1; y2 = cy + 1; break;
        case 3: x1 = cx - 2; x2 = cx + 1; y1 = cy - 2; y2 = cy + 1; break;
        default: break;
    }
    x1 = ClampDotCoordinate(x1, 1);
    x2 = ClampDotCoordinate(x2, 1);
    y1 = ClampDotCoordinate(y1, 2);
    y2 = ClampDotCoordinate(y2, 2);
    if (y2 > g.H - 2) y2 = g.H - 1;
    for (int32_t x = x1; x <= x2; ++x)
        for (int32_t y = y1; y <= y2; ++y) DrawDot(g.k, x, y, button);
    MarkGraphicChanged();
}

void DrawGraphicLine(int16_t button) {
    SignGraphic g;
    if (!CurrentSignGraphic(g)) return;
    int32_t xa = EndDot(gSelX1), ya = EndDot(gSelY1), xb = EndDot(gSelX2), yb = EndDot(gSelY2);
    SignPicturePort().ClearSignPictureColor(kBlack);
    if (xa > xb) {
        std::swap(xa, xb);
        std::swap(ya, yb);
    }
    MarkGraphicChanged();
    if ((xb - xa) * (xb - xa) + (yb - ya) * (yb - ya) < 3) {
        DrawDot(g.k, xa, ya, button);
        DrawDot(g.k, xb, yb, button);
        return;
    }
    if (xa == xb) {
        xa = ClampDotCoordinate(xa, 1);
        xb = ClampDotCoordinate(xb, 1);
        ya = ClampDotCoordinate(ya, 2);
        yb = ClampDotCoordinate(yb, 2);
        const int s = Step(ya, yb);
        for (int32_t y = ya;; y += s) {
            if (y >= 0 && y <= g.H + 5) DrawDot(g.k, xa, y, button);
            if (y == yb) break;
        }
        return;
    }
    // Slope and intercept in single precision from the end points as given.
    const float m = static_cast<float>(yb - ya) / static_cast<float>(xb - xa);
    const float b = static_cast<float>(ya) - static_cast<float>(xa) * m;
    xa = ClampDotCoordinate(xa, 1);
    xb = ClampDotCoordinate(xb, 1);
    ya = ClampDotCoordinate(ya, 2);
    yb = ClampDotCoordinate(yb, 2);
    if (std::abs(yb - ya) > std::abs(xb - xa)) {
        const int s = Step(ya, yb);
        for (int32_t y = ya;; y += s) {
            const float fx = (static_cast<float>(y) - b) / m;
            const double x = RoundHalfEven(fx);
            if (x >= 0 && x <= g.W + 5) DrawDot(g.k, static_cast<int32_t>(x), y, button);
            if (y == yb) break;
        }
    } else {
        for (int32_t x = xa; x <= xb; ++x) {
            const float fy = static_cast<float>(x) * m + b;
            const double y = RoundHalfEven(fy);
            if (y >= 0 && y <= g.H + 5) DrawDot(g.k, x, static_cast<int32_t>(y), button);
        }
    }
}

void DrawGraphicRect(int16_t button) {
    SignGraphic g;
    if (!CurrentSignGraphic(g)) return;
    const int32_t xa = EndDot(gSelX1), ya = EndDot(gSelY1), xb = EndDot(gSelX2), yb = EndDot(gSelY2);
    SignPicturePort().ClearSignPictureColor(kBlack);
    auto inX = [&](int32_t x) { return x >= 0 && x <= g.W + 5; };
    auto inY = [&](int32_t y) { return y >= 0 && y <= g.H + 5; };
    for (int32_t y = ya, s = Step(ya, yb);; y += s) {
        if (inY(y)) {
            if (inX(xa)) DrawDot(g.k, xa, y, button);
            if (inX(xb)) DrawDot(g.k, xb, y, button);
        }
        if (y == yb) break;
    }
    for (int32_t x = xa, s = Step(xa, xb);; x += s) {
        if (inX(x)) {
            if (inY(ya)) DrawDot(g.k, x, ya, button);
            if (inY(yb)) DrawDot(g.k, x, yb, button);
        }
        if (x == xb) break;
    }
    MarkGraphicChanged();
}

void FloodFillGraphic(int16_t button) {
    SignGraphic g;
    if (!CurrentSignGraphic(g)) return;
    const int16_t fill = button == 1 ? kTrue : kFalse;
    const int32_t sx = gSelX1 / 5, sy = gSelY1 / 5;
    // A seed off the sign and its first margin has no region to fill.
    if (sx < 0 || sy < 0 || sx > g.W || sy > g.H) return;
    if (GetGraphicPixel(g.k, sx, sy) == fill) return;

    const int32_t cols = g.W + 1, rows = g.H + 1;
    std::vector<int16_t> v(static_cast<size_t>(cols) * static_cast<size_t>(rows), 0);
    auto at = [rows](int32_t x, int32_t y) { return static_cast<size_t>(x) * static_cast<size_t>(rows) + y; };
    for (int32_t x = 0; x < cols; ++x)
        for (int32_t y = 0; y < rows; ++y) v[at(x, y)] = GetGraphicPixel(g.k, x, y) != 0 ? kTrue : kFalse;

    struct Dot {
        int32_t x, y;
    };
    std::vector<Dot> queue(static_cast<size_t>(cols) * static_cast<size_t>(rows) + 1);
    size_t head = 0, tail = 0;
    queue[tail++] = {sx, sy};
    v[at(sx, sy)] = fill;
    auto visit = [&](int32_t x, int32_t y) {
        if (v[at(x, y)] != fill) {
            v[at(x, y)] = fill;
            queue[tail++] = {x, y};
        }
    };
    while (head < tail) {
        const Dot d = queue[head++];
        DrawDot(g.k, d.x, d.y, button);
        if (d.y == g.H || d.x == g.W) continue;
        if (d.y > 0) visit(d.x, d.y - 1);
        if (d.x < g.W) visit(d.x + 1, d.y);
        if (d.y < g.H) visit(d.x, d.y + 1);
        if (d.x > 0) visit(d.x - 1, d.y);
    }
    MarkGraphicChanged();
}

void SaveUndo() {
    SignGraphic g;
    if (!CurrentSignGraphic(g)) return;
    const int32_t bx = GraphicLayerBound(g.k, 1), by = GraphicLayerBound(g.k, 2);
    for (int32_t x = 0; x <= bx; ++x)
        for (int32_t y = 0; y <= by; ++y) SetUndoPixel(g.k, x, y, GetGraphicPixel(g.k, x, y) != 0 ? kTrue : kFalse);
}

void UndoGraphic() {
    SignGraphic g;
    if (!CurrentSignGraphic(g)) return;
    const int32_t bx = GraphicLayerBound(g.k, 1), by = GraphicLayerBound(g.k, 2);
    for (int32_t x = 0; x <= bx; ++x)
        for (int32_t y = 0; y <= by; ++y) SetGraphicPixel(g.k, x, y, GetUndoPixel(g.k, x, y) != 0 ? kTrue : kFalse);
    MarkGraphicChanged();
}

void ResetGraphicTools() {
    gSelX1 = gSelY1 = gSelX2 = gSelY2 = 0;
    gAreaSelected = 0;
    gCurrentTool = 0;
    gPenSize = 0;
}

namespace {
const ResetRegistrar kReset("graphic tools", StateLayer::Engine, ResetGraphicTools);
}  // namespace

}  // namespace kv
