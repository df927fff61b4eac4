#include "engine/textstrip.h"

#include <algorithm>
#include <cmath>

#include "data/records.h"
#include "data/signtable.h"
#include "engine/editstate.h"
#include "engine/shownpages.h"
#include "platform/ports.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

std::array<int16_t, kStripPlaces + 1> gCodeTable{};
std::array<int16_t, kStripPlaces + 1> gShownCodes{};
std::array<int16_t, kStripPlaces + 1> gStripX{};
int16_t gCodeCount = 0;
int16_t gTextColumn = 1;
int16_t gSecondRowY = 42;
int16_t gTwoRowText = 0;

namespace {

struct Dims {
    int w = 0;
    int h = 0;
};

Dims SignDims() {
    if (!IsSignAddress(gCurrentSign)) return {};
    const SignInfo& s = SignInfoOf(gCurrentSign);
    return {std::max<int>(0, s.Width), std::max<int>(0, s.Height)};
}

// The last place of the sign, within the table.
int LastPlace() {
    const Dims d = SignDims();
    return std::min(kStripPlaces, d.w + d.h);
}

int16_t Nearest(double v) { return static_cast<int16_t>(RoundHalfEven(v)); }

}  // namespace

void ClearStripCell(int16_t i) {
    if (i < 1 || i > kStripPlaces) return;
    const int y = i > SignDims().w ? gSecondRowY : 1;
    StripPort().ClearStripPlace(gStripX[static_cast<size_t>(i)], y);
}

void InitEditor() {
    gCursorX = 0;
    gCursorY = 1;
    gCharHeight = 35;
    gCodeCount = 0;
    gTextColumn = 1;
    gSecondRowY = 42;
    gCodeTable.fill(32);
    gShownCodes.fill(32);
    for (int i = 1; i <= LastPlace(); ++i) ClearStripCell(static_cast<int16_t>(i));
    StripPort().RefreshStrip();
    // The emptied strip holds no entry's page.
    ForgetShownPage(kStripEditor, "");
}

void DrawStripChars(int16_t from) {
    if (from < 1) from = 1;
    const int w = SignDims().w;
    for (int i = from; i <= LastPlace(); ++i) {
        const size_t k = static_cast<size_t>(i);
        if (gCodeTable[k] == 0) gCodeTable[k] = 32;
        if (gShownCodes[k] == 0) gShownCodes[k] = 32;
        if (gShownCodes[k] == gCodeTable[k]) continue;
        gShownCodes[k] = gCodeTable[k];
        const int y = i > w && gTwoRowText ? gSecondRowY : 1;
        StripPort().DrawStripChar(gStripX[k], y, gCodeTable[k]);
    }
    StripPort().RefreshStrip();
}

void CursorHome() {
    const int col = std::clamp<int>(gTextColumn, 1, kStripPlaces);
    gCursorX = gStripX[static_cast<size_t>(col)];
    gCursorY = static_cast<int16_t>(col > SignDims().w && gTwoRowText ? gSecondRowY : 1);
}

void ShiftTableEntries(int16_t position, int16_t n) {
    if (n == 0 || position < 1) return;
    if (n > 0) {
        for (int i = gCodeCount; i >= position; --i)
            if (i + n <= kStripPlaces) gCodeTable[static_cast<size_t>(i + n)] = gCodeTable[static_cast<size_t>(i)];
    } else {
        const int end = std::min<int>(gCodeCount + 1, kStripPlaces);
        for (int i = position; i <= end; ++i)
            if (i + n >= 1) gCodeTable[static_cast<size_t>(i + n)] = gCodeTable[static_cast<size_t>(i)];
    }
    gCodeCount = static_cast<int16_t>(std::clamp<int>(gCodeCount + n, 0, kStripPlaces));
}

std::string CharArrayToString() {
    const int w = IsSignAddress(gCurrentSign) ? SignInfoOf(gCurrentSign).Width : 0;
    std::string out;
    for (int i = 1; i <= std::min<int>(gCodeCount, kStripPlaces); ++i) {
        if (i == w + 1) out += '\\';
        out += static_cast<char>(gCodeTable[static_cast<size_t>(i)]);
    }
    return out;
}

StripLayout LayoutTextStrip(const std::string& model, int16_t w, int16_t h) {
    StripLayout out;
    const bool one = model == "K2000_1R";
    const bool two = model == "K2000_2R";
    if ((!one && !two) || w < 1 || (two && h < 1)) return out;
    const int n = one ? w : h;
    const double P = 30.0 * n - 3;
    out.pictureWidth = static_cast<int16_t>(P);
    out.pictureHeight = one ? 37 : 79;
    gStripX.fill(0);
    size_t i = 1;
    auto put = [&](int16_t x) {
        if (i <= kStripPlaces) gStripX[i] = x;
        ++i;
    };
    auto line = [&](double x1, double y1, double x2, double y2, int16_t width) {
        out.separators.push_back(StripShape{StripShape::Line, x1, y1, x2, y2, width});
    };

    if (one || w == h) {
        const double p = (P + 3) / w;
        put(0);
        const double height = one ? 35 : 36;
        for (int16_t x = Nearest(p - 1.5), step = Nearest(p); step > 0 && x <= Nearest(P); x = static_cast<int16_t>(x + step)) {
            line(x, 0, x, height, 3);
            put(Nearest(x + 2.5));
        }
    } else {
        const double d = (P - 2 - 27.0 * w) / (w - 1);
        const int16_t g = Nearest(d);
        const double e = (d - g) * (w - 1) / 2;
        const int16_t q = static_cast<int16_t>(g + 27);
        put(0);
        const int16_t from = Nearest(q - std::trunc(g / 2.0) + std::trunc(e + 0.5));
        const int16_t to = Nearest(P - g / 2.0);
        for (int16_t x = from; q > 0 && x <= to; x = static_cast<int16_t>(x + q)) {
            out.separators.push_back(StripShape{StripShape::Bar, double(x), 0, double(x), 33, g});
            put(static_cast<int16_t>(std::trunc(g / 2.0) + x + 1));
        }
    }
    if (two) {
        line(0, 38.5, P + 1, 38.5, 3);
        // The second row's places follow the first row's W places.
        i = static_cast<size_t>(w) + 1;
        const double r = (P + 5) / h;
        put(0);
        for (int16_t x = Nearest(r - 2.5), step = Nearest(r); step > 0 && x <= Nearest(P); x = static_cast<int16_t>(x + step)) {
            line(x, 38.5, x, 79, 3);
            put(Nearest(x + 2.5));
        }
    }
    put(Nearest(P - 5));

    gTwoRowText = VbBool(two);
    InitEditor();
    return out;
}

void ResetTextStrip() {
    gCodeTable.fill(0);
    gShownCodes.fill(0);
    gStripX.fill(0);
    gCodeCount = 0;
    gTextColumn = 1;
    gSecondRowY = 42;
    gTwoRowText = 0;
}

namespace {
const ResetRegistrar kReset("text-sign strip", StateLayer::Engine, ResetTextStrip);
}  // namespace

}  // namespace kv
