// Ini layer commands: ini-get, ini-set, ini-insert, ini-replace-section.
#include <cstdio>

#include "data/ini.h"
#include "platform/vb.h"
#include "probe.h"
#include "probe_data.h"

using namespace kv;

namespace {
IniValue ValueOf(const std::string& text, bool isString) {
    IniValue v(text);
    v.isString = isString;
    return v;
}
}  // namespace

PROBE_COMMAND("ini-get", "ini-get FILE SECTION KEY [MODE]") {
    if (args.size() < 3 || args.size() > 4) return probe::Usage("ini-get FILE SECTION KEY [MODE]");
    int16_t mode = args.size() == 4 ? static_cast<int16_t>(Val(args[3])) : static_cast<int16_t>(kIniOnce);
    std::string v = IniGetValue(args[0], args[1], args[2], mode);
    ResetIniState();
    std::printf("%s\n", v.c_str());
    return 0;
}

PROBE_COMMAND("ini-set", "ini-set FILE SECTION KEY VALUE [--string]") {
    probe::Args a = args;
    bool str = probe::TakeFlag(a, "--string");
    if (a.size() != 4) return probe::Usage("ini-set FILE SECTION KEY VALUE [--string]");
    return IniSetValue(a[0], a[1], a[2], ValueOf(a[3], str)) ? 0 : 1;
}

PROBE_COMMAND("ini-insert", "ini-insert FILE SECTION KEY VALUE [--string]") {
    probe::Args a = args;
    bool str = probe::TakeFlag(a, "--string");
    if (a.size() != 4) return probe::Usage("ini-insert FILE SECTION KEY VALUE [--string]");
    return IniInsertKey(a[0], a[1], a[2], ValueOf(a[3], str)) ? 0 : 1;
}

PROBE_COMMAND("ini-replace-section", "ini-replace-section FILE SECTION LINES-FILE") {
    if (args.size() != 3) return probe::Usage("ini-replace-section FILE SECTION LINES-FILE");
    std::vector<std::string> lines;
    if (!probe::ReadLines(args[2], lines)) return 1;
    return IniReplaceSection(args[0], args[1], lines, static_cast<int16_t>(lines.size()) - 1) ? 0 : 1;
}
