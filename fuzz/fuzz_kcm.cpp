// Feeds arbitrary bytes as a command description file to the information
// block and to the listing of command files.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "data/ini.h"
#include "data/language.h"
#include "files/infoblock.h"
#include "files/outoptions.h"
#include "platform/vb.h"
#include "platform/vbfile.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::StartInput();
    static const std::string dir = [] {
        std::string d = "/tmp/kivar-fuzz-kcm-" + std::to_string(getpid());
        std::filesystem::create_directories(d);
        return d;
    }();
    if (!fuzz::WriteFile(dir + "/F.kcm", std::string(reinterpret_cast<const char*>(data), size))) return 0;
    kv::gDataPath = dir;
    kv::gCommandFile = "Fuzz (F.kcm)";
    kv::gPromName = "P";
    kv::InfoBlockInput in;
    in.Signs[0] = {"K4000", 112, 16, "A"};
    in.Signs[1] = {"K2000_2R", 16, 16, "B"};
    in.ExtraLastUsed = 3;
    in.DestCodesOn = size % 2 == 1;
    in.LineNoTableOn = true;
    in.AllowedCodeChars = {" 0123456789", "0123456789AB", "", "x"};
    try {
        std::string block = kv::BuildInfoBlock(1000, in);
        if (kv::DumpInfoBlock(block).find("rest:") != std::string::npos) std::abort();
    } catch (const kv::VbError&) {
    }
    if (kv::FileOpenCount() != 0) std::abort();
    int selected = 0;
    kv::ListCommandFiles("", selected);
    if (kv::FileOpenCount() != 0) std::abort();
    return 0;
}
