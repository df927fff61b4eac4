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

int16_t FindK4000ByGraphic(int16_t k) {
    for (int16_t a : ShownK4000Signs())
        if (SignInfoOf(a).GraphicIndex == k) return a;
    return 0;
}

int32_t LayoutZoom(int16_t shownGraphicSigns, bool large) {
    if (shownGraphicSigns == 1) return 1;
    return large ? 1 : 3;
}

PictureSize SignPictureSize(int16_t address) {
    if (!IsSignAddress(address)) return {};
    const SignInfo& s = SignInfoOf(address);
    const int32_t pitch = s.DotSize + 1;
    return {pitch * s.Width, pitch * s.Height};
}

FramePlace PlaceSignFrame(int16_t shownGraphicSigns, const std::vector<FrameSize>& frames, int32_t innerWidth,
                          int32_t y0) {
    if (frames.empty()) return {5, y0};
    if (shownGraphicSigns == 1) return {(innerWidth - frames.back().width) / 2, y0};
    // Once a frame goes to the second row, every later one does too: the
    // first row is the frames before it.
    int32_t firstRowLeft = 5, firstRowHeight = 0, secondRowLeft = 5;
    FramePlace place;
    for (const FrameSize& f : frames) {
        if (firstRowLeft + f.width <= innerWidth) {
            place = {firstRowLeft, y0};
            firstRowHeight = std::max(firstRowHeight, f.height);
        } else {
            place = {secondRowLeft, y0 + (firstRowHeight > 0 ? firstRowHeight : frames.front().height) + 5};
            secondRowLeft += f.width + 5;
        }
        firstRowLeft += f.width + 5;
    }
    return place;
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
