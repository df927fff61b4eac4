#include "engine/fontlib.h"

#include <algorithm>

#include "data/charmap.h"
#include "platform/paths.h"
#include "platform/host.h"
#include "platform/reset.h"

namespace kv {

std::vector<uint8_t> FontLibraryData;
int32_t FontLibraryLength = 0;
int32_t StartAdressVektor[kFontCodes];
uint16_t TeckenDeltaVektor[kFontCodes][kGlyphCodes];
GlyphMatrix GlyphBuffer;
int16_t GlyphWidth = 0;
int16_t GlyphHeight = 0;

namespace {

// Length of each font's record, to bound its glyphs.
int32_t gRecordLength[kFontCodes];

struct TablesInit {
    TablesInit() { ResetFontLibrary(); }
} gTablesInit;

int ByteAt(int32_t p) { return FontLibraryData[static_cast<size_t>(p)]; }
int Word(int32_t p) { return ByteAt(p) + 256 * ByteAt(p + 1); }

}  // namespace

uint8_t GlyphMatrix::operator()(int x, int y) const {
    if (x < 0 || y < 0 || x >= cols || y >= rows) return 0;
    return dots[static_cast<size_t>(x) * static_cast<size_t>(rows) + static_cast<size_t>(y)];
}

void ResetFontLibrary() {
    FontLibraryData.clear();
    FontLibraryLength = 0;
    std::fill(std::begin(StartAdressVektor), std::end(StartAdressVektor), -1);
    std::fill(std::begin(gRecordLength), std::end(gRecordLength), 0);
    for (auto& row : TeckenDeltaVektor) std::fill(std::begin(row), std::end(row), 0);
    GlyphBuffer = GlyphMatrix{};
    GlyphWidth = 0;
    GlyphHeight = 0;
}

namespace {
const ResetRegistrar kReset("font library", StateLayer::Engine, ResetFontLibrary);
}  // namespace

void SetFontLibraryData(std::vector<uint8_t> bytes) {
    // The tables describe the old bytes: drop them until they are built anew.
    ResetFontLibrary();
    FontLibraryData = std::move(bytes);
    FontLibraryLength = static_cast<int32_t>(FontLibraryData.size());
}

bool LoadFontLibraryFile(const std::string& path) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes) || bytes.empty()) return false;
    if (bytes.size() > 0x7FFFFFFF) return false;
    SetFontLibraryData(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    return true;
}

bool BuildFontStartTable() {
    std::fill(std::begin(StartAdressVektor), std::end(StartAdressVektor), -1);
    std::fill(std::begin(gRecordLength), std::end(gRecordLength), 0);
    int32_t p = 0;
    while (p < FontLibraryLength) {
        int code = ByteAt(p);
        if (code < kFirstFontCode || code > kLastFontCode) break;
        if (FontLibraryLength - p < kFontRecordHeader) break;
        int32_t length = Word(p + 257);
        if (length < kFontRecordHeader || length > 0x7FFF || length > FontLibraryLength - p) break;
        StartAdressVektor[code - kFirstFontCode] = p;
        gRecordLength[code - kFirstFontCode] = length;
        p += length;
    }
    return true;
}

bool BuildCharDeltaTable() {
    for (int f = 0; f < kFontCodes; ++f) {
        std::fill(std::begin(TeckenDeltaVektor[f]), std::end(TeckenDeltaVektor[f]), 0);
        int32_t start = StartAdressVektor[f];
        if (start == -1) continue;
        int32_t length = gRecordLength[f];
        for (int g = 0; g < kGlyphCodes; ++g) {
            int32_t offset = Word(start + 1 + 2 * g);
            if (offset == 0) continue;
            // The glyph's two size bytes and all its columns must lie inside
            // the record, after the record's header.
            if (offset < kFontRecordHeader || offset > length - 2) continue;
            int32_t h = ByteAt(start + offset) + 1;
            int32_t w = ByteAt(start + offset + 1) + 1;
            int32_t bytes = w * ((h - 1) / 8 + 1);
            if (bytes > length - offset - 2) continue;
            TeckenDeltaVektor[f][g] = static_cast<uint16_t>(offset);
        }
    }
    return true;
}

void LoadFontLibrary() {
    if (!LoadFontLibraryFile(gFontPath + "kstndrd.bib")) {
        MsgBox("Kan inte hitta 'kstndrd.bib'-filen!");
        return;
    }
    if (!BuildFontStartTable()) {
        MsgBox("Kunde inte skapa StartAdressVektor f\xF6r fonter!");
        return;
    }
    if (!BuildCharDeltaTable()) {
        MsgBox("Kunde inte skapa TeckenDeltaVektor f\xF6r fonter!");
        return;
    }
}

bool GetGlyph(int16_t fontCode, int16_t glyphCode) {
    GlyphWidth = 0;
    GlyphHeight = 0;
    GlyphBuffer = GlyphMatrix{};
    if (fontCode < kFirstFontCode || fontCode > kLastFontCode || glyphCode < 0 || glyphCode >= kGlyphCodes)
        return false;
    int32_t start = StartAdressVektor[fontCode - kFirstFontCode];
    if (start == -1) return false;
    uint16_t offset = TeckenDeltaVektor[fontCode - kFirstFontCode][glyphCode];
    if (offset == 0) return false;
    int32_t p = start + offset;
    GlyphHeight = static_cast<int16_t>(ByteAt(p) + 1);
    GlyphWidth = static_cast<int16_t>(ByteAt(p + 1) + 1);
    if (GlyphHeight < 4) return false;
    GlyphMatrix m;
    m.cols = GlyphWidth;
    m.rows = GlyphHeight;
    m.dots.assign(static_cast<size_t>(GlyphWidth) * static_cast<size_t>(GlyphHeight), 0);
    int bytesPerColumn = (GlyphHeight - 1) / 8 + 1;
    int32_t q = p + 2;
    for (int x = 0; x < GlyphWidth; ++x) {
        for (int j = 0; j < bytesPerColumn; ++j) {
            int b = ByteAt(q++);
            for (int k = 0; k < 8 && 8 * j + k < GlyphHeight; ++k)
                m.dots[static_cast<size_t>(x) * static_cast<size_t>(GlyphHeight) + static_cast<size_t>(8 * j + k)] =
                    static_cast<uint8_t>((b >> k) & 1);
        }
    }
    GlyphBuffer = std::move(m);
    return true;
}

GlyphSize GlyphSizeInFifths(int16_t widthDots, int16_t heightDots) {
    return GlyphSize{static_cast<int16_t>(5 * widthDots), static_cast<int16_t>(5 * heightDots)};
}

bool MeasureGlyph(int16_t fontCode, int16_t glyphCode, GlyphSize& size) {
    if (!GetGlyph(fontCode, glyphCode)) {
        size = GlyphSize{};
        return false;
    }
    size = GlyphSizeInFifths(GlyphWidth, GlyphHeight);
    return true;
}

}  // namespace kv
