// Feeds arbitrary bytes to the ini readers and writers.
#include <cstdint>
#include <string>
#include <unistd.h>

#include "data/ini.h"
#include "platform/vbfile.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::StartInput();
    static const std::string path = "/tmp/kivar-fuzz-ini-" + std::to_string(getpid()) + ".ini";
    fuzz::WriteFile(path, std::string(reinterpret_cast<const char*>(data), size));
    kv::IniGetValue(path, "Generell", "Language", kv::kIniOpenKeep);
    kv::IniGetValue(path, "Generell", "LanguageFile", kv::kIniContinue);
    kv::IniGetValue(path, "Fonts", "Font1", kv::kIniContinueClose);
    int16_t fn = kv::FileOpen(path, kv::FileMode::Input);
    if (fn > 0) {
        kv::IniGetValueOpen(fn, "Signs", "Sign1");
        kv::IniGetValueOpen(fn, "Signs", "Sign2", true);
        kv::FileClose(fn);
    }
    kv::IniSetValue(path, "Generell", "Language", "English");
    kv::IniInsertKey(path, "Windows", "frmHead", "1 2 3 4");
    kv::IniReplaceSection(path, "Signs", {"a=1", "b=2"}, 1);
    kv::IniGetValue(path, "Windows", "frmHead", kv::kIniOpenClose);
    return 0;
}
