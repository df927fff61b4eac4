#include "data/charmap.h"

#include <algorithm>

#include "data/fontlist.h"
#include "platform/paths.h"
#include "platform/reset.h"
#include "platform/vb.h"
#include "platform/vbfile.h"

namespace kv {

std::string gFontPath;
int16_t gCharMap[kCharMapSize];
int16_t gCharMapReverse[kCharMapSize];
std::string gCurrentFontCode;
FontHooks gFontHooks;

namespace {

// The glyph code of a map line (1-based columns): the number from column 3
// up to the next blank; a value below 32 is read again from column 2, which
// is how the blank's own line " 32" reads.
double GlyphCodeOfLine(const std::string& line) {
    const long p = line.size() >= 3 ? InStr(3, line, " ") : 0;
    // Up to the blank, or to the end of a line without one.
    auto from = [&](long column) { return Val(Mid(line, column, p > 0 ? p - column : -1)); };
    const double v = from(3);
    return v < 32 ? from(2) : v;
}

}  // namespace

void ResetCharMaps() {
    std::fill(std::begin(gCharMap), std::end(gCharMap), 0);
    std::fill(std::begin(gCharMapReverse), std::end(gCharMapReverse), 0);
    gCurrentFontCode.clear();
    gFontPath.clear();
    gFontHooks = FontHooks{};
}

namespace {
const ResetRegistrar kReset("character maps", StateLayer::Data, ResetCharMaps);
}  // namespace

std::string CharMapPath(const std::string& fontId) { return JoinPath(JoinPath(gFontPath, fontId), fontId + "map.txt"); }

bool ReadCharMapTables(const std::string& fontId, int16_t (&map)[kCharMapSize], int16_t (&reverse)[kCharMapSize]) {
    std::fill(std::begin(map), std::end(map), 0);
    std::fill(std::begin(reverse), std::end(reverse), 0);
    std::string path = CharMapPath(fontId);
    if (!FileExists(path)) return false;
    int16_t fn = FileOpen(path, FileMode::Input);
    if (fn < 0) return false;
    std::string line;
    while (FileLineInput(fn, line)) {
        if (line.empty() || line.compare(0, 2, "  ") == 0) continue;
        int ch = static_cast<unsigned char>(line[0]);
        double v = GlyphCodeOfLine(line);
        // Codes outside 32..255 have no place in the tables; a glyph code
        // below 32 would index the reverse table below its start.
        if (ch < 32 || !(v >= 32 && v < 255.5)) continue;
        int glyph = CIntClamp(v);
        if (glyph > 255) continue;
        map[ch - 32] = static_cast<int16_t>(glyph);
        reverse[glyph - 32] = static_cast<int16_t>(ch);
    }
    FileClose(fn);
    return true;
}

int16_t MapGlyphOfChar(const std::string& fontId, int16_t charCode) {
    if (charCode < 32 || charCode > 255) return 0;
    int16_t map[kCharMapSize], reverse[kCharMapSize];
    if (!ReadCharMapTables(fontId, map, reverse)) return 0;
    return map[charCode - 32];
}

CharMapStatus ReadCharMap(const std::string& fontId) {
    gCurrentFontCode = fontId;
    if (!ReadCharMapTables(fontId, gCharMap, gCharMapReverse)) return CharMapStatus::Missing;
    for (int c = kFirstPlaceholder; c <= kLastPlaceholder; ++c) {
        gCharMap[c - 32] = static_cast<int16_t>(c);
        gCharMapReverse[c - 32] = static_cast<int16_t>(c);
    }

    int16_t first = NextMappedChar(31);
    if (first != 0 && gFontHooks.measureChar) gFontHooks.measureChar(fontId, first);

    CharMapStatus status = CharMapStatus::Taken;
    if (gFontHooks.applyToMarkedCells) {
        std::optional<bool> taken = gFontHooks.applyToMarkedCells(fontId);
        if (taken && !*taken) status = CharMapStatus::Refused;
    }
    if (status == CharMapStatus::Taken) FindFontByChar(fontId);
    return status;
}

int16_t NextMappedChar(int16_t code) {
    for (int c = std::max<int>(code + 1, 32); c < kFirstPlaceholder; ++c)
        if (gCharMap[c - 32] != 0) return static_cast<int16_t>(c);
    return 0;
}

int16_t PrevMappedChar(int16_t code) {
    for (int c = std::min<int>(code - 1, 255); c >= 32; --c)
        if (gCharMap[c - 32] != 0) return static_cast<int16_t>(c);
    return 0;
}

}  // namespace kv
