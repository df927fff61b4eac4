#include "files/outfile.h"

#include <algorithm>
#include <functional>

#include "data/destcodes.h"
#include "data/destlist.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/routenumber.h"
#include "files/fontsection.h"
#include "files/infoblock.h"
#include "files/outbytes.h"
#include "files/outoptions.h"
#include "files/outrecords.h"
#include "platform/error.h"
#include "platform/safefile.h"
#include "platform/host.h"
#include "platform/vb.h"

namespace kv {

const char* const kOutFileTooLargeText =
    "The out-file would reach 1 MB, more than the sign controller can address. "
    "Remove destinations, extra texts or fonts and build it again.";

namespace {

constexpr int32_t kGroupSize = 100;
constexpr int32_t kGroupTableSize = 4 * kGroupSize;
constexpr int32_t kGroupBlockSize = 2 * kGroupSize;
constexpr int32_t kEndPointerSlot = 1;
constexpr int32_t kInfoPointerSlot = 5;
constexpr int32_t kSignTablePos = 9;
// The information block starts with FS, its length and then the pointer to
// the position just past the block.
constexpr size_t kInfoEndPointerAt = 4;

void RequireBelowLimit(int64_t pos) {
    if (pos >= kOutFileLimit) throw OutFileTooLarge{};
}

// Appends the record of number n to the buffer (nothing for no record).
using RecordBuilder = std::function<void(int n, std::string& out)>;

// Groups of one table: a group starts at the first number of its hundred
// that has a record.
void WriteGroups(std::string& image, int32_t& pos, int32_t groupTable, int last, const RecordBuilder& record) {
    int currentGroup = -1;
    int32_t block = 0;
    std::string bytes;
    for (int n = 0; n <= last; ++n) {
        bytes.clear();
        record(n, bytes);
        if (bytes.empty()) continue;
        const int g = n / kGroupSize;
        if (g != currentGroup) {
            PutZeroBytes(image, pos, 1 + kGroupBlockSize);
            block = pos + 1;
            PutPointerHex(image, block, groupTable + 4 * g);
            pos = block + kGroupBlockSize;
            currentGroup = g;
        }
        PutOffset16(image, pos, block, block + 2 * (n % kGroupSize));
        PutAt(image, pos, bytes);
        pos += static_cast<int32_t>(bytes.size());
        RequireBelowLimit(pos);
    }
}

}  // namespace

int LastRecordNumber(const ListModel& list) {
    const int count = &list == &DestList ? kDestCount : kExtraCount;
    return std::min<int>(LastUsedNumber(list), count - 1);
}

void PutPointerHex(std::string& image, int32_t value, int32_t pos) {
    RequireBelowLimit(value);
    PutAt(image, pos, PointerBytes(value));
}

void PutPointer(std::string& image, int32_t value, int32_t pos) {
    if (value < 0 || value >= kOldLinkLimit) throw VbError(6, "Overflow");
    PutAt(image, pos, PointerBytes(value));
}

void PutOffset16(std::string& image, int32_t target, int32_t base, int32_t pos) {
    PutAt(image, pos, Le16(target - base));
}

void PutZeroBytes(std::string& image, int32_t pos, int32_t count) {
    if (count > 0) PutAt(image, pos, std::string(static_cast<size_t>(count), '\0'));
}

void WriteHeaderVer1_5(std::string& image, int32_t& pos) {
    const char format = gDestCodesOn ? '\xA3' : gExtraPerSign ? '\xA2' : '\xA1';
    PutAt(image, 0, std::string(1, format));
    PutZeroBytes(image, kEndPointerSlot, 8);
    pos = kSignTablePos;
}

int32_t WriteK2000SignTable(std::string& image, int32_t pos) {
    std::string table;
    int count = 0;
    for (int a = kFirstSignAddress; a <= kLastSignAddress; ++a) {
        const SignInfo& s = SignInfoOf(a);
        if (s.Model.rfind("K2000", 0) != 0) continue;
        table += ByteOf(a) + ByteOf(s.Width) + ByteOf(s.Height);
        ++count;
    }
    PutAt(image, pos, ByteOf(count) + table);
    return pos + 1 + static_cast<int32_t>(table.size());
}

void WriteDestinationsVer1_5(std::string& image, int32_t& pos, int32_t groupTable) {
    const int last = LastRecordNumber(DestList);
    OutRecordBuilder records;
    WriteGroups(image, pos, groupTable, last, [&records](int n, std::string& out) {
        const DestRecord& r = gDestList[static_cast<size_t>(n)];
        if (!r.SignData.empty()) records.AppendDest(out, r.SignData, r.ChangeTime, r.Flag, n);
    });
}

void WriteExtraTextsVer1_5(std::string& image, int32_t& pos, int32_t groupTable) {
    const int last = LastRecordNumber(ExtraList);
    OutRecordBuilder records;
    WriteGroups(image, pos, groupTable, last, [&records](int n, std::string& out) {
        const DestRecord& r = gExtraList[static_cast<size_t>(n)];
        if (r.SignData.empty()) return;
        if (gExtraPerSign) records.AppendExtraPerSign(out, r.SignData, r.ChangeTime);
        else records.AppendExtra(out, r.SignData, r.ChangeTime);
    });
}

void WriteRouteNumberTable(std::string& image, int32_t& pos) {
    const int last = LastRecordNumber(DestList);
    std::string table;
    table.reserve(static_cast<size_t>(std::max(0, last)) * 6);
    for (int n = 1; n <= last; ++n) table += PadCode(gDestList[static_cast<size_t>(n)].Code) + Le16(n);
    PutAt(image, pos, table);
    pos += static_cast<int32_t>(table.size());
}

bool BuildPromImageVer1_5(std::string& image) {
    image.clear();
    // Room for the largest image at once: the memory is only taken as the
    // image fills it, and the image never moves while it grows.
    image.reserve(kOutFileLimit);
    OutBuildBusy busy;
    try {
        int32_t pos = 0;
        WriteHeaderVer1_5(image, pos);
        const int32_t groupTables = WriteK2000SignTable(image, pos);
        PutZeroBytes(image, groupTables, 2 * kGroupTableSize);
        pos = groupTables + 2 * kGroupTableSize;

        WriteDestinationsVer1_5(image, pos, groupTables);
        WriteExtraTextsVer1_5(image, pos, groupTables + kGroupTableSize);
        int32_t routeTable = 0;
        if (gDestCodesOn) {
            routeTable = pos;
            WriteRouteNumberTable(image, pos);
        }
        PutPointerHex(image, pos, kInfoPointerSlot);

        InfoBlockInput in = CurrentInfoBlockInput();
        in.DestGroupTable = groupTables;
        in.ExtraGroupTable = groupTables + kGroupTableSize;
        in.RouteTable = routeTable;
        in.LineNoFieldCount = gLineNoFieldCount;
        in.AllSignsTextA = BuildAllSignsTextA();
        in.AllSignsTextB = BuildAllSignsTextB();
        // Built for position 0 first, so that a block that would cross the
        // 1 MB line is refused as such; then its end pointer is set.
        std::string block = BuildInfoBlock(0, in);
        const int32_t blockEnd = pos + static_cast<int32_t>(block.size());
        RequireBelowLimit(blockEnd);
        block.replace(kInfoEndPointerAt, 4, PointerBytes(blockEnd));
        PutAt(image, pos, block);
        pos = blockEnd;

        if (gFontSectionOn != 0 && !WriteFonts(image, pos)) {
            image.clear();
            return false;
        }
        PutPointerHex(image, pos, kEndPointerSlot);
        return true;
    } catch (const OutFileTooLarge&) {
        MsgBox(kOutFileTooLargeText, vbExclamation);
    } catch (const VbError& e) {
        MsgBox("BuildPromFileVer1_5: " + std::to_string(e.number));
    }
    image.clear();
    return false;
}

bool BuildPromFileVer1_5(const std::string& path) {
    std::string image;
    return BuildPromImageVer1_5(image) && WriteOutFileImage(path, image);
}

bool WriteOutFileImage(const std::string& path, const std::string& image) {
    std::string error;
    if (!SafeWriteFile(path, image, &error)) {
        MsgBox(FileMessage(path, error), vbExclamation);
        return false;
    }
    return true;
}

}  // namespace kv
