// Feeds arbitrary bytes to the character-map reader (as a font's map file)
// and to the font list (as a settings file's [Fonts] section).
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "data/charmap.h"
#include "data/fontlist.h"
#include "data/ini.h"
#include "data/language.h"
#include "platform/vbfile.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::StartInput();
    static const std::string dir = "/tmp/kivar-fuzz-charmap-" + std::to_string(getpid());
    static bool made = [] {
        std::error_code ec;
        std::filesystem::create_directories(dir + "/A", ec);
        return !ec;
    }();
    if (!made) return 0;
    std::string bytes(reinterpret_cast<const char*>(data), size);

    kv::gFontPath = dir + "/";
    fuzz::WriteFile(dir + "/A/Amap.txt", bytes);
    kv::ReadCharMap("A");
    for (int c = kv::NextMappedChar(31); c != 0; c = kv::NextMappedChar(static_cast<int16_t>(c))) {
    }
    for (int c = kv::PrevMappedChar(256); c != 0; c = kv::PrevMappedChar(static_cast<int16_t>(c))) {
    }

    // The same bytes as the body of [Fonts].
    kv::gSettingsFile = dir + "/kivar.lib";
    fuzz::WriteFile(kv::gSettingsFile, "[Fonts]\r\n" + bytes);
    kv::ReadFontSection(kv::gSettingsFile);
    kv::SaveFontList(2);
    kv::SaveFontList(1);
    for (char id : std::string("g1Aa ")) {
        kv::FindFontIdIndex(std::string(1, id));
        kv::FindFontByChar(std::string(1, id));
    }
    kv::RenameGraphicFontEntry();
    kv::FileCloseAll();
    return 0;
}
