// Feeds arbitrary bytes to the ini readers and writers.
#include <cstdint>
#include <string>
#include <unistd.h>

#include "data/ini.h"
#include "data/language.h"
#include "platform/ui.h"
#include "platform/vbfile.h"

namespace {
class QuietHost : public kv::UiHost {
public:
    int MessageBox(const std::string&, int, const std::string&) override { return kv::vbOK; }
    [[noreturn]] void EndProgram(int) override { std::abort(); }
};

void Write(const std::string& path, const uint8_t* data, size_t size) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QuietHost host;
    kv::SetUiHost(&host);
    static const std::string path = "/tmp/kivar-fuzz-ini-" + std::to_string(getpid()) + ".ini";
    Write(path, data, size);
    kv::ResetIniState();
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
