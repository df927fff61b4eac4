// The dot picture of a sign of any model, as printed pictures draw it. A
// graphic sign lights the dots of its layers; a text sign and a route-number
// sign have no layers, so their pages are drawn here from the stored page:
//
// - a text sign (K2000_1R, K2000_2R) as its character places: each place a
//   glyph of the text-sign font "2" (5 x 7 dots), the places 6 dots apart,
//   as the strip shows them; a two-row sign's second row 8 dots below the
//   first;
// - a route-number sign (K1000) as its seven-segment digits, each 6 x 11
//   dots with segments 4 dots long, the digits 8 dots apart, the last
//   character of the route number in the rightmost digit.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kv {

constexpr int kTextPlacePitch = 6;    // dots from one character place to the next
constexpr int kTextPlaceWidth = 5;
constexpr int kTextPlaceHeight = 7;
constexpr int kTextRowPitch = 8;      // dots from the first row to the second
constexpr int kDigitPitch = 8;        // dots from one seven-segment digit to the next
constexpr int kDigitWidth = 6;
constexpr int kDigitHeight = 11;
constexpr int kRouteSignDigits = 4;   // digits a route-number sign of no width shows

// A grid of dots, column x row, 0-based.
struct SignDots {
    int32_t width = 0, height = 0;
    std::vector<uint8_t> lit;  // index y * width + x
    SignDots() = default;
    SignDots(int32_t w, int32_t h);
    bool At(int32_t x, int32_t y) const;
    void Set(int32_t x, int32_t y);
    int32_t LitCount() const;
};

// The dots a sign's picture spans: a graphic sign its Width x Height; a text
// sign its places and rows; a route-number sign its digits. 0 x 0 for an
// address without a sign.
void SignDotExtent(int16_t address, int32_t& columns, int32_t& rows);
// The sign has no dot layers: its pages are drawn by the two below.
bool DrawnFromStoredPage(int16_t address);

// A text sign's stored page (glyph codes of the text-sign font; a row longer
// than the sign fills a block of 16 places before the rest) as the sign
// lights it: the first Width characters on the first row, a two-row sign's
// next Height on the second; characters beyond stay dark, and a byte the
// font's character map has no character for is a blank, as on the strip.
SignDots TextSignDots(int16_t address, const std::string& storedRow);
// A route-number sign's digits from seven-segment codes (bits 0..6 light the
// segments a..g), the rightmost digit's code first; digits without a code
// stay dark.
SignDots RouteNumberSignDots(int16_t address, const std::string& segmentCodes);

}  // namespace kv
