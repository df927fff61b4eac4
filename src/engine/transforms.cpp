#include "engine/transforms.h"

#include <vector>

#include "engine/dotlayers.h"
#include "engine/graphictools.h"
#include "platform/ports.h"
#include "platform/host.h"

namespace kv {

namespace {

// Integer division rounding toward minus infinity.
int32_t FloorDiv(int32_t a, int32_t b) {
    int32_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

struct Block {
    int32_t xs, xe, ys, ye;
    bool Empty() const { return xe < xs || ye < ys; }
    int32_t Cols() const { return xe - xs + 1; }
    int32_t Rows() const { return ye - ys + 1; }
};

Block SelectedBlock() { return {gSelX1 / 5, gSelX2 / 5 - 1, gSelY1 / 5, gSelY2 / 5 - 1}; }

bool Lit(int16_t k, int32_t x, int32_t y) { return GetGraphicPixel(k, x, y) != 0; }

// Swaps every dot of the selected block with its mirror image, top to
// bottom or left to right. A block one row high (one column wide) has
// nothing to mirror and only beeps; an empty one too.
void MirrorBlock(bool topToBottom) {
    SignGraphic g;
    if (!CurrentSignGraphic(g)) return;
    const Block b = SelectedBlock();
    if (b.Empty() || (topToBottom ? b.Rows() : b.Cols()) < 2) {
        Beep();
        return;
    }
    for (int32_t x = b.xs; x <= b.xe; ++x)
        for (int32_t y = b.ys; y <= b.ye; ++y) {
            const int32_t mx = topToBottom ? x : b.xs + b.xe - x;
            const int32_t my = topToBottom ? b.ys + b.ye - y : y;
            if (mx < x || my < y) continue;  // the pair was swapped already
            const bool lit = Lit(g.k, x, y), mirrorLit = Lit(g.k, mx, my);
            PutGraphicDot(g.k, x, y, mirrorLit);
            PutGraphicDot(g.k, mx, my, lit);
        }
    SignPicturePort().ClearSignPictureColor(kWhite);
    MarkGraphicChanged();
}

}  // namespace

void ClearSelectionArea() {
    SignGraphic g;
    if (!CurrentSignGraphic(g)) return;
    NormalizeSelection();
    // The last row and column round down, so that an empty selection at the
    // top or left edge clears nothing.
    const int32_t y1 = gSelY1 / 5, y2 = FloorDiv(gSelY2 - 1, 5);
    const int32_t x1 = gSelX1 / 5, x2 = FloorDiv(gSelX2 - 1, 5);
    bool changed = false;
    for (int32_t y = y1; y <= y2; ++y)
        for (int32_t x = x1; x <= x2; ++x)
            if (Lit(g.k, x, y)) {
                ClearGraphicDot(g.k, x, y);
                changed = true;
            }
    if (changed) MarkGraphicChanged();
}

void MoveSelectedDots(int16_t dx, int16_t dy, int16_t opaque, int16_t copy) {
    SignGraphic g;
    if (!CurrentSignGraphic(g)) return;
    NormalizeSelection();
    const Block b = SelectedBlock();
    std::vector<char> lit;
    if (!b.Empty()) {
        lit.resize(static_cast<size_t>(b.Cols()) * static_cast<size_t>(b.Rows()));
        for (int32_t x = b.xs; x <= b.xe; ++x)
            for (int32_t y = b.ys; y <= b.ye; ++y)
                lit[static_cast<size_t>(x - b.xs) * b.Rows() + (y - b.ys)] = Lit(g.k, x, y);
    }
    auto wasLit = [&](int32_t x, int32_t y) { return lit[static_cast<size_t>(x - b.xs) * b.Rows() + (y - b.ys)] != 0; };

    ClearSelectionArea();

    const int32_t ddx = dx / 5, ddy = dy / 5;
    if (!b.Empty()) {
        for (int32_t x = b.xs; x <= b.xe; ++x)
            for (int32_t y = b.ys; y <= b.ye; ++y) {
                const int32_t tx = x + ddx, ty = y + ddy;
                if (tx < 0 || tx > g.W + 1 || ty < 0 || ty > g.H + 1) continue;
                if (wasLit(x, y))
                    SetGraphicDot(g.k, tx, ty);
                else if (opaque)
                    ClearGraphicDot(g.k, tx, ty);
            }
        if (copy)
            for (int32_t x = b.xs; x <= b.xe; ++x)
                for (int32_t y = b.ys; y <= b.ye; ++y)
                    if (wasLit(x, y)) SetGraphicDot(g.k, x, y);
    }

    SignPicturePort().ClearSignPictureColor(kBlack);
    gSelX1 = static_cast<int16_t>(gSelX1 + dx);
    gSelX2 = static_cast<int16_t>(gSelX2 + dx);
    gSelY1 = static_cast<int16_t>(gSelY1 + dy);
    gSelY2 = static_cast<int16_t>(gSelY2 + dy);
    SignPicturePort().ClearSignPictureColor(kWhite);
    MarkGraphicChanged();
}

void MirrorVertically() { MirrorBlock(true); }

void MirrorHorizontally() { MirrorBlock(false); }

void InvertGraphic() {
    SignGraphic g;
    if (!CurrentSignGraphic(g)) return;
    const Block b = SelectedBlock();
    for (int32_t x = b.xs; x <= b.xe; ++x)
        for (int32_t y = b.ys; y <= b.ye; ++y) PutGraphicDot(g.k, x, y, !Lit(g.k, x, y));
    SignPicturePort().ClearSignPictureColor(kWhite);
    if (!b.Empty()) MarkGraphicChanged();
}

void RotateGraphic(int16_t angle) {
    if (angle != 90 && angle != 270) return;
    SignGraphic g;
    if (!CurrentSignGraphic(g)) return;
    NormalizeSelection();
    ClampSelection();
    const Block b = SelectedBlock();
    if (b.Empty()) return;
    const int32_t w = b.xe - b.xs, h = b.ye - b.ys;

    // A(u, v): the lifted block, w + 1 columns by h + 1 rows.
    std::vector<char> a(static_cast<size_t>(w + 1) * static_cast<size_t>(h + 1));
    auto A = [&](int32_t u, int32_t v) -> char& { return a[static_cast<size_t>(u) * (h + 1) + v]; };
    for (int32_t x = b.xs; x <= b.xs + w; ++x)
        for (int32_t y = b.ys; y <= b.ys + h; ++y) {
            A(x - b.xs, y - b.ys) = Lit(g.k, x, y);
            ClearGraphicDot(g.k, x, y);
        }

    // The turned block is cut so that it ends at column W and row H.
    const int32_t hc = b.xs + h > g.W ? g.W - b.xs : h;
    const int32_t wc = b.ys + w > g.H ? g.H - b.ys : w;

    // B(i, j): the turned block, hc + 1 columns by wc + 1 rows.
    std::vector<char> bb(static_cast<size_t>(h + 1) * static_cast<size_t>(w + 1));
    auto B = [&](int32_t i, int32_t j) -> char& { return bb[static_cast<size_t>(i) * (w + 1) + j]; };
    for (int32_t u = 0; u <= wc; ++u)
        for (int32_t v = 0; v <= hc; ++v) {
            if (angle == 90)
                B(hc - v, u) = A(u, v);
            else
                B(v, wc - u) = A(u, v);
        }

    for (int32_t x = b.xs; x <= b.xs + hc; ++x)
        for (int32_t y = b.ys; y <= b.ys + wc; ++y) PutGraphicDot(g.k, x, y, B(x - b.xs, y - b.ys) != 0);

    if (gAreaSelected) {
        SignPicturePort().ClearSignPictureColor(kBlack);
        const int16_t oldX2 = gSelX2;
        gSelX2 = static_cast<int16_t>(gSelX1 + (gSelY2 - gSelY1));
        gSelY2 = static_cast<int16_t>(gSelY1 + (oldX2 - gSelX1));
        SignPicturePort().ClearSignPictureColor(kWhite);
    }
    MarkGraphicChanged();
}

}  // namespace kv
