#include "engine/signpictures.h"

#include <algorithm>

#include "data/signtable.h"
#include "engine/dotlayers.h"
#include "engine/render.h"
#include "platform/vb.h"

namespace kv {

std::vector<int16_t> ShownK4000Signs() {
    std::vector<int16_t> out;
    for (int a = kFirstSignAddress; a <= kLastSignAddress; ++a) {
        const SignInfo& s = SignInfoOf(a);
        if (s.Shown && s.Model == "K4000") out.push_back(static_cast<int16_t>(a));
    }
    return out;
}

int16_t CountK4000Signs() {
    const size_t n = ShownK4000Signs().size();
    return static_cast<int16_t>(n > kMaxSignPictures ? kMaxSignPictures : n);
}

bool OwnsPicture(int16_t address) {
    if (!IsSignAddress(address)) return false;
    const int16_t k = SignInfoOf(address).GraphicIndex;
    return k >= 0 && k < kMaxSignPictures && FindK4000ByGraphic(k) == address;
}

int16_t FindK4000ByGraphic(int16_t k) {
    for (int16_t a : ShownK4000Signs())
        if (SignInfoOf(a).GraphicIndex == k) return a;
    return 0;
}

int32_t LayoutZoom(int16_t shownGraphicSigns, bool large) {
    if (shownGraphicSigns == 1) return 1;
    return large ? 1 : 3;
}

PictureSize SignGridSize(int16_t address) {
    if (!IsSignAddress(address)) return {};
    const SignInfo& s = SignInfoOf(address);
    const int32_t pitch = s.DotSize + 1;
    return {pitch * s.Width, pitch * s.Height};
}

PictureSize SignPictureSize(int16_t address) {
    if (!IsSignAddress(address)) return {};
    const PictureSize grid = SignGridSize(address);
    return {grid.width + 1, grid.height + 1};
}

FrameRows PlaceSignFrames(const std::vector<FrameSize>& frames, int32_t innerWidth) {
    constexpr int32_t kGap = 5;
    FrameRows rows;
    rows.width = std::max<int32_t>(innerWidth, 0);
    if (frames.empty()) return rows;
    if (frames.size() == 1) {
        const FrameSize& f = frames.front();
        const int32_t left = std::max<int32_t>(0, (innerWidth - f.width) / 2);
        rows.places.push_back({left, 0});
        rows.width = std::max(rows.width, left + f.width);
        rows.height = f.height + kGap;
        return rows;
    }
    int32_t x = kGap, top = 0, rowHeight = 0;
    for (const FrameSize& f : frames) {
        // A frame that would pass the inner width starts the next row,
        // unless it is the first of its row.
        if (x > kGap && x + f.width > innerWidth) {
            top += rowHeight + kGap;
            x = kGap;
            rowHeight = 0;
        }
        rows.places.push_back({x, top});
        rowHeight = std::max(rowHeight, f.height);
        rows.width = std::max(rows.width, x + f.width);
        x += f.width + kGap;
    }
    rows.height = top + rowHeight + kGap;
    return rows;
}

int32_t DotOfFifths(int32_t v) { return static_cast<int32_t>(RoundHalfEven(v / 5.0 + 1)); }

int32_t OutlinePixel(int32_t v, int32_t dotSize) {
    return static_cast<int32_t>(RoundHalfEven((v - 2) / 5.0 * (dotSize + 1) + 1));
}

int32_t PictureHitCoordinate(double pos, double scale, int32_t dots) {
    if (scale <= 0) return 0;
    return static_cast<int32_t>(RoundHalfEven(pos / scale * dots * 5));
}

void ForEachLitSignDot(int16_t k, const std::function<void(int32_t col, int32_t row)>& dot) {
    const int32_t W = TextLayerBound(k, 1), H = TextLayerBound(k, 2);
    for (int32_t x = 0; x <= W; ++x)
        for (int32_t y = 0; y <= H; ++y)
            if (SignDotLit(k, x, y)) dot(x + 1, y + 1);
}

}  // namespace kv
