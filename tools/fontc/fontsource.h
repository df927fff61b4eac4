// Glyph sources of the shipped font library and their compilation into the
// library's binary records.
//
// A source is a text file, one font per file:
//
//   ; comment
//   font 1            the one-character font id
//   height 7          every glyph of the font is this many dots high
//
//   glyph 65 A        glyph code 0..127, then free text
//   .##..             one line per dot row, top row first: "#" lit, "." dark;
//   #..#.             every row of a glyph as wide as the glyph
//   ...
//
// Blank lines and lines starting with ";" are ignored between glyphs.
#pragma once

#include <string>
#include <vector>

namespace fontc {

struct Glyph {
    int code = 0;
    int width = 0;
    std::vector<std::string> rows;  // height rows of '#' and '.'
};

struct FontSource {
    char id = 0;
    int height = 0;
    std::vector<Glyph> glyphs;  // ascending codes
};

// The lines of a text: "\n" ends a line, "\r" is dropped, and a last line
// without "\n" counts when it is not empty.
std::vector<std::string> SplitLines(const std::string& text);

// Parses one source; throws std::runtime_error("name:line: reason").
FontSource ParseFontSource(const std::string& text, const std::string& name);

// The library record of the font: font code, the 128 glyph offsets, the record
// length, then the glyphs in ascending code (height - 1, width - 1, then each
// column top to bottom, eight rows a byte, bit 0 the topmost). Throws when
// the record would reach 32768 bytes.
std::string BuildFontRecord(const FontSource& font);

// Font ids the library may carry: 0-9, a-z, A-Z without "W".
bool IsShippableFontId(char id);

// Compiles the sources, in the order given, into one library. Throws on a
// bad source, on an id used twice, or on two ids that differ only in case.
std::string BuildLibrary(const std::vector<std::pair<std::string, std::string>>& namedSources);

}  // namespace fontc
