// kivar-probe infoblock: the information block of an option set, one tagged
// block a line in hex. The project values come from options; the fill and
// blank texts of the signs are left empty.
#include <cstdio>

#include "data/language.h"
#include "files/infoblock.h"
#include "files/outoptions.h"
#include "platform/paths.h"
#include "platform/vb.h"
#include "probe.h"

namespace {

const char* const kUsage =
    "infoblock --data DIR [--kcm ENTRY] [--pos N] [--dest-table N] [--extra-table N] [--route-table N]\n"
    "          [--signs ADDR=MODEL:WxH[:NAME],...] [--dest-last N] [--extra-last N] [--codes]\n"
    "          [--line-table] [--extra-per-sign] [--field-count N] [--mems N] [--no-route-command]\n"
    "          [--own-seq SEQ --start N] [--name TEXT] [--allowed P1,P2,P3,P4] [--raw]";

int16_t Num(const std::string& s) { return kv::CIntClamp(kv::Val(s)); }

std::vector<std::string> Split(const std::string& s, char sep) {
    std::vector<std::string> out;
    size_t p = 0;
    while (true) {
        size_t q = s.find(sep, p);
        out.push_back(s.substr(p, q == std::string::npos ? std::string::npos : q - p));
        if (q == std::string::npos) break;
        p = q + 1;
    }
    return out;
}

}  // namespace

PROBE_COMMAND("infoblock", "infoblock --data DIR [options]  (see --help-infoblock)") {
    probe::Args a = args;
    if (probe::TakeFlag(a, "--help-infoblock")) return probe::Usage(kUsage);
    std::string data, v;
    if (!probe::TakeOption(a, "--data", data)) return probe::Usage(kUsage);
    kv::gDataPath = data;
    kv::gLanguageFile = kv::JoinPath(data, "English.lng");
    kv::gLanguage = "English";
    kv::ResetOutOptions();
    if (probe::TakeOption(a, "--kcm", v)) kv::gCommandFile = v;

    kv::InfoBlockInput in;
    in.LineNoFieldCount = 3;
    int32_t pos = 0;
    if (probe::TakeOption(a, "--pos", v)) pos = static_cast<int32_t>(kv::Val(v));
    if (probe::TakeOption(a, "--dest-table", v)) in.DestGroupTable = static_cast<int32_t>(kv::Val(v));
    if (probe::TakeOption(a, "--extra-table", v)) in.ExtraGroupTable = static_cast<int32_t>(kv::Val(v));
    if (probe::TakeOption(a, "--route-table", v)) in.RouteTable = static_cast<int32_t>(kv::Val(v));
    if (probe::TakeOption(a, "--dest-last", v)) in.DestLastUsed = Num(v);
    if (probe::TakeOption(a, "--extra-last", v)) in.ExtraLastUsed = Num(v);
    if (probe::TakeOption(a, "--field-count", v)) in.LineNoFieldCount = Num(v);
    if (probe::TakeOption(a, "--mems", v)) kv::gComrowMems = Num(v);
    if (probe::TakeOption(a, "--name", v)) kv::gPromName = v;
    if (probe::TakeOption(a, "--own-seq", v)) {
        kv::gControlInfoOn = 1;
        kv::gRouteNumberSeq = v;
        if (probe::TakeOption(a, "--start", v)) kv::gRouteNumberStartIndex = Num(v);
    }
    if (probe::TakeOption(a, "--allowed", v)) {
        auto parts = Split(v, ',');
        for (size_t i = 0; i < 4 && i < parts.size(); ++i) in.AllowedCodeChars[i] = parts[i];
    }
    if (probe::TakeOption(a, "--signs", v)) {
        for (const std::string& item : Split(v, ',')) {
            // ADDR=MODEL:WxH[:NAME]
            size_t eq = item.find('=');
            if (eq == std::string::npos) return probe::Usage(kUsage);
            int address = Num(item.substr(0, eq));
            auto f = Split(item.substr(eq + 1), ':');
            if (address < 2 || address > 16 || f.size() < 2) return probe::Usage(kUsage);
            auto wh = Split(f[1], 'x');
            kv::SignSummary& s = in.Signs[static_cast<size_t>(address - 2)];
            s.Model = f[0];
            s.Width = Num(wh[0]);
            s.Height = wh.size() > 1 ? Num(wh[1]) : 0;
            s.Name = f.size() > 2 ? f[2] : "";
        }
    }
    in.DestCodesOn = probe::TakeFlag(a, "--codes");
    in.LineNoTableOn = probe::TakeFlag(a, "--line-table");
    in.ExtraPerSign = probe::TakeFlag(a, "--extra-per-sign");
    if (probe::TakeFlag(a, "--no-route-command")) kv::gLineNumberOn = kv::kTrue;
    const bool raw = probe::TakeFlag(a, "--raw");
    if (!a.empty()) return probe::Usage(kUsage);

    const std::string block = kv::BuildInfoBlock(pos, in);
    if (raw) probe::WriteRaw(block);
    else std::fputs(kv::DumpInfoBlock(block).c_str(), stdout);
    return 0;
}
