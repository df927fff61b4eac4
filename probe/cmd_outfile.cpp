// Out-file commands:
//   kivar-probe out --data DIR TXL OUT          the out-file of a project in the layout its options choose
//   kivar-probe telegram --data DIR TXL NUMBER  the serial telegrams of one destination, in hex
//
// DIR is a data folder: kivar.lib (the fonts per sign height), English.lng,
// the command files and Fonts/kstndrd.bib. Messages go to stderr.
#include <cstdio>
#include <string>

#include "data/records.h"
#include "files/outbuild.h"
#include "files/telegram.h"
#include "platform/host.h"
#include "platform/vb.h"
#include "probe.h"
#include "probe_data.h"

PROBE_COMMAND("out", "out --data DIR TXL OUT") {
    probe::Args a = args;
    std::string dir;
    if (!probe::TakeOption(a, "--data", dir) || a.size() != 2) return probe::Usage("out --data DIR TXL OUT");
    probe::LoadDataSettings(dir);
    if (!probe::ReadProject(a[0])) return 1;
    return kv::BuildOutFile(a[1]) ? 0 : 1;
}

PROBE_COMMAND("telegram", "telegram --data DIR TXL NUMBER") {
    probe::Args a = args;
    std::string dir;
    if (!probe::TakeOption(a, "--data", dir) || a.size() != 2) return probe::Usage("telegram --data DIR TXL NUMBER");
    probe::LoadDataSettings(dir);
    if (!probe::ReadProject(a[0])) return 1;
    const double n = kv::Val(a[1]);
    if (n < 0 || n >= kv::kDestCount) return probe::Usage("telegram --data DIR TXL NUMBER (0..9999)");
    const auto number = static_cast<int16_t>(n);
    if (kv::gDestList[static_cast<size_t>(number)].SignData.empty()) {
        kv::MsgBox("Nothing to send, text must be saved before it can be sent!");
        return 1;
    }
    // A failed build is a VbError, which the probe reports with exit 1.
    for (const std::string& t : kv::DestTelegrams(number)) std::printf("%s\n", probe::HexBytes(t).c_str());
    return 0;
}
