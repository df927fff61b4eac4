// The font library: every dot-matrix font of the program comes from one file,
// kstndrd.bib in the font folder, read whole at start and kept in memory with
// two lookup tables. GetGlyph unpacks one glyph into GlyphBuffer.
//
// File layout (little-endian, no header): font records one after another from
// offset 0. A record: font code (32..127), 128 two-byte glyph offsets from the
// record start (0 = no glyph), the two-byte record length, then the glyphs.
// A glyph: height - 1, width - 1, then each column left to right in
// (height - 1) \ 8 + 1 bytes, bit k of byte j the dot of row 8j + k.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kv {

constexpr int kFirstFontCode = 32;
constexpr int kLastFontCode = 127;
constexpr int kFontCodes = kLastFontCode - kFirstFontCode + 1;  // 96
constexpr int kGlyphCodes = 128;
// Font code byte, the offset table and the record length.
constexpr int kFontRecordHeader = 1 + 2 * kGlyphCodes + 2;  // 259

// The whole library file.
extern std::vector<uint8_t> FontLibraryData;
extern int32_t FontLibraryLength;
// Offset of each font's record, indexed by font code - 32; -1 when absent.
extern int32_t StartAdressVektor[kFontCodes];
// Glyph offsets from the record start, indexed by (font code - 32, glyph
// code); 0 when absent.
extern uint16_t TeckenDeltaVektor[kFontCodes][kGlyphCodes];

// The glyph unpacked by the last successful GetGlyph, x first: 1 lit, 0 dark.
struct GlyphMatrix {
    int16_t cols = 1;
    int16_t rows = 1;
    std::vector<uint8_t> dots = std::vector<uint8_t>(1, 0);  // index x * rows + y
    uint8_t operator()(int x, int y) const;  // 0 outside the matrix
};
extern GlyphMatrix GlyphBuffer;
// Size in dots of the last glyph looked up; 0 after a lookup that failed
// before the glyph was found.
extern int16_t GlyphWidth;
extern int16_t GlyphHeight;

// Loads gFontPath & "kstndrd.bib" and builds both tables; failures are shown
// in a message box and leave the program without fonts.
void LoadFontLibrary();
// Reads the whole file; false when it is missing, unreadable or empty.
bool LoadFontLibraryFile(const std::string& path);
// Takes the library from memory (the file loader, the probe and the fuzzer).
void SetFontLibraryData(std::vector<uint8_t> bytes);
// Walk the records. A record shorter than a bare record, 32768 bytes or
// longer, or running past the end of the file ends the walk, so a damaged
// library keeps the fonts in front of the damage. Glyphs whose offset or
// dots lie outside their record count as absent. Both return true.
bool BuildFontStartTable();
bool BuildCharDeltaTable();

// Unpacks glyph glyphCode of font fontCode; true when a glyph was unpacked.
// Glyphs under four dots high count as absent (their size stays set).
bool GetGlyph(int16_t fontCode, int16_t glyphCode);

// The size of a glyph of w x h dots in the editor's units, fifths of a dot,
// at every zoom.
struct GlyphSize {
    int16_t width = 0;
    int16_t height = 0;
};
GlyphSize GlyphSizeInFifths(int16_t widthDots, int16_t heightDots);
// The glyph measured in fifths of a dot; false (size 0 x 0) when the glyph is
// absent. Leaves GlyphBuffer holding that glyph.
bool MeasureGlyph(int16_t fontCode, int16_t glyphCode, GlyphSize& size);

// Empties the library and the tables (start state; tests).
void ResetFontLibrary();

}  // namespace kv
