// The font browser's row of characters: every character of the current font
// that its map knows (32..249, never the route-number placeholders), shown
// side by side from the left edge of an area as far as they fit, scrolled
// one character at a time; and the insertion of a chosen character.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace kv {

class FontBrowserRow {
public:
    // `width` gives the width of a character's element in the units of
    // `areaWidth`.
    FontBrowserRow(int32_t areaWidth, std::function<int32_t(int16_t code)> width);

    // The first row: elements for the mapped codes from 32 on while the next
    // one starts inside the area.
    void Build();
    // One character on: nothing when the first visible element is the last
    // one made; else the first is hidden, the rest laid out again and new
    // elements made after the last while they start inside the area.
    void ScrollRight();
    // One character back: nothing at element 1; else the element before
    // becomes the first and the row is laid out from it.
    void ScrollLeft();

    // Elements made so far, 1-based (element k is Codes()[k - 1]); they are
    // kept when scrolled out of sight.
    const std::vector<int16_t>& Codes() const { return codes_; }
    int First() const { return first_; }  // 0 when the row is empty
    int Last() const { return last_; }
    // Position of element k while it is visible (First..Last), else -1.
    int32_t X(int k) const;

private:
    void LayOut();
    void MakeMore();

    int32_t areaWidth_;
    std::function<int32_t(int16_t)> width_;
    std::vector<int16_t> codes_;
    std::vector<int32_t> x_;
    int first_ = 0, last_ = 0;
};

// Inserts the character at the editor's text cursor in the current font as
// a typed character is, marks the text modified and paints the sign again.
void InsertBrowsedChar(int16_t code);

// The dots of a character in the current font through its map: columns,
// rows and dots column first (1 lit); 0 x 0 when the font has no glyph.
struct BrowserGlyph {
    int16_t cols = 0, rows = 0;
    std::vector<uint8_t> dots;
    bool Lit(int x, int y) const { return dots[static_cast<size_t>(x * rows + y)] != 0; }
};
BrowserGlyph GlyphOfChar(int16_t code);

}  // namespace kv
