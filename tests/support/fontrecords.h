// Font library records built by hand for the font and rendering tests.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/fontlib.h"

namespace testfonts {

// A glyph as the library stores it: its code, height and width in dots and
// the column bytes (bit k of a column's byte j is the dot of row 8j + k).
struct Glyph {
    int code;
    int height;
    int width;
    std::vector<uint8_t> columns;
};

// One font record; `length` replaces the true record length when not -1.
inline std::vector<uint8_t> FontRecord(int fontCode, const std::vector<Glyph>& glyphs, int length = -1) {
    std::vector<uint8_t> rec(kv::kFontRecordHeader, 0);
    rec[0] = static_cast<uint8_t>(fontCode);
    for (const Glyph& g : glyphs) {
        const size_t off = rec.size();
        rec[1 + 2 * g.code] = static_cast<uint8_t>(off & 0xFF);
        rec[2 + 2 * g.code] = static_cast<uint8_t>(off >> 8);
        rec.push_back(static_cast<uint8_t>(g.height - 1));
        rec.push_back(static_cast<uint8_t>(g.width - 1));
        rec.insert(rec.end(), g.columns.begin(), g.columns.end());
    }
    const int len = length == -1 ? static_cast<int>(rec.size()) : length;
    rec[257] = static_cast<uint8_t>(len & 0xFF);
    rec[258] = static_cast<uint8_t>((len >> 8) & 0xFF);
    return rec;
}

}  // namespace testfonts
