#include "files/outfile_old.h"

#include <algorithm>
#include <vector>

#include "data/destcodes.h"
#include "data/destlist.h"
#include "data/records.h"
#include "data/signdata.h"
#include "data/signtable.h"
#include "engine/routenumber.h"
#include "files/infoblock.h"
#include "files/outbytes.h"
#include "files/outfile.h"
#include "files/outoptions.h"
#include "files/outrecords.h"
#include "files/texttransforms.h"
#include "platform/host.h"
#include "platform/vb.h"

namespace kv {

const char* const kOldLinkLimitText =
    "The out-file would reach 512 KB, more than the old out-file layout can link. "
    "Remove destinations or extra texts, or choose the newer layout, and build it again.";
const char* const kAsciiNameTooLongText =
    "The name of an out-file in the old layout holds at most 8 digits. "
    "Shorten it in the out-file options and build it again.";

std::string OldTableTooLargeText(int32_t entries) {
    return "The old out-file layout holds destination numbers up to " + std::to_string(kOldMaxDestEntries - 1) +
           "; this out-file would need number " + std::to_string(entries - 1) +
           ". Remove the higher destinations, or choose the newer layout, and build it again.";
}

namespace {

constexpr unsigned char kOldFormat = 0xA0;
constexpr int32_t kSignFlagsAt = 1;
constexpr int32_t kRouteWidthAt = 4;
constexpr int32_t kNameAt = 8;
constexpr int32_t kDestCountAt = 16;
constexpr int32_t kDestTableAt = 18;
constexpr int32_t kExtraCountAt = 32;
constexpr int32_t kExtraTableAt = 34;
constexpr int32_t kFillChainAt = 48;
constexpr int32_t kBlankChainAt = 52;
constexpr int32_t kSignTablePointerAt = 64;
constexpr int32_t kSignTableAt = kOldHeaderSize;
constexpr char kEmptyRecord = '\xFF';

// The refusals, each with its own message.
struct OldTableTooLarge {
    int32_t entries;
};
struct OldLinkTooFar {};
struct AsciiNameTooLong {};

// A link to value appended to out.
void AppendLink(std::string& out, int32_t value) {
    if (value >= kOldLinkLimit) throw OldLinkTooFar{};
    std::string link;
    PutPointer(link, value, 0);
    out += link;
}

int32_t TableEntries(const ListModel& list) { return LastRecordNumber(list) + 1; }

// A chain at pos with its pointer in slot; an empty chain leaves the
// pointer 0.
void WriteChain(std::string& image, int32_t& pos, int32_t slot, bool fill) {
    const std::vector<std::string> subs = EndSubrecords(fill, OutLayout::Old);
    if (subs.empty()) {
        PutZeroBytes(image, slot, 4);
        return;
    }
    PutPointerHex(image, pos, slot);
    std::string chain;
    for (size_t i = 0; i < subs.size(); ++i) {
        chain += subs[i];
        const bool last = i + 1 == subs.size();
        AppendLink(chain, last ? 0 : pos + static_cast<int32_t>(chain.size()) + 4);
    }
    PutAt(image, pos, chain);
    pos += static_cast<int32_t>(chain.size());
}

}  // namespace

char AsciiDigitCode(char c) {
    if (c == ' ') return 0;
    if (c >= '0' && c <= '9') return static_cast<char>(c - '0' + 1);
    return 1;
}

void WriteSignSetupOld(std::string& image, int32_t& pos, int32_t& destTable, int32_t& extraTable) {
    if (static_cast<int>(gAsciiName.size()) > kMaxAsciiNameLength) throw AsciiNameTooLong{};
    const int32_t d = TableEntries(DestList);
    const int32_t x = TableEntries(ExtraList);
    if (d > kOldMaxDestEntries) throw OldTableTooLarge{d};

    PutZeroBytes(image, 0, kOldHeaderSize);
    destTable = WriteK2000SignTable(image, kSignTableAt);
    extraTable = destTable + 4 * d;
    pos = extraTable + 4 * x;

    PutAt(image, kDestCountAt, Le16(d));
    PutPointerHex(image, destTable, kDestTableAt);
    PutAt(image, kExtraCountAt, Le16(x));
    PutPointerHex(image, extraTable, kExtraTableAt);
    PutAt(image, 0, std::string(1, static_cast<char>(kOldFormat)));
    PutAt(image, kRouteWidthAt, std::string(1, static_cast<char>(gLineNoFieldCount & 0xFF)));
    std::string name;
    for (char c : gAsciiName) name += AsciiDigitCode(c);
    PutAt(image, kNameAt, name);
    // The same byte as the first of the information block's TF block.
    PutAt(image, kSignFlagsAt, TextSignFlags(CurrentSignView()));
    PutPointerHex(image, kSignTableAt, kSignTablePointerAt);
    PutZeroBytes(image, kSignTablePointerAt + 4, 16);
}

std::string WriteDestRecordOld(const std::string& signData, int changeTime, int16_t flag, int32_t destNo, int32_t pos) {
    const std::vector<std::string> subs = DestSubrecords(signData, changeTime, flag, destNo, OutLayout::Old);
    std::string out;
    for (size_t i = 0; i < subs.size(); ++i) {
        out += subs[i];
        if (i + 1 < subs.size()) AppendLink(out, pos + static_cast<int32_t>(out.size()) + 4);
    }
    return out;
}

void WriteDestinationsOld(std::string& image, int32_t& pos, int32_t destTable, int32_t emptyRecord) {
    const int32_t d = TableEntries(DestList);
    for (int32_t n = 0; n < d; ++n) {
        const DestRecord& r = gDestList[static_cast<size_t>(n)];
        // A record that yields no sub-record shows as empty, like a number
        // without one; its entry never points at the record after it.
        const std::string record =
            r.SignData.empty() ? std::string() : WriteDestRecordOld(r.SignData, r.ChangeTime, r.Flag, n, pos);
        if (record.empty()) {
            PutPointerHex(image, emptyRecord, destTable + 4 * n);
            continue;
        }
        PutPointerHex(image, pos, destTable + 4 * n);
        PutAt(image, pos, record);
        pos += static_cast<int32_t>(record.size());
    }
}

void WriteExtraTextsOld(std::string& image, int32_t& pos, int32_t extraTable, int32_t emptyRecord) {
    const int32_t x = TableEntries(ExtraList);
    // Extra text 0 is never written: its entry points to a single byte 0.
    PutPointerHex(image, pos, extraTable);
    PutAt(image, pos, std::string(1, '\0'));
    ++pos;
    for (int32_t n = 1; n < x; ++n) {
        const DestRecord& r = gExtraList[static_cast<size_t>(n)];
        if (r.SignData.empty()) {
            PutPointerHex(image, emptyRecord, extraTable + 4 * n);
            continue;
        }
        const std::string record = WriteExtraRecord(r.SignData, r.ChangeTime);
        PutPointerHex(image, pos, extraTable + 4 * n);
        PutAt(image, pos, record);
        pos += static_cast<int32_t>(record.size());
    }
}

void WriteEndRecordsOld(std::string& image, int32_t& pos) {
    WriteChain(image, pos, kFillChainAt, true);
    WriteChain(image, pos, kBlankChainAt, false);
}

bool BuildPromImageOld(std::string& image) {
    image.clear();
    OutBuildBusy busy;
    try {
        int32_t pos = 0, destTable = 0, extraTable = 0;
        WriteSignSetupOld(image, pos, destTable, extraTable);
        const int32_t emptyRecord = pos;
        PutAt(image, pos, std::string(1, kEmptyRecord));
        ++pos;
        WriteDestinationsOld(image, pos, destTable, emptyRecord);
        WriteExtraTextsOld(image, pos, extraTable, emptyRecord);
        WriteEndRecordsOld(image, pos);
        if (static_cast<int64_t>(image.size()) >= kOutFileLimit) throw OutFileTooLarge{};
        return true;
    } catch (const OldTableTooLarge& e) {
        MsgBox(OldTableTooLargeText(e.entries), vbExclamation);
    } catch (const OldLinkTooFar&) {
        MsgBox(kOldLinkLimitText, vbExclamation);
    } catch (const AsciiNameTooLong&) {
        MsgBox(kAsciiNameTooLongText, vbExclamation);
    } catch (const OutFileTooLarge&) {
        MsgBox(kOutFileTooLargeText, vbExclamation);
    } catch (const VbError& e) {
        MsgBox(e.what(), vbCritical);
    }
    image.clear();
    return false;
}

// ------------------------------------------------------------ all nines

int16_t AddNinesDestination() {
    const int16_t last = LastUsedNumber(DestList);
    const size_t digits = std::max<size_t>(3, std::to_string(last).size());
    const auto n = static_cast<int16_t>(std::stoi(std::string(digits, '9')));
    if (n == last) return 0;
    const int sign = SignToShowAddress();
    if (!IsSignAddress(sign) || GetSignSection(gDestList[0].SignData, static_cast<int16_t>(sign)).empty()) return 0;
    // A number past the last one is free; should it hold a record all the
    // same, it is left alone rather than emptied afterwards.
    if (!gDestList[static_cast<size_t>(n)].SignData.empty()) return 0;
    const auto a = static_cast<int16_t>(sign);
    SetDestSignField(n, a, 1, "");
    SetDestSection(n, a, 1, "");
    AddListLine(n, true);
    return n;
}

void RemoveNinesDestination(int16_t n) {
    if (n <= 0 || n >= kDestCount) return;
    const std::string& data = gDestList[static_cast<size_t>(n)].SignData;
    if (data.size() >= 2) {
        const auto a = static_cast<int16_t>(static_cast<unsigned char>(data[1]));
        DeleteDestRow(n, a, 1);
        RemoveDestSignField(n, a, 1);
    }
    // With codes on the line carries the record's (blank) code, which another
    // line may share; the temporary line is the last one, added after all
    // others.
    int i = -1;
    if (gDestCodesOn) {
        i = DestList.ListCount() - 1;
    } else {
        i = SelectListItemForRecord(true, n);
    }
    if (i >= 0) DestList.RemoveItem(i);
}

}  // namespace kv
