#include "engine/signpagedots.h"

#include <algorithm>

#include "data/charmap.h"
#include "data/signtable.h"
#include "engine/fontlib.h"
#include "engine/signcommands.h"

namespace kv {

namespace {

const char kTextSignFont = '2';

bool IsTextSign(const std::string& model) { return model == "K2000_1R" || model == "K2000_2R"; }

// Places of the first row and of the second (0 for a one-row sign).
void TextSignRows(const SignInfo& s, int32_t& first, int32_t& second) {
    first = std::max<int32_t>(0, s.Width);
    second = s.Model == "K2000_2R" ? std::max<int32_t>(0, s.Height) : 0;
}

int32_t RouteSignDigits(const SignInfo& s) { return s.Width > 0 ? s.Width : kRouteSignDigits; }

// Segments a..g of a digit as runs of dots: start, direction, length.
struct Segment {
    int x, y, dx, dy;
};
constexpr int kSegmentLength = kDigitWidth - 2;
constexpr Segment kSegments[7] = {
    {1, 0, 1, 0},                                   // a: top
    {kDigitWidth - 1, 1, 0, 1},                     // b: upper right
    {kDigitWidth - 1, kSegmentLength + 2, 0, 1},    // c: lower right
    {1, kDigitHeight - 1, 1, 0},                    // d: bottom
    {0, kSegmentLength + 2, 0, 1},                  // e: lower left
    {0, 1, 0, 1},                                   // f: upper left
    {1, kSegmentLength + 1, 1, 0},                  // g: middle
};

}  // namespace

SignDots::SignDots(int32_t w, int32_t h)
    : width(std::max<int32_t>(0, w)), height(std::max<int32_t>(0, h)),
      lit(static_cast<size_t>(width) * static_cast<size_t>(height), 0) {}

bool SignDots::At(int32_t x, int32_t y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return false;
    return lit[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] != 0;
}

void SignDots::Set(int32_t x, int32_t y) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    lit[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] = 1;
}

int32_t SignDots::LitCount() const { return static_cast<int32_t>(std::count(lit.begin(), lit.end(), 1)); }

void SignDotExtent(int16_t address, int32_t& columns, int32_t& rows) {
    columns = rows = 0;
    if (!IsSignAddress(address)) return;
    const SignInfo& s = SignInfoOf(address);
    if (IsTextSign(s.Model)) {
        int32_t first = 0, second = 0;
        TextSignRows(s, first, second);
        const int32_t places = std::max(first, second);
        columns = places > 0 ? kTextPlacePitch * places - 1 : 0;
        rows = second > 0 ? kTextRowPitch + kTextPlaceHeight : kTextPlaceHeight;
    } else if (s.Model == "K1000") {
        columns = kDigitPitch * RouteSignDigits(s) - (kDigitPitch - kDigitWidth);
        rows = kDigitHeight;
    } else {
        columns = std::max<int32_t>(0, s.Width);
        rows = std::max<int32_t>(0, s.Height);
    }
}

bool DrawnFromStoredPage(int16_t address) {
    if (!IsSignAddress(address)) return false;
    const std::string& model = SignInfoOf(address).Model;
    return IsTextSign(model) || model == "K1000";
}

SignDots TextSignDots(int16_t address, const std::string& storedRow) {
    int32_t columns = 0, rows = 0;
    SignDotExtent(address, columns, rows);
    SignDots dots(columns, rows);
    if (!IsSignAddress(address) || !IsTextSign(SignInfoOf(address).Model)) return dots;
    int32_t first = 0, second = 0;
    TextSignRows(SignInfoOf(address), first, second);
    int16_t map[kCharMapSize], reverse[kCharMapSize];
    if (!ReadCharMapTables(std::string(1, kTextSignFont), map, reverse)) return dots;
    const std::string chars = StoredRowChars(storedRow, static_cast<int>(first), reverse);
    for (size_t i = 0; i < chars.size(); ++i) {
        const int32_t place = static_cast<int32_t>(i);
        int32_t x0 = 0, y0 = 0;
        if (place < first) {
            x0 = place * kTextPlacePitch;
        } else if (place < first + second) {
            x0 = (place - first) * kTextPlacePitch;
            y0 = kTextRowPitch;
        } else {
            break;
        }
        const int code = static_cast<unsigned char>(chars[i]);
        if (code < 32 || map[code - 32] == 0 || !GetGlyph(kTextSignFont, map[code - 32])) continue;
        for (int gx = 0; gx < std::min<int>(GlyphWidth, kTextPlaceWidth); ++gx)
            for (int gy = 0; gy < std::min<int>(GlyphHeight, kTextPlaceHeight); ++gy)
                if (GlyphBuffer(gx, gy)) dots.Set(x0 + gx, y0 + gy);
    }
    return dots;
}

SignDots RouteNumberSignDots(int16_t address, const std::string& segmentCodes) {
    int32_t columns = 0, rows = 0;
    SignDotExtent(address, columns, rows);
    SignDots dots(columns, rows);
    if (!IsSignAddress(address) || SignInfoOf(address).Model != "K1000") return dots;
    const int32_t digits = RouteSignDigits(SignInfoOf(address));
    for (int32_t i = 0; i < digits && i < static_cast<int32_t>(segmentCodes.size()); ++i) {
        const int code = static_cast<unsigned char>(segmentCodes[static_cast<size_t>(i)]);
        const int32_t x0 = (digits - 1 - i) * kDigitPitch;
        for (int bit = 0; bit < 7; ++bit) {
            if (!(code & (1 << bit))) continue;
            const Segment& s = kSegments[bit];
            for (int n = 0; n < kSegmentLength; ++n) dots.Set(x0 + s.x + n * s.dx, s.y + n * s.dy);
        }
    }
    return dots;
}

}  // namespace kv
