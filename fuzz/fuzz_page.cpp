// Feeds arbitrary record bytes to the page loader of the graphic signs. The
// input is a page's markup field, "#", and the page's sign bytes (without a
// "#" the whole input is the bytes and the markup is empty). The page is
// loaded into the edit state and stored again as the commit stores it
// (markup and bytes). Arbitrary bytes may lose what the format cannot hold
// (cells beyond dot 175, characters the font's map lacks, a field without
// its first cell) on that first round; what was stored must load and store
// again as the same markup and bytes, and load to the same edit state.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "data/charmap.h"
#include "data/inverted.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/dotlayers.h"
#include "engine/editorview.h"
#include "engine/editstate.h"
#include "engine/fontlib.h"
#include "engine/markup.h"
#include "engine/pageload.h"
#include "engine/routenumber.h"
#include "engine/signcommands.h"
#include "fuzz_support.h"
#include "platform/paths.h"

namespace {

// The shipped font library (made at build time), read once.
const std::vector<uint8_t>& Library() {
    static const std::vector<uint8_t> bytes = [] {
        std::string data;
        if (!kv::ReadWholeFile(std::string(KIVAR_GEN_DIR) + "/Fonts/kstndrd.bib", data) || data.empty()) {
            std::fprintf(stderr, "cannot read the font library of %s\n", KIVAR_GEN_DIR);
            std::abort();
        }
        return std::vector<uint8_t>(data.begin(), data.end());
    }();
    return bytes;
}

// The whole program state back to its start, the shipped fonts and
// character maps, and a graphic sign of 112 x 16 dots (address 2, graphic
// 0), current, with an empty page in font "1" and the route number "4567".
void Fresh() {
    fuzz::StartInput();
    kv::SetFontLibraryData(Library());
    kv::BuildFontStartTable();
    kv::BuildCharDeltaTable();
    kv::gFontPath = std::string(KIVAR_DATA_DIR) + "/Fonts/";
    kv::InstallEditorFontHooks();
    kv::InstallPageEditorHooks();
    kv::SignInfo& s = kv::SignInfoOf(2);
    s.Model = "K4000";
    s.Width = 112;
    s.Height = 16;
    s.Name = "FRONT";
    s.Shown = -1;
    s.Zoom = 1;
    s.DotSize = 4;
    s.GraphicIndex = 0;
    kv::gCurrentSign = 2;
    kv::ResizeGraphicLayer(0, s.Width + 5, s.Height + 5);
    kv::ResizeUndoLayer(0, s.Width + 5, s.Height + 5);
    kv::gRouteNoText = "4567";
    kv::gLineNoFieldCount = 4;
    kv::RefreshEditor(0, 0);
    kv::ReadCharMap("1");
}

// Everything a load leaves behind that the next store reads: the cells in
// reading order, the rows, the route-number area and the graphic layer.
// (Not the rows' alignment: it is detected when a row holds as many cells
// as the markup announces, which the markup of arbitrary bytes need not do,
// and is stored nowhere.)
std::string EditState() {
    std::string s;
    auto add = [&s](long v) { s += std::to_string(v) + ","; };
    int guard = 0;
    for (int16_t c = kv::PageFirstCell(); kv::IsCellIndex(c) && guard <= kv::kCellPoolSize; c = kv::Cell(c).Next, ++guard) {
        const kv::SignCell& k = kv::Cell(c);
        for (long v : {long{k.X}, long{k.Y}, long{k.Width}, long{k.Height}, long{k.RowEnd}, long{k.FontCode},
                       long{k.GlyphCode}, long{k.CharCode}, long{k.FieldPos}})
            add(v);
        s += ";";
    }
    s += "|";
    for (int16_t r = kv::gStartRow, n = 0; kv::IsRowIndex(r) && n < kv::kRowPoolSize; r = kv::Row(r).NextRow, ++n) {
        add(kv::Row(r).CellCount);
    }
    s += "|";
    for (long v : {long{kv::gShowLineNo}, long{kv::gRouteNoX}, long{kv::gRouteNoY}, long{kv::gHasGraphic}}) add(v);
    s += kv::gRouteNoFont + "|";
    const kv::SignInfo& sign = kv::SignInfoOf(2);
    for (int x = 0; x < sign.Width; ++x)
        for (int y = 0; y < sign.Height; ++y) s += kv::GetGraphicPixel(0, x, y) ? '#' : '.';
    return s;
}

// What the comparison leaves out, as a page of that kind never settles:
// - one of the symbols that the loader lowers after raised text (glyphs F,
//   M, S, U and V of the symbol font): the loader moves them at every load
//   and the store keeps the moved place (kept as it is until that is
//   mended);
// - a character its font cannot draw (a font or glyph the library lacks):
//   it has no width, so runs that stood apart can meet at one place.
bool NeverSettles() {
    int guard = 0;
    for (int16_t c = kv::PageFirstCell(); kv::IsCellIndex(c) && guard <= kv::kCellPoolSize; c = kv::Cell(c).Next, ++guard) {
        const kv::SignCell& k = kv::Cell(c);
        if (k.Width == 0) return true;
        if (k.FontCode == kv::kSymbolFont && k.GlyphCode > 0 && k.GlyphCode < 128 &&
            std::strchr("FMSUV", static_cast<char>(k.GlyphCode)))
            return true;
    }
    return false;
}

// Every run of the bytes is whole: 210 x 211 y 212 f and its glyphs, no
// command byte where a value stands (a graphic is stored as it was read, so
// malformed strip runs of the input stay in the stored bytes).
bool WellFormed(const std::string& bytes) {
    auto at = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    size_t p = 0;
    if (bytes.size() >= 7 && at(6) == kv::kCmdHeaderEnd) p = 7;
    while (p < bytes.size()) {
        if (p + 6 > bytes.size() || at(p) != kv::kCmdPosX || at(p + 2) != kv::kCmdPosY || at(p + 4) != kv::kCmdFont)
            return false;
        for (size_t v : {p + 1, p + 3, p + 5})
            if (at(v) == kv::kCmdPosX) return false;
        p = bytes.find(static_cast<char>(kv::kCmdPosX), p + 6);
        if (p == std::string::npos) break;
    }
    return true;
}

struct Stored {
    std::string markup, bytes;
};

// What the commit stores for the page in the edit state.
Stored Store() {
    Stored out;
    out.markup = kv::EncodeSignObjects(false);
    out.bytes = kv::BuildSignData(kv::PageFirstCell());
    return out;
}

// Bytes as hex, for the report.
std::string Hex(const std::string& s) {
    static const char* d = "0123456789abcdef";
    std::string out;
    for (unsigned char c : s) {
        if (!out.empty()) out += ' ';
        out += d[c >> 4];
        out += d[c & 15];
    }
    return out;
}

[[noreturn]] void Differ(const char* what, const std::string& a, const std::string& b) {
    std::fprintf(stderr, "the reloaded page differs in its %s:\n  first:  %s\n  second: %s\n", what, Hex(a).c_str(),
                 Hex(b).c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t hash = input.find('#');
    const std::string markup = hash == std::string::npos ? std::string() : input.substr(0, hash);
    const std::string bytes = hash == std::string::npos ? input : input.substr(hash + 1);

    // Arbitrary bytes load and store without fault. On this first round the
    // page may lose what its bytes and markup do not hold consistently.
    Fresh();
    kv::ParseSignPage(bytes, " " + markup);
    const Stored first = Store();

    // What was stored loads and stores again; from then on it is settled:
    // a third round gives the same markup and bytes, and the same edit
    // state whatever was loaded before.
    Fresh();
    kv::ParseSignPage(first.bytes, " " + first.markup);
    const Stored second = Store();
    Fresh();
    kv::ParseSignPage(second.bytes, " " + second.markup);
    const std::string loaded = EditState();
    if (NeverSettles() || !WellFormed(second.bytes)) return 0;
    const Stored third = Store();
    if (third.markup != second.markup) Differ("markup", second.markup, third.markup);
    if (third.bytes != second.bytes) Differ("bytes", second.bytes, third.bytes);
    Fresh();
    kv::ParseSignPage(third.bytes, " " + third.markup);
    const std::string reloaded = EditState();
    if (reloaded != loaded) Differ("edit state", loaded, reloaded);
    return 0;
}
