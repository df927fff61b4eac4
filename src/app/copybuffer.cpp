#include "app/copybuffer.h"

#include <cctype>

#include "data/destcodes.h"
#include "data/destlist.h"
#include "data/records.h"
#include "platform/host.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

namespace {

// The copied records at their own numbers; an empty Text: not copied.
std::vector<DestRecord> gDestBuffer;
std::vector<DestRecord> gExtraBuffer;
bool gDestFilled = false;
bool gExtraFilled = false;
// gExtraPerSign when the extra texts were copied.
int16_t gExtraBufferPerSign = kFalse;
CopyBufferTexts gTexts;

// The input box's title: the program's own.
constexpr const char* kInputTitle = "Kivar32";

// A number written out in full: digits with an optional sign, decimal
// point and exponent, nothing else.
bool IsNumber(const std::string& s) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t digits = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        size_t exp = 0;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++exp;
        if (exp == 0) return false;
    }
    return i == s.size();
}

struct Table {
    std::vector<DestRecord>& buffer;
    DestRecord& (*at)(int);
    ListModel& list;
    int lowest, highest;  // the numbers a record may be pasted under
    bool dest;
};

// Asks until the answer names a free number of the table; -1 skips the record.
int AskFreeNumber(const Table& t, const NumberAsker& ask, const std::string& prompt) {
    const std::string proposed = std::to_string(LastUsedNumber(t.list) + 1);
    for (;;) {
        const std::string answer = Trim(ask ? ask(prompt, kInputTitle, proposed) : std::string());
        if (answer.empty()) return -1;
        if (!IsNumber(answer)) continue;
        const double value = RoundHalfEven(Val(answer));
        if (value < t.lowest || value > t.highest) continue;
        const int n = static_cast<int>(value);
        if (t.at(n).Text.empty()) return n;
    }
}

void Paste(const Table& t, const NumberAsker& ask, const std::string& prompt) {
    for (int i = 1; i < static_cast<int>(t.buffer.size()); ++i) {
        const DestRecord& copied = t.buffer[static_cast<size_t>(i)];
        if (copied.Text.empty()) continue;
        int n = i;
        if (!t.at(i).Text.empty()) {
            n = AskFreeNumber(t, ask, prompt);
            if (n < 0) continue;
        }
        DestRecord& r = t.at(n);
        r = copied;
        // A destination under another number takes that number as its code
        // (before its line is made, which shows the code while codes are on).
        if (t.dest && n != i) r.Code = PadCode(std::to_string(n));
        // The line goes to its place, so that the last line keeps naming
        // the highest number in use.
        PlaceListLine(r.Text, static_cast<int16_t>(n), t.list);
        DoEvents();
    }
}

}  // namespace

void SetCopyBufferTexts(const CopyBufferTexts& texts) { gTexts = texts; }

void CopyDestRecords(const std::vector<std::string>& selectedLines) {
    gDestBuffer.assign(kDestCount, DestRecord{});
    for (const std::string& line : selectedLines) {
        const std::string head = Left(line, 4);
        if (head.empty()) continue;
        const int16_t n = CodeModeOn() ? GetDestIndex(head) : ListLineNumber(line);
        if (n <= 0 || n >= kDestCount) continue;
        gDestFilled = true;
        gDestBuffer[static_cast<size_t>(n)] = gDestList[static_cast<size_t>(n)];
    }
}

void CopyExtraRecords(const std::vector<std::string>& selectedLines) {
    gExtraBuffer.assign(kExtraCount, DestRecord{});
    for (const std::string& line : selectedLines) {
        if (Left(line, 4).empty()) continue;
        const int16_t n = ListLineNumber(line);
        if (n <= 0 || n >= kExtraCount) continue;
        gExtraFilled = true;
        gExtraBuffer[static_cast<size_t>(n)] = gExtraList[static_cast<size_t>(n)];
        gExtraBufferPerSign = gExtraPerSign;
    }
}

bool DestBufferFilled() { return gDestFilled; }
bool ExtraBufferFilled() { return gExtraFilled; }

void PasteDestRecords(const NumberAsker& ask) {
    Paste({gDestBuffer, DestAt, DestList, 0, kDestCount - 1, true}, ask, gTexts.newDestNumber);
}

void PasteExtraRecords(const NumberAsker& ask) {
    Paste({gExtraBuffer, ExtraAt, ExtraList, 1, kExtraCount - 1, false}, ask, gTexts.newExtraNumber);
}

void CheckCopyBuffer() {
    if (!gExtraFilled || gExtraBufferPerSign == gExtraPerSign) return;
    MsgBox(gTexts.cancelled, vbInformation);
    gExtraFilled = false;
    gExtraBuffer.assign(kExtraCount, DestRecord{});
}

void ResetCopyBuffer() {
    gDestBuffer.clear();
    gExtraBuffer.clear();
    gDestFilled = false;
    gExtraFilled = false;
    gExtraBufferPerSign = kFalse;
    gTexts = CopyBufferTexts{};
}

namespace {
const ResetRegistrar kReset("copy buffer", StateLayer::App, ResetCopyBuffer);
}  // namespace

}  // namespace kv
