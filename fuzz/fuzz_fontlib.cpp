// Feeds arbitrary bytes to the font library loader and looks up every glyph.
#include <cstdint>
#include <vector>

#include "engine/fontlib.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::StartInput();
    kv::SetFontLibraryData(std::vector<uint8_t>(data, data + size));
    kv::BuildFontStartTable();
    kv::BuildCharDeltaTable();
    unsigned lit = 0;
    for (int f = kv::kFirstFontCode; f <= kv::kLastFontCode; ++f) {
        if (kv::StartAdressVektor[f - kv::kFirstFontCode] == -1) continue;
        for (int g = 0; g < kv::kGlyphCodes; ++g) {
            if (!kv::GetGlyph(static_cast<int16_t>(f), static_cast<int16_t>(g))) continue;
            for (int x = 0; x < kv::GlyphWidth; ++x)
                for (int y = 0; y < kv::GlyphHeight; ++y) lit += kv::GlyphBuffer(x, y);
        }
    }
    return lit == 0xFFFFFFFFu;  // keeps the reads from being optimised away
}
