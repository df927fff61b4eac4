// Font library commands: list the fonts of a library, draw one glyph.
#include <cstdio>
#include <string>

#include "engine/fontlib.h"
#include "platform/vb.h"
#include "probe.h"

namespace {

bool Load(const std::string& path) {
    kv::ResetFontLibrary();
    if (!kv::LoadFontLibraryFile(path)) {
        std::fprintf(stderr, "kivar-probe: cannot read %s\n", path.c_str());
        return false;
    }
    kv::BuildFontStartTable();
    kv::BuildCharDeltaTable();
    return true;
}

}  // namespace

// One line per font in code order: the id, the number of glyphs and the
// height in dots ("7-9" when the glyphs differ).
PROBE_COMMAND("fonts", "fonts BIB") {
    if (args.size() != 1) return probe::Usage("fonts BIB");
    if (!Load(args[0])) return 1;
    for (int f = kv::kFirstFontCode; f <= kv::kLastFontCode; ++f) {
        if (kv::StartAdressVektor[f - kv::kFirstFontCode] == -1) continue;
        int count = 0, lo = 0, hi = 0;
        for (int g = 0; g < kv::kGlyphCodes; ++g) {
            if (kv::TeckenDeltaVektor[f - kv::kFirstFontCode][g] == 0) continue;
            kv::GetGlyph(static_cast<int16_t>(f), static_cast<int16_t>(g));
            int h = kv::GlyphHeight;
            if (count == 0 || h < lo) lo = h;
            if (count == 0 || h > hi) hi = h;
            ++count;
        }
        std::string height = lo == hi ? std::to_string(lo) : std::to_string(lo) + "-" + std::to_string(hi);
        std::printf("%c %d %s\n", f, count, height.c_str());
    }
    return 0;
}

// The glyph as rows of "#" (lit) and "." (dark); exit 1 when it is absent.
PROBE_COMMAND("glyph", "glyph BIB FONT CODE") {
    if (args.size() != 3 || args[1].size() != 1) return probe::Usage("glyph BIB FONT CODE");
    if (!Load(args[0])) return 1;
    int16_t font = static_cast<int16_t>(static_cast<unsigned char>(args[1][0]));
    int16_t code = kv::CIntClamp(kv::Val(args[2]));
    if (!kv::GetGlyph(font, code)) {
        std::fprintf(stderr, "kivar-probe: font %s has no glyph %s\n", args[1].c_str(), args[2].c_str());
        return 1;
    }
    for (int y = 0; y < kv::GlyphHeight; ++y) {
        std::string row;
        for (int x = 0; x < kv::GlyphWidth; ++x) row += kv::GlyphBuffer(x, y) ? '#' : '.';
        std::printf("%s\n", row.c_str());
    }
    return 0;
}
