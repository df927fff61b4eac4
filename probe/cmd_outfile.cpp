// Out-file commands:
//   kivar-probe out --data DIR TXL OUT          the out-file of a project in the layout its options choose
//   kivar-probe telegram --data DIR TXL NUMBER  the serial telegrams of one destination, in hex
//
// DIR is a data folder: kivar.lib (the fonts per sign height), English.lng,
// the command files and Fonts/kstndrd.bib. Messages go to stderr.
#include <cstdio>
#include <string>

#include "data/charmap.h"
#include "data/destlist.h"
#include "data/ini.h"
#include "data/language.h"
#include "data/records.h"
#include "data/signtable.h"
#include "files/outbuild.h"
#include "files/outoptions.h"
#include "files/telegram.h"
#include "files/txlread.h"
#include "platform/paths.h"
#include "platform/ui.h"
#include "platform/vb.h"
#include "probe.h"

namespace {

// The settings, texts and fonts of a data folder, as the program's start takes them.
void LoadData(const std::string& dir) {
    kv::gDataPath = dir;
    kv::gSettingsFile = kv::JoinPath(dir, "kivar.lib");
    kv::gLanguageFile = kv::JoinPath(dir, "English.lng");
    kv::gLanguage = "English";
    kv::LoadLanguageTexts();
    kv::gFontPath = kv::JoinPath(dir, "Fonts") + "/";
    kv::ReadSignFontSection();
}

// The project without the template fallback; false when unreadable or damaged.
bool ReadProject(const std::string& path) {
    std::string bytes;
    if (!kv::ReadWholeFile(path, bytes)) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return false;
    }
    kv::ClearLists();
    kv::DestList.Clear();
    kv::ExtraList.Clear();
    return kv::ReadTxlData(bytes, path) == kv::TxlReadResult::Read;
}

}  // namespace

PROBE_COMMAND("out", "out --data DIR TXL OUT") {
    probe::Args a = args;
    std::string dir;
    if (!probe::TakeOption(a, "--data", dir) || a.size() != 2) return probe::Usage("out --data DIR TXL OUT");
    LoadData(dir);
    if (!ReadProject(a[0])) return 1;
    return kv::BuildOutFile(a[1]) ? 0 : 1;
}

PROBE_COMMAND("telegram", "telegram --data DIR TXL NUMBER") {
    probe::Args a = args;
    std::string dir;
    if (!probe::TakeOption(a, "--data", dir) || a.size() != 2) return probe::Usage("telegram --data DIR TXL NUMBER");
    LoadData(dir);
    if (!ReadProject(a[0])) return 1;
    const double n = kv::Val(a[1]);
    if (n < 0 || n >= kv::kDestCount) return probe::Usage("telegram --data DIR TXL NUMBER (0..9999)");
    const auto number = static_cast<int16_t>(n);
    if (kv::gDestList[static_cast<size_t>(number)].SignData.empty()) {
        kv::MsgBox("Nothing to send, text must be saved before it can be sent!");
        return 1;
    }
    try {
        for (const std::string& t : kv::DestTelegrams(number)) std::printf("%s\n", probe::HexBytes(t).c_str());
    } catch (const kv::VbError& e) {
        std::fprintf(stderr, "kivar-probe: error %d\n", e.number);
        return 1;
    }
    return 0;
}
