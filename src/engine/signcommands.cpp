#include "engine/signcommands.h"

#include <algorithm>

#include "data/charmap.h"
#include "data/inverted.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/dotstrips.h"
#include "engine/editstate.h"
#include "engine/routenumber.h"
#include "engine/textstrip.h"
#include "platform/vb.h"

namespace kv {

namespace {

constexpr int kStoredBlock = 16;

char ValueByte(int v) { return static_cast<char>(std::clamp(v, 0, kMaxCommandValue)); }

char GlyphByteOf(int16_t code) {
    if (code < 32 || code > 255) code = 32;
    return static_cast<char>(static_cast<unsigned char>(gCharMap[code - 32]));
}

}  // namespace

std::string SizeCommand(int16_t a, int16_t b) {
    return std::string{static_cast<char>(kCmdSizeWidth), ValueByte(a), static_cast<char>(kCmdSizeHeight), ValueByte(b)};
}

std::string PositionCommand(int16_t& x, int16_t& y) {
    if (x < 0) x = 0;
    if (y < 0) y = 0;
    return std::string{static_cast<char>(kCmdPosX), ValueByte(x), static_cast<char>(kCmdPosY), ValueByte(y)};
}

std::string FontCommand(const std::string& f) {
    return std::string{static_cast<char>(kCmdFont), f.empty() ? ' ' : f[0]};
}

std::string BuildTextHeader() {
    if (!gShowLineNo) return "";
    int16_t x = CIntClamp(gRouteNoX / 5);
    int16_t y = CIntClamp(gRouteNoY / 5 + gRouteNoAreaHeight / 5 - 1);
    return PositionCommand(x, y) + FontCommand(gRouteNoFont) + static_cast<char>(kCmdHeaderEnd);
}

std::string CellsToString(int16_t& cell) {
    std::string out;
    if (!IsCellIndex(cell)) {
        cell = 0;
        return out;
    }
    const SignCell& first = Cell(cell);
    const int16_t y0 = first.Y;
    const char f0 = first.FontCode;
    int32_t e = first.X + first.Width;
    out += static_cast<char>(static_cast<unsigned char>(first.GlyphCode));
    int16_t c = first.Next;
    for (int guard = 0; IsCellIndex(c) && guard < kCellPoolSize; ++guard) {
        const SignCell& sc = Cell(c);
        if (sc.Y != y0 || sc.X != e || sc.FontCode != f0) break;
        out += static_cast<char>(static_cast<unsigned char>(sc.GlyphCode));
        e += sc.Width;
        c = sc.Next;
    }
    cell = IsCellIndex(c) ? c : 0;
    return out;
}

std::string BuildSignData(int16_t startCell) {
    std::string out;
    if (gShowLineNo) out += BuildTextHeader();
    if (gHasGraphic) out += GraphicToText();
    int16_t c = startCell;
    // Every run takes at least one cell, so the pool bounds the walk.
    for (int guard = 0; IsCellIndex(c) && guard < kCellPoolSize; ++guard) {
        const SignCell& sc = Cell(c);
        int16_t x = CIntClamp(sc.X / 5);
        int16_t y = CIntClamp(sc.Y / 5 + sc.Height / 5 - 1);
        out += PositionCommand(x, y);
        out += FontCommand(std::string(1, sc.FontCode));
        out += CellsToString(c);
    }
    return out;
}

std::string PadRowText(int16_t signAddress) {
    if (gCodeCount < 1) return " ";
    const int w = IsSignAddress(signAddress) ? SignInfoOf(signAddress).Width : 0;
    const int n = std::min<int>(gCodeCount, kStripPlaces);
    std::string out;
    for (int i = 1; i <= n; ++i) {
        if (i == w + 1 && w < kStoredBlock) out += std::string(static_cast<size_t>(kStoredBlock - w), ' ');
        out += GlyphByteOf(gCodeTable[static_cast<size_t>(i)]);
    }
    return out;
}

std::string StoredRowChars(std::string text, int width, const int16_t (&reverse)[kCharMapSize]) {
    if (text.size() > static_cast<size_t>(kStoredBlock) && width < kStoredBlock)
        text = text.substr(0, static_cast<size_t>(std::max(width, 0))) + text.substr(kStoredBlock);
    std::string chars;
    for (unsigned char b : text) {
        int16_t code = b >= 32 ? reverse[b - 32] : 0;
        // A glyph the map does not know shows as a blank.
        chars += static_cast<char>(code >= 32 ? code : 32);
    }
    while (!chars.empty() && chars.back() == ' ') chars.pop_back();
    return chars;
}

void FitRowText(std::string& text) {
    const int w = IsSignAddress(gCurrentSign) ? SignInfoOf(gCurrentSign).Width : 0;
    InitEditor();
    const std::string chars = StoredRowChars(text, w, gCharMapReverse);
    text = chars;
    const int n = std::min<int>(static_cast<int>(chars.size()), kStripPlaces);
    for (int i = 1; i <= n; ++i) gCodeTable[static_cast<size_t>(i)] = static_cast<unsigned char>(chars[static_cast<size_t>(i - 1)]);
    gCodeCount = static_cast<int16_t>(n);
    gTextColumn = static_cast<int16_t>(n + 1);
    CursorHome();
    DrawStripChars(1);
}

std::string CopyString(const std::string& s) { return s; }

}  // namespace kv
