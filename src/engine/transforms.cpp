#include "engine/transforms.h"

#include <cstdlib>
#include <vector>

#include "engine/dotlayers.h"
#include "engine/graphictools.h"
#include "mainwindow/services.h"
#include "platform/ui.h"
#include "platform/vb.h"

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

bool InLayer(int16_t k, int32_t x, int32_t y) {
    return x >= 0 && y >= 0 && x <= GraphicLayerBound(k, 1) && y <= GraphicLayerBound(k, 2);
}

// Writes the layer only; painting follows separately.
void Put(int16_t k, int32_t x, int32_t y, bool lit) { SetGraphicPixel(k, x, y, lit ? kTrue : kFalse); }

// Paints the dot as the layer holds it.
void Repaint(int16_t k, int32_t x, int32_t y) {
    if (!InLayer(k, x, y)) return;
    if (Lit(k, x, y))
        Head().SetSignPixel(5 * x, 5 * y);
    else
        Head().ClearSignPixel(5 * x, 5 * y);
}

void RepaintBlock(int16_t k, const Block& b) {
    for (int32_t x = b.xs; x <= b.xe; ++x)
        for (int32_t y = b.ys; y <= b.ye; ++y) Repaint(k, x, y);
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

    Head().ClearSignPictureColor(kBlack);
    gSelX1 = static_cast<int16_t>(gSelX1 + dx);
    gSelX2 = static_cast<int16_t>(gSelX2 + dx);
    gSelY1 = static_cast<int16_t>(gSelY1 + dy);
    gSelY2 = static_cast<int16_t>(gSelY2 + dy);
    Head().ClearSignPictureColor(kWhite);
    MarkGraphicChanged();
}

void MirrorVertically() {
    SignGraphic g;
    if (!CurrentSignGraphic(g)) return;
    const Block b = SelectedBlock();
    // A block one row high has nothing to mirror; an empty one neither.
    if (b.Empty() || std::abs(b.ye - b.ys) < 1) {
        Beep();
        return;
    }
    std::vector<char> buffer(static_cast<size_t>(b.Cols()));
    for (int32_t y = b.ys; y <= b.ys + (b.ye - b.ys) / 2; ++y) {
        const int32_t p = b.ye - (y - b.ys);
        for (int32_t x = b.xs; x <= b.xe; ++x) buffer[x - b.xs] = Lit(g.k, x, p);
        for (int32_t x = b.xs; x <= b.xe; ++x) Put(g.k, x, p, Lit(g.k, x, y));
        for (int32_t x = b.xs; x <= b.xe; ++x) Put(g.k, x, y, buffer[x - b.xs] != 0);
    }
    RepaintBlock(g.k, b);
    Head().ClearSignPictureColor(kWhite);
    MarkGraphicChanged();
}

void MirrorHorizontally() {
    SignGraphic g;
    if (!CurrentSignGraphic(g)) return;
    const Block b = SelectedBlock();
    if (b.Empty() || std::abs(b.xe - b.xs) < 1) {
        Beep();
        return;
    }
    std::vector<char> buffer(static_cast<size_t>(b.Rows()));
    for (int32_t x = b.xs; x <= b.xs + (b.xe - b.xs) / 2; ++x) {
        const int32_t p = b.xe - (x - b.xs);
        for (int32_t y = b.ys; y <= b.ye; ++y) buffer[y - b.ys] = Lit(g.k, p, y);
        for (int32_t y = b.ys; y <= b.ye; ++y) Put(g.k, p, y, Lit(g.k, x, y));
        for (int32_t y = b.ys; y <= b.ye; ++y) Put(g.k, x, y, buffer[y - b.ys] != 0);
    }
    RepaintBlock(g.k, b);
    Head().ClearSignPictureColor(kWhite);
    MarkGraphicChanged();
}

void InvertGraphic() {
    SignGraphic g;
    if (!CurrentSignGraphic(g)) return;
    const Block b = SelectedBlock();
    for (int32_t x = b.xs; x <= b.xe; ++x)
        for (int32_t y = b.ys; y <= b.ye; ++y) {
            if (Lit(g.k, x, y))
                ClearGraphicDot(g.k, x, y);
            else
                SetGraphicDot(g.k, x, y);
        }
    Head().ClearSignPictureColor(kWhite);
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
        for (int32_t y = b.ys; y <= b.ys + wc; ++y) {
            if (B(x - b.xs, y - b.ys))
                SetGraphicDot(g.k, x, y);
            else
                ClearGraphicDot(g.k, x, y);
        }

    if (gAreaSelected) {
        Head().ClearSignPictureColor(kBlack);
        const int16_t oldX2 = gSelX2;
        gSelX2 = static_cast<int16_t>(gSelX1 + (gSelY2 - gSelY1));
        gSelY2 = static_cast<int16_t>(gSelY1 + (oldX2 - gSelX1));
        Head().ClearSignPictureColor(kWhite);
    }
    MarkGraphicChanged();
}

}  // namespace kv
