#include "app/fontbrowser.h"

#include "app/feedtext.h"
#include "data/charmap.h"
#include "engine/fontlib.h"
#include "engine/signview.h"

namespace kv {

FontBrowserRow::FontBrowserRow(int32_t areaWidth, std::function<int32_t(int16_t)> width)
    : areaWidth_(areaWidth), width_(std::move(width)) {}

int32_t FontBrowserRow::X(int k) const {
    return k >= first_ && k <= last_ && first_ > 0 ? x_[static_cast<size_t>(k - 1)] : -1;
}

void FontBrowserRow::Build() {
    codes_.clear();
    x_.clear();
    first_ = last_ = 0;
    MakeMore();
}

// Places the elements from the first visible one while they start inside
// the area.
void FontBrowserRow::LayOut() {
    int32_t x = 0;
    last_ = first_ - 1;
    for (int k = first_; k <= static_cast<int>(codes_.size()) && x < areaWidth_; ++k) {
        x_[static_cast<size_t>(k - 1)] = x;
        x += width_(codes_[static_cast<size_t>(k - 1)]);
        last_ = k;
    }
}

// New elements after the last one made, while every element made is in
// sight and the next one starts inside the area.
void FontBrowserRow::MakeMore() {
    if (last_ != static_cast<int>(codes_.size())) return;
    int32_t x = last_ > 0 ? x_[static_cast<size_t>(last_ - 1)] + width_(codes_.back()) : 0;
    int16_t code = NextMappedChar(codes_.empty() ? 31 : codes_.back());
    while (code != 0 && x < areaWidth_) {
        codes_.push_back(code);
        x_.push_back(x);
        x += width_(code);
        code = NextMappedChar(code);
    }
    if (!codes_.empty() && first_ == 0) first_ = 1;
    last_ = static_cast<int>(codes_.size());
}

void FontBrowserRow::ScrollRight() {
    if (first_ == 0 || first_ == static_cast<int>(codes_.size())) return;
    ++first_;
    LayOut();
    MakeMore();
}

void FontBrowserRow::ScrollLeft() {
    if (first_ <= 1) return;
    --first_;
    LayOut();
}

void InsertBrowsedChar(int16_t code) {
    TypeFedCharacter(code);
    ShowSign(false, false);
}

BrowserGlyph GlyphOfChar(int16_t code) {
    BrowserGlyph g;
    if (code < 32 || code > 255 || gCurrentFontCode.empty()) return g;
    const int16_t glyph = gCharMap[code - 32];
    if (glyph <= 0 || !GetGlyph(static_cast<unsigned char>(gCurrentFontCode[0]), glyph)) return g;
    g.cols = GlyphBuffer.cols;
    g.rows = GlyphBuffer.rows;
    g.dots = GlyphBuffer.dots;
    return g;
}

}  // namespace kv
