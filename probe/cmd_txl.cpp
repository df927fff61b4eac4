// Project file commands:
//   kivar-probe txl-dump FILE                     every field of a project file
//   kivar-probe txl-copy IN OUT [--version N]     read, then write (in version N)
//   kivar-probe gen-project OUT --dest N --extra M --signs K --pages P [--version V]
#include <cstdio>
#include <string>

#include "data/destcodes.h"
#include "data/headmode.h"
#include "data/records.h"
#include "data/signtable.h"
#include "data/userfields.h"
#include "engine/routenumber.h"
#include "files/document.h"
#include "files/outoptions.h"
#include "files/txlread.h"
#include "files/txlsynth.h"
#include "files/txlwrite.h"
#include "files/txlformat.h"
#include "platform/vb.h"
#include "probe.h"
#include "probe_data.h"
#include "engine/routenolayout.h"

namespace {

// A text in double quotes, its backslashes as \x5c.
std::string Quoted(const std::string& s) { return probe::Quoted(s, true); }

void Line(const std::string& name, const std::string& value) { std::printf("%s: %s\n", name.c_str(), value.c_str()); }
void Line(const std::string& name, long value) { std::printf("%s: %ld\n", name.c_str(), value); }

void DumpRecord(const char* kind, int index, const kv::DestRecord& d, bool dest) {
    std::printf("%s %d: time %d", kind, index, d.ChangeTime);
    if (dest) std::printf(" flag %d code %s srad %s", d.Flag, Quoted(d.Code).c_str(), Quoted(d.Srad).c_str());
    std::printf("\n  Text: %s\n  SignData: %s\n  AltText: %s\n", probe::HexBytes(d.Text).c_str(),
                probe::HexBytes(d.SignData).c_str(), probe::HexBytes(d.AltText).c_str());
}

}  // namespace

PROBE_COMMAND("txl-dump", "txl-dump FILE") {
    if (args.size() != 1) return probe::Usage("txl-dump FILE");
    const bool ok = probe::ReadProject(args[0]);
    const kv::TxlReadInfo& info = kv::LastTxlReadInfo();
    const int16_t v = info.version;
    Line("version", v);
    Line("tag", Quoted(info.tag));
    Line("route-number count (field 1)", info.lineNoCountField);
    Line("user date", Quoted(kv::gUserDate));
    Line("user responsible", Quoted(kv::gUserResponsible));
    Line("user others", Quoted(kv::gUserOthers));
    Line("user company", Quoted(kv::gUserCompany));
    Line("out-file name", Quoted(info.storedName));
    int signs = 0;
    for (const auto& se : kv::gSignEntry) signs += se.Used ? 1 : 0;
    Line("signs", signs);
    for (int16_t a = kv::kFirstSignAddress; a <= kv::kLastSignAddress; ++a)
        if (kv::gSignEntry[static_cast<size_t>(a - kv::kFirstSignAddress)].Used)
            Line("sign " + std::to_string(a), Quoted(kv::ComposeSignLine(a)));
    Line("two-direction block", info.twoDirecBlock ? "yes" : "no");
    if (kv::IsTxlVersion(v) && kv::TxlHasOutConfig(v)) {
        Line("destination codes", kv::gDestCodesOn);
        Line("sign to show", Quoted(kv::gSignToShow));
        Line("font section on (stored)", info.fontSectionField);
        Line("command row on", kv::gCommandRowOn);
        Line("command-row memories", kv::gComrowMems);
        Line("control info on", kv::gControlInfoOn);
        if (kv::TxlHasLineNumberOn(v)) Line("route number on", kv::gLineNumberOn);
        Line("command file", Quoted(kv::gCommandFile));
        Line("route-number sequence", Quoted(kv::gRouteNumberSeq));
        Line("route-number start index", kv::gRouteNumberStartIndex);
    }
    if (v == 1 || kv::TxlHasRouteNoFields(v)) Line("extra texts per sign (stored)", kv::gExtraPerSign);
    if (kv::TxlHasRouteNoFields(v)) {
        Line("route number at the left", kv::gRouteNoLeft);
        Line("route-number count", kv::gLineNoFieldCount);
        Line("route-number position", kv::gRouteNoPos);
        Line("route-number sample", Quoted(kv::gLineNoFields));
    }
    Line("destinations", static_cast<long>(info.destIndexes.size()));
    for (int16_t i : info.destIndexes) DumpRecord("destination", i, kv::gDestList[static_cast<size_t>(i)], true);
    Line("extra texts", static_cast<long>(info.extraIndexes.size()));
    for (int16_t i : info.extraIndexes) DumpRecord("extra text", i, kv::gExtraList[static_cast<size_t>(i)], false);
    Line("trailer", info.trailerPresent ? "yes" : "no");
    Line("route-number texts on", kv::gLineNoTableOn);
    for (int i = 0; i < kv::kLineNoTableSize; ++i)
        if (!kv::gLineNoTable[static_cast<size_t>(i)].empty())
            Line("route-number text " + std::to_string(i), Quoted(kv::gLineNoTable[static_cast<size_t>(i)]));
    return ok ? 0 : 1;
}

PROBE_COMMAND("txl-copy", "txl-copy IN OUT [--version N]") {
    probe::Args a = args;
    std::string version;
    const bool setVersion = probe::TakeOption(a, "--version", version);
    if (a.size() != 2) return probe::Usage("txl-copy IN OUT [--version N]");
    if (!probe::ReadProject(a[0])) return 1;
    if (setVersion) {
        const auto v = static_cast<int16_t>(kv::Val(version));
        if (!kv::IsTxlVersion(v)) return probe::Usage("txl-copy IN OUT [--version 0..7]");
        // As the out-file options set it: codes on in version 6, as they
        // were in version 7, off otherwise.
        kv::gDestCodesOn = kv::VbBool(v == 6 || (v == 7 && kv::gDestCodesOn));
        kv::gTxlVersion = v;
    }
    kv::gBackupOn = kv::kFalse;
    return kv::SaveTxlFile(a[1]) ? 0 : 1;
}

PROBE_COMMAND("gen-project", "gen-project OUT --dest N --extra M --signs K --pages P [--version V]") {
    static const char* usage = "gen-project OUT --dest N --extra M --signs K --pages P [--version V]";
    probe::Args a = args;
    kv::SyntheticProjectShape spec;
    std::string v;
    if (probe::TakeOption(a, "--dest", v)) spec.dests = static_cast<int>(kv::Val(v));
    if (probe::TakeOption(a, "--extra", v)) spec.extras = static_cast<int>(kv::Val(v));
    if (probe::TakeOption(a, "--signs", v)) spec.signs = static_cast<int>(kv::Val(v));
    if (probe::TakeOption(a, "--pages", v)) spec.pages = static_cast<int>(kv::Val(v));
    if (probe::TakeOption(a, "--version", v)) spec.version = static_cast<int16_t>(kv::Val(v));
    if (a.size() != 1 || !kv::IsTxlVersion(spec.version)) return probe::Usage(usage);
    kv::BuildSyntheticProject(spec);
    kv::gBackupOn = kv::kFalse;
    return kv::SaveTxlFile(a[0]) ? 0 : 1;
}
