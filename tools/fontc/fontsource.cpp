#include "fontsource.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <sstream>
#include <stdexcept>

namespace fontc {

namespace {

[[noreturn]] void Fail(const std::string& name, int line, const std::string& why) {
    throw std::runtime_error(name + ":" + std::to_string(line) + ": " + why);
}

bool IsRow(const std::string& s) {
    return !s.empty() && s.find_first_not_of("#.") == std::string::npos;
}

int ParseNumber(const std::string& s, const std::string& name, int line) {
    if (s.empty() || s.find_first_not_of("0123456789") != std::string::npos) Fail(name, line, "bad number '" + s + "'");
    if (s.size() > 6) Fail(name, line, "number too large");
    return std::stoi(s);
}

}  // namespace

bool IsShippableFontId(char id) {
    return (id >= '0' && id <= '9') || (id >= 'a' && id <= 'z') || (id >= 'A' && id <= 'Z' && id != 'W');
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string cur;
    for (char c : text) {
        if (c == '\n') {
            lines.push_back(cur);
            cur.clear();
        } else if (c != '\r') {
            cur += c;
        }
    }
    if (!cur.empty()) lines.push_back(cur);
    return lines;
}

FontSource ParseFontSource(const std::string& text, const std::string& name) {
    FontSource font;
    std::vector<std::string> lines = SplitLines(text);
    std::set<int> codes;
    Glyph* cur = nullptr;
    int curLine = 0;
    auto finish = [&](int line) {
        if (cur && static_cast<int>(cur->rows.size()) != font.height)
            Fail(name, curLine, "glyph " + std::to_string(cur->code) + " has " + std::to_string(cur->rows.size()) +
                                    " rows, the font is " + std::to_string(font.height) + " high");
        cur = nullptr;
        (void)line;
    };
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        int n = static_cast<int>(i) + 1;
        if (IsRow(l)) {
            if (!cur) Fail(name, n, "dot row outside a glyph");
            if (static_cast<int>(cur->rows.size()) == font.height) Fail(name, n, "more rows than the font's height");
            if (cur->rows.empty()) {
                if (l.size() > 256) Fail(name, n, "glyph wider than 256 dots");
                cur->width = static_cast<int>(l.size());
            } else if (static_cast<int>(l.size()) != cur->width) {
                Fail(name, n, "row width differs from the glyph's first row");
            }
            cur->rows.push_back(l);
            continue;
        }
        if (l.empty() || l[0] == ';') {
            if (cur && !cur->rows.empty() && static_cast<int>(cur->rows.size()) < font.height)
                Fail(name, n, "glyph ends before the font's height");
            continue;
        }
        std::istringstream words(l);
        std::string key, value;
        words >> key >> value;
        if (key == "font") {
            if (font.id) Fail(name, n, "second font line");
            if (value.size() != 1) Fail(name, n, "a font id is one character");
            font.id = value[0];
            if (!IsShippableFontId(font.id)) Fail(name, n, "font id '" + value + "' is not 0-9, a-z or A-Z without W");
        } else if (key == "height") {
            if (font.height) Fail(name, n, "second height line");
            font.height = ParseNumber(value, name, n);
            if (font.height < 1 || font.height > 256) Fail(name, n, "height must be 1 to 256");
        } else if (key == "glyph") {
            finish(n);
            if (!font.id || !font.height) Fail(name, n, "font and height must come before the glyphs");
            int code = ParseNumber(value, name, n);
            if (code > 127) Fail(name, n, "glyph code above 127");
            if (!codes.insert(code).second) Fail(name, n, "glyph " + value + " defined twice");
            font.glyphs.push_back(Glyph{code, 0, {}});
            cur = &font.glyphs.back();
            curLine = n;
        } else {
            Fail(name, n, "unknown line '" + l + "'");
        }
    }
    finish(static_cast<int>(lines.size()));
    if (!font.id) Fail(name, 1, "no font line");
    if (font.glyphs.empty()) Fail(name, 1, "no glyphs");
    std::sort(font.glyphs.begin(), font.glyphs.end(), [](const Glyph& a, const Glyph& b) { return a.code < b.code; });
    return font;
}

std::string BuildFontRecord(const FontSource& font) {
    const size_t header = 1 + 256 + 2;
    std::string glyphData;
    uint16_t offsets[128] = {};
    for (const Glyph& g : font.glyphs) {
        size_t offset = header + glyphData.size();
        if (offset > 0x7FFF) throw std::runtime_error(std::string("font ") + font.id + ": record too long");
        offsets[g.code] = static_cast<uint16_t>(offset);
        int h = static_cast<int>(g.rows.size());
        int bytesPerColumn = (h - 1) / 8 + 1;
        glyphData += static_cast<char>(h - 1);
        glyphData += static_cast<char>(g.width - 1);
        for (int x = 0; x < g.width; ++x) {
            for (int j = 0; j < bytesPerColumn; ++j) {
                unsigned char b = 0;
                for (int k = 0; k < 8 && 8 * j + k < h; ++k)
                    if (g.rows[8 * j + k][x] == '#') b |= static_cast<unsigned char>(1u << k);
                glyphData += static_cast<char>(b);
            }
        }
    }
    size_t length = header + glyphData.size();
    if (length > 0x7FFF) throw std::runtime_error(std::string("font ") + font.id + ": record too long");
    std::string rec;
    rec += font.id;
    for (uint16_t o : offsets) {
        rec += static_cast<char>(o & 0xFF);
        rec += static_cast<char>(o >> 8);
    }
    rec += static_cast<char>(length & 0xFF);
    rec += static_cast<char>(length >> 8);
    rec += glyphData;
    return rec;
}

std::string BuildLibrary(const std::vector<std::pair<std::string, std::string>>& namedSources) {
    std::string lib;
    std::set<char> ids;
    for (const auto& [name, text] : namedSources) {
        FontSource f = ParseFontSource(text, name);
        char folded = static_cast<char>(std::tolower(static_cast<unsigned char>(f.id)));
        if (!ids.insert(folded).second)
            throw std::runtime_error(name + ": font id '" + std::string(1, f.id) +
                                     "' is already used (ids may not differ only in letter case)");
        lib += BuildFontRecord(f);
    }
    return lib;
}

}  // namespace fontc
