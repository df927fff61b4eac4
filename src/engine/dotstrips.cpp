#include "engine/dotstrips.h"

#include <algorithm>

#include "engine/dotlayers.h"
#include "engine/graphictools.h"
#include "engine/signcommands.h"
#include "platform/reset.h"

namespace kv {

std::string gGraphicText;

namespace {
constexpr char kBlankSlice = ' ';
constexpr int kMaxGap = 5;  // blank columns a run may carry

char SliceAt(int16_t k, int32_t x, int32_t y, int32_t n) {
    int code = 0;
    for (int32_t i = 0; i < n && i < 5; ++i)
        if (GetGraphicPixel(k, x, y + i) != 0) code |= 1 << i;
    return static_cast<char>(32 + code);
}
}  // namespace

char EncodeColumnSlice(int32_t x, int32_t y, int32_t n) {
    SignGraphic g;
    return CurrentSignGraphic(g) ? SliceAt(g.k, x, y, n) : kBlankSlice;
}

std::string EncodeStrip(int32_t x0, int32_t x1, int32_t xOrigin, int32_t posY, const SliceFn& slice) {
    std::string out;
    bool inRun = false;
    int blanks = 0;
    for (int32_t x = x0; x < x1; ++x) {
        const char c = slice(x);
        if (c != kBlankSlice) {
            if (!inRun) {
                int16_t px = static_cast<int16_t>(x - xOrigin), py = static_cast<int16_t>(posY);
                out += PositionCommand(px, py);
                out += FontCommand(std::string(1, kGraphicTextFont));
                inRun = true;
            }
            out += c;
            blanks = 0;
        } else if (inRun) {
            if (blanks < kMaxGap) {
                out += c;
                ++blanks;
            } else {
                out.erase(out.size() - kMaxGap);
                inRun = false;
                blanks = 0;
            }
        }
    }
    return out;
}

std::string SelectionToText() {
    SignGraphic g;
    if (!CurrentSignGraphic(g)) return {};
    NormalizeSelection();
    ClampSelection();
    const int32_t xs = gSelX1 / 5, xe = gSelX2 / 5, ys = gSelY1 / 5, ye = gSelY2 / 5;
    std::string out;
    // The last strip takes only the rows left in the selection.
    for (int32_t yTop = ys; yTop < ye; yTop += 5) {
        const int32_t n = std::min<int32_t>(5, ye - yTop);
        out += EncodeStrip(xs, xe, xs, yTop + 4 - ys, [&](int32_t x) { return SliceAt(g.k, x, yTop, n); });
    }
    return out;
}

std::string GraphicToText() {
    if (!gGraphicModified) return gGraphicText;
    SignGraphic g;
    if (!CurrentSignGraphic(g)) return {};
    std::string out;
    for (int32_t yTop = 0; yTop <= g.H - 1; yTop += 5)
        out += EncodeStrip(0, g.W, 0, yTop + 4, [&](int32_t x) { return SliceAt(g.k, x, yTop, 5); });
    return out;
}

void DrawTextRun(const std::string& run, int32_t dx, int32_t dy) {
    gGraphicText += run;
    // A run too short for its position bytes draws nothing.
    if (run.size() < 4) return;
    SignGraphic g;
    if (!CurrentSignGraphic(g)) return;
    const int32_t x0 = static_cast<unsigned char>(run[1]) + dx;
    const int32_t y0 = static_cast<unsigned char>(run[3]) + dy;
    for (size_t i = 6; i < run.size(); ++i) {
        const int bits = static_cast<unsigned char>(run[i]) - 32;
        for (int j = 0; j < 5; ++j) {
            if ((bits & (1 << j)) == 0) continue;
            const int32_t x = x0 + static_cast<int32_t>(i - 6), y = y0 + j - 4;
            if (x >= 0 && x <= g.W && y >= 0 && y <= g.H) SetGraphicDot(g.k, x, y);
        }
    }
}

void PasteGraphicText(const std::string& text) {
    const int32_t dx = gSelX1 / 5, dy = gSelY1 / 5;
    const char start = static_cast<char>(kCmdPosX);
    size_t p = text.find(start);
    while (p != std::string::npos) {
        const size_t next = text.find(start, p + 1);
        DrawTextRun(text.substr(p, next == std::string::npos ? std::string::npos : next - p), dx, dy);
        p = next;
    }
    MarkGraphicChanged();
}

void ResetDotStrips() { gGraphicText.clear(); }

namespace {
const ResetRegistrar kReset("dot strips", StateLayer::Engine, ResetDotStrips);
}  // namespace

}  // namespace kv
