#include "files/txlwrite.h"

#include "data/destcodes.h"
#include "data/destlist.h"
#include "data/headmode.h"
#include "data/language.h"
#include "data/records.h"
#include "data/signtable.h"
#include "data/userfields.h"
#include "engine/routenumber.h"
#include "files/document.h"
#include "files/outoptions.h"
#include "files/txlbytes.h"
#include "files/txlformat.h"
#include "platform/error.h"
#include "platform/paths.h"
#include "platform/safefile.h"
#include "platform/host.h"
#include "platform/vb.h"
#include "engine/routenolayout.h"

namespace kv {

namespace {

// Room for the fixed fields of a record besides its strings.
constexpr size_t kRecordOverhead = 16;

size_t RecordBytes(const DestRecord& d) {
    return kRecordOverhead + d.Text.size() + d.SignData.size() + d.AltText.size() + d.Code.size() + d.Srad.size();
}

size_t EstimateSize() {
    size_t n = 4096;
    for (const DestRecord& d : gDestList)
        if (!d.SignData.empty()) n += RecordBytes(d);
    for (const DestRecord& e : gExtraList)
        if (!e.SignData.empty()) n += RecordBytes(e);
    for (const std::string& t : gLineNoTable) n += t.empty() ? 0 : t.size() + 4;
    return n;
}

void ReportWriteError(int number, const std::string& what) {
    MsgBox("Error # " + std::to_string(number) + ": \r" + what, vbCritical);
}

}  // namespace

std::string TxlBackupPath(const std::string& path) {
    if (path.size() < 4) return {};
    const std::string ext = path.substr(path.size() - 4);
    if (!EqualsNoCase(ext, ".txl") && !EqualsNoCase(ext, ".ini")) return {};
    // A bare ".txl" has no name in front of its extension.
    const std::string base = BaseName(path);
    if (base.size() <= 4) return {};
    return path.substr(0, path.size() - 4) + ".BAK";
}

void WriteTxlHeader(TxlByteWriter& w, int16_t version) {
    if (!IsTxlVersion(version)) throw TxlWriteError("unknown project file version " + std::to_string(version));
    // Files of versions 1 and 2 always read back with three route-number
    // characters; the field says so.
    w.Int(TxlHasOldRouteNoDefaults(version) ? int16_t{3} : gLineNoFieldCount);
    w.Str(gUserDate);
    w.Str(gUserResponsible);
    w.Str(gUserOthers);
    w.Str(gUserCompany);
    w.Str(OutFileNameToStore(version));

    int16_t signs = 0;
    for (const SignEntry& se : gSignEntry)
        if (se.Used) ++signs;
    w.Int(signs);
    for (int16_t a = kFirstSignAddress; a <= kLastSignAddress; ++a)
        if (gSignEntry[static_cast<size_t>(a - kFirstSignAddress)].Used) w.Str(ComposeSignLine(a));
    if (version == 4) return;

    w.Str(TxlTagOfVersion(version));
    if (version == 7) {
        w.Raw(kTxlVersion7Mark);
        std::string flags(kTxlFlagStringLength, '0');
        if (gDestCodesOn) flags[0] = '1';
        w.Raw(flags);
    }
    w.Str(gSignToShow);
    // Readers take the font section from the layout; true is stored as -1.
    w.Int(VbBool(gFontSectionOn != 0));
    w.Int(gCommandRowOn);
    w.Int(gComrowMems);
    w.Int(gControlInfoOn);
    if (TxlHasLineNumberOn(version)) w.Int(gLineNumberOn);
    w.Str(CommandFileToStore());
    w.Str(gRouteNumberSeq);
    w.Int(gRouteNumberStartIndex);
    if (version == 1) w.Int(gExtraPerSign);
    if (TxlHasRouteNoFields(version)) {
        w.Int(gExtraPerSign);
        w.Int(gRouteNoLeft);
        w.Int(gLineNoFieldCount);
        w.Int(gRouteNoPos);
        w.Str(gLineNoFields);
    }
}

namespace {

// How many records of a table the writers store: those with page data, in
// number order, `count` at most.
template <class Table>
int RecordsToWrite(const Table& table, int count) {
    int n = 0;
    for (const DestRecord& r : table) {
        if (n >= count) break;
        if (!r.SignData.empty()) ++n;
    }
    return n;
}

}  // namespace

void WriteDestRecords(TxlByteWriter& w, int16_t version, int count) {
    const bool hasAlt = TxlDestHasAltText(version);
    const bool hasCode = TxlDestHasCode(version, gDestCodesOn);
    const int toWrite = RecordsToWrite(gDestList, count);
    w.Int(static_cast<int16_t>(toWrite));
    int written = 0;
    for (int i = 0; i < kDestCount && written < toWrite; ++i) {
        const DestRecord& d = gDestList[static_cast<size_t>(i)];
        if (d.SignData.empty()) continue;
        w.Int(static_cast<int16_t>(i));
        w.Int(d.ChangeTime);
        w.Int(d.Flag ? 1 : 0);
        w.Str(d.Text);
        w.Str(d.SignData);
        if (hasAlt) w.Str(d.AltText);
        if (hasCode) w.Str(d.Code);
        ++written;
    }
    // A listed destination without page data cannot be saved.
    const bool zeroWritten = written > 0 && !gDestList[0].SignData.empty();
    if (written - (zeroWritten ? 1 : 0) < count - 1)
        MsgBox("Kivar lost a destination.Reopen the current file.", vbCritical);
}

void WriteExtraRecords(TxlByteWriter& w, int16_t version, int count) {
    const bool hasAlt = TxlExtraHasAltText(version);
    const int toWrite = RecordsToWrite(gExtraList, count);
    w.Int(static_cast<int16_t>(toWrite));
    int written = 0;
    for (int i = 0; i < kExtraCount && written < toWrite; ++i) {
        const DestRecord& e = gExtraList[static_cast<size_t>(i)];
        if (e.SignData.empty()) continue;
        w.Int(static_cast<int16_t>(i));
        w.Int(e.ChangeTime);
        w.Str(e.Text);
        w.Str(e.SignData);
        if (hasAlt) w.Str(e.AltText);
        ++written;
    }
}

void WriteTxlTrailer(TxlByteWriter& w) {
    w.Int(0);
    w.Int(0);
    int16_t texts = 0;
    if (gLineNoTableOn)
        for (const std::string& t : gLineNoTable)
            if (!t.empty()) ++texts;
    w.Int(texts);
    if (!gLineNoTableOn) return;
    for (int i = 0; i < kLineNoTableSize; ++i) {
        const std::string& t = gLineNoTable[static_cast<size_t>(i)];
        if (t.empty()) continue;
        if (t.size() > kMaxCountedString) throw TxlWriteError("a route-number text is too long");
        w.Int(static_cast<int16_t>(i));
        w.Int(static_cast<int16_t>(t.size()));
        w.Raw(t);
    }
}

void WriteTxlFile(TxlByteWriter& w, int16_t version) {
    WriteTxlHeader(w, version);
    // Destination 0, the default destination, has no list line.
    WriteDestRecords(w, version, DestList.ListCount() + 1);
    WriteExtraRecords(w, version, ExtraList.ListCount());
    WriteTxlTrailer(w);
    w.Finish();
}

std::string BuildTxlFile(int16_t version) {
    TxlByteWriter w;
    w.Reserve(EstimateSize());
    WriteTxlFile(w, version);
    return w.Take();
}

bool SaveTxlFile(const std::string& path, bool reportErrors) {
    // A name with a wildcard ("*.txl", or "x.*" from a file dialog's type
    // "All files") names no file: nothing is written.
    if (NameHasWildcard(path)) {
        MsgBox(gTextS36, vbExclamation);
        return false;
    }
    SetBusy(true);
    if (gDestCodesOn) SortDestList();
    const bool autoSave = path == gAutoSaveFile;
    const bool backup = gBackupOn && !autoSave;
    std::string error;
    bool ok = false;
    try {
        ok = SafeWriteFile(
            path,
            [](SafeFileOut& out) {
                TxlByteWriter w([&out](std::string_view piece) { out.Write(piece); });
                WriteTxlFile(w, gTxlVersion);
            },
            &error, backup ? TxlBackupPath(path) : std::string(),
            // A project is written under its name as chosen or found on disk.
            autoSave ? NameLookup::AnyCase : NameLookup::Exact);
    } catch (const TxlWriteError& e) {
        // The project does not fit the layout; nothing was saved.
        SetBusy(false);
        if (reportErrors) ReportWriteError(6, std::string("Overflow: ") + e.what() + "\r" + path);
        return false;
    }
    SetBusy(false);
    if (!ok && reportErrors) MsgBox(FileMessage(path, error), vbCritical);
    return ok;
}

}  // namespace kv
