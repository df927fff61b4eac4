#include "files/outrecords.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "data/headmode.h"
#include "data/records.h"
#include "data/signdata.h"
#include "data/signtable.h"
#include "engine/signcommands.h"
#include "files/outbytes.h"
#include "files/texttransforms.h"
#include "platform/host.h"
#include "platform/vb.h"

namespace kv {

namespace {

constexpr char kEnd = '\xFF';
constexpr unsigned char kDestTextByte = 162;
constexpr unsigned char kExtraTextByte = 176;
constexpr unsigned char kK1000Byte = 174;
constexpr unsigned char kSinglePage = 240;
constexpr unsigned char kPages = 241;
constexpr char kFill = '\x22';
constexpr int kEndRecordTime = 3;

enum class Model { None, K4000, K2000, K1000 };

Model ModelOf(int address) {
    const std::string& m = SignInfoOf(address).Model;
    if (m == "K4000") return Model::K4000;
    if (m == "K2000_1R" || m == "K2000_2R") return Model::K2000;
    if (m == "K1000") return Model::K1000;
    return Model::None;
}

char FlagByte(bool last) { return static_cast<char>(last ? kSubrecordFlagLast : kSubrecordFlag); }

// A record under construction in a buffer that may hold other bytes before
// it: where each of its sub-records starts.
struct RecordBuffer {
    std::string& bytes;
    std::vector<size_t>& starts;
    void Begin() { starts.push_back(bytes.size()); }
    // The flag of the last sub-record is 132 and every other one 4, so that
    // each record ends where the controller expects it to.
    void MarkLast() {
        for (size_t s : starts) bytes[s] = static_cast<char>(kSubrecordFlag);
        if (!starts.empty()) bytes[starts.back()] = static_cast<char>(kSubrecordFlagLast);
    }
    std::vector<std::string> Split() const {
        std::vector<std::string> out;
        for (size_t i = 0; i < starts.size(); ++i)
            out.push_back(bytes.substr(starts[i], (i + 1 < starts.size() ? starts[i + 1] : bytes.size()) - starts[i]));
        return out;
    }
};

// A record of its own.
struct OwnRecord {
    std::string bytes;
    std::vector<size_t> starts;
    RecordBuffer buffer{bytes, starts};
};

// F, t, a, the byte after the address, and 241 when the stored text holds a
// page mark (else 240).
void AppendTextHead(std::string& out, bool last, int changeTime, int address, unsigned char kind, std::string_view text) {
    out += FlagByte(last);
    out += ByteOf(changeTime);
    out += ByteOf(address);
    out += static_cast<char>(kind);
    out += static_cast<char>(text.find(kPageMark) != std::string_view::npos ? kPages : kSinglePage);
}

void AppendK4000(std::string& out, std::string_view text, int t, int a, int32_t n, bool last) {
    AppendTextHead(out, last, t, a, kDestTextByte, text);
    // The route-number header is replaced only while route-number texts are
    // on and only in texts that hold one.
    const bool expand = gLineNoTableOn && text.find(static_cast<char>(kCmdHeaderEnd)) != std::string_view::npos;
    if (!expand && !last) {
        AppendDropRepeatedCommands(out, text);
    } else {
        std::string body = expand ? ExpandRouteNumberPlaceholder(std::string(text), a, n) : std::string(text);
        if (last) body = TrimBlankRuns(body);
        AppendDropRepeatedCommands(out, body);
    }
    out += kEnd;
}

std::string ExpandIfTableOn(const std::string& text, int address, int32_t recordNo) {
    return gLineNoTableOn ? ExpandRouteNumberPlaceholder(text, address, recordNo) : text;
}

void AppendK4000Old(std::string& out, std::string_view text, int t, int a, int32_t n, bool last) {
    const SignInfo& s = SignInfoOf(a);
    AppendTextHead(out, last, t, a, kDestTextByte, text);
    out += static_cast<char>(kCmdSizeWidth) + ByteOf(s.Width) + static_cast<char>(kCmdSizeHeight) + ByteOf(s.Height);
    out += ExpandIfTableOn(std::string(text), a, n);
    out += kEnd;
}

void AppendK2000(std::string& out, std::string_view text, int t, int a, bool last) {
    AppendTextHead(out, last, t, a, kDestTextByte, text);
    out.append(text);
    out += kEnd;
}

void AppendK4000Of(OutLayout layout, RecordBuffer& r, std::string_view text, int t, int a, int32_t n, bool last) {
    r.Begin();
    if (layout == OutLayout::Ver1_5) AppendK4000(r.bytes, text, t, a, n, last);
    else AppendK4000Old(r.bytes, text, t, a, n, last);
}

std::string DefaultK4000Text(OutLayout layout) {
    int16_t x = 0, y = layout == OutLayout::Ver1_5 ? 19 : 0;
    return PositionCommand(x, y) + FontCommand("x") + " ";
}

bool IsEndRecordSign(const std::string& model) { return model == "K4000" || model.rfind("K2000", 0) == 0; }

// The text and graphic signs: the highest such address, 0 when none.
int LastTextOrGraphicSign() {
    int last = 0;
    for (int a = kFirstSignAddress; a <= kLastSignAddress; ++a)
        if (IsEndRecordSign(SignInfoOf(a).Model)) last = a;
    return last;
}

// A graphic sign's fill text: two rows of the fill character.
std::string K4000FillText() {
    int16_t x = 0, y = 19;
    std::string text = PositionCommand(x, y) + FontCommand("x") + std::string(20, kFill);
    y = 27;
    return text + PositionCommand(x, y) + FontCommand("x") + std::string(20, kFill);
}

void BuildEndRecords(RecordBuffer& r, bool fill, OutLayout layout) {
    const int last = LastTextOrGraphicSign();
    for (int a = kFirstSignAddress; a <= last; ++a) {
        const SignInfo& s = SignInfoOf(a);
        const bool isLast = layout == OutLayout::Ver1_5 && a == last;
        if (s.Model == "K4000") {
            AppendK4000Of(layout, r, fill ? K4000FillText() : DefaultK4000Text(layout), kEndRecordTime, a, -1, isLast);
        } else if (IsEndRecordSign(s.Model)) {
            r.Begin();
            AppendK2000(r.bytes, fill ? std::string(static_cast<size_t>(std::max(0, s.Width + s.Height)), kFill) : " ",
                        kEndRecordTime, a, isLast);
        }
    }
}

std::string AllSignsText(bool fill) {
    if (LastTextOrGraphicSign() == 0) {
        MsgBox("ERROR!!!!");
        return {};
    }
    OwnRecord r;
    BuildEndRecords(r.buffer, fill, OutLayout::Ver1_5);
    return std::move(r.bytes);
}

}  // namespace

// ------------------------------------------------------------ route numbers

char SevenSegmentCode(char c) {
    switch (c) {
        case ' ': return 0;
        case '1': return 6;
        case '2': return 91;
        case '3': return 79;
        case '4': return 102;
        case '5': return 109;
        case '6': return 125;
        case '7': return 7;
        case '8': return 127;
        case '9': return 111;
        case '0': return 63;
        case 'A': return 119;
        case 'b': return 124;
        case 'C': return 57;
        case 'd': return 94;
        case 'E': return 121;
        case 'F': return 113;
        case 'H': return 118;
        case 'L': return 56;
        default: return 0;
    }
}

std::string DigitCodes(const std::string& routeText) {
    std::string r(routeText.rbegin(), routeText.rend());
    if (r.size() < 4) r.append(4 - r.size(), ' ');
    std::string codes;
    for (size_t i = 0; i < 4; ++i) codes += SevenSegmentCode(r[i]);
    return codes;
}

namespace {

std::string K1000Bytes(int flag, int address, const std::string& codes) {
    std::string s = ByteOf(flag);
    s += '\x01';
    s += ByteOf(address);
    s += static_cast<char>(kK1000Byte);
    s += codes;
    s += kEnd;
    return s;
}

std::string TableText(int32_t recordNo) {
    if (recordNo < 0 || recordNo >= kLineNoTableSize) throw VbError(9, "Subscript out of range");
    return gLineNoTable[static_cast<size_t>(recordNo)];
}

}  // namespace

std::string EncodeK1000(int flag, int address, int32_t recordNo) {
    const std::string codes = gLineNoTableOn ? DigitCodes(TableText(recordNo)) : std::string(4, '\0');
    return K1000Bytes(flag, address, codes);
}

std::string EncodeK1000Old(int flag, int address, const std::string& signData, int32_t recordNo) {
    const std::string text = gLineNoTableOn ? TableText(recordNo)
                                            : GetSectionText(static_cast<int16_t>(address), signData);
    return K1000Bytes(flag, address, DigitCodes(text));
}

std::string K1000BlankSubrecord(int address) { return K1000Bytes(kSubrecordFlag, address, std::string(4, '\0')); }

// ------------------------------------------------------------ text sub-records

std::string K4000Subrecord(const std::string& text, int changeTime, int address, int32_t recordNo, bool last) {
    std::string out;
    AppendK4000(out, text, changeTime, address, recordNo, last);
    return out;
}

std::string K4000SubrecordOld(const std::string& text, int changeTime, int address, int32_t recordNo, bool last) {
    std::string out;
    AppendK4000Old(out, text, changeTime, address, recordNo, last);
    return out;
}

std::string K2000Subrecord(const std::string& text, int changeTime, int address, bool last) {
    std::string out;
    AppendK2000(out, text, changeTime, address, last);
    return out;
}

namespace {

// A whole-record extra text: flag 132, 176, 241, the text, 255.
void AppendWholeExtra(std::string& out, std::string_view body, int changeTime, bool dropRepeated) {
    const std::string time = ByteOf(changeTime);
    out += static_cast<char>(kSubrecordFlagLast);
    out += time;
    out += static_cast<char>(kExtraTextByte);
    out += static_cast<char>(kPages);
    if (dropRepeated) AppendDropRepeatedCommands(out, body);
    else out.append(body);
    out += kEnd;
}

void AppendK4Extra(std::string& out, std::string_view text, int changeTime, int address, bool last) {
    out += FlagByte(last);
    out += ByteOf(changeTime);
    out += ByteOf(address);
    out += static_cast<char>(kExtraTextByte);
    out += static_cast<char>(kPages);
    AppendDropRepeatedCommands(out, TrimBlankRuns(std::string(text)));
    out += kEnd;
}

struct SectionView {
    size_t At = 0;  // the position of its mark
    int Address = 0;
    std::string_view Text;
};

// The sections of sign data in their order: each from a mark 255 to the
// next (the address, then the text). Every address must be 2..16.
void SectionViews(std::string_view data, std::vector<SectionView>& out) {
    out.clear();
    size_t p = data.find(kEnd);
    while (p != std::string_view::npos) {
        const size_t q = data.find(kEnd, p + 1);
        const size_t end = q == std::string_view::npos ? data.size() : q;
        SectionView v;
        v.At = p;
        if (p + 1 < end) {
            v.Address = static_cast<unsigned char>(data[p + 1]);
            v.Text = data.substr(p + 2, end - p - 2);
        }
        out.push_back(v);
        p = q;
    }
    for (const SectionView& v : out) SignInfoOf(v.Address);
}

// The sections in the order they go out: those of MoveSectionToEnd(show,
// data), without copying the data. The section that moves is the one whose
// mark MoveSectionToEnd finds, and only when another mark follows it.
void OutSections(std::string_view data, int show, std::vector<SectionView>& out) {
    SectionViews(data, out);
    const char key[2] = {kEnd, static_cast<char>(show)};
    const size_t p = data.find(std::string_view(key, 2));
    if (p == std::string_view::npos || data.find(kEnd, p + 1) == std::string_view::npos) return;
    const auto it = std::find_if(out.begin(), out.end(), [p](const SectionView& v) { return v.At == p; });
    if (it != out.end()) std::rotate(it, it + 1, out.end());
}

// The models of addresses 2..16.
struct Models {
    std::array<Model, kSignCount> m{};
    Models() {
        for (int a = kFirstSignAddress; a <= kLastSignAddress; ++a) m[static_cast<size_t>(a - kFirstSignAddress)] = ModelOf(a);
    }
    Model operator[](int address) const { return m[static_cast<size_t>(address - kFirstSignAddress)]; }
};

}  // namespace

// What one build looks up once, and the buffers its records reuse.
struct OutRecordWork {
    int show = SignToShowAddress();
    Models models;
    std::vector<SectionView> sections;
    std::vector<size_t> starts;
};

namespace {

void BuildDest(RecordBuffer& r, OutRecordWork& w, const std::string& signData, int changeTime, int16_t flag,
               int32_t destNo, OutLayout layout) {
    OutSections(signData, w.show, w.sections);
    const std::vector<SectionView>& sections = w.sections;
    const Models& models = w.models;
    // A route-number sign reads its digits from the data as it goes out;
    // rare, so that copy is made only when needed.
    std::string moved;
    bool haveMoved = false;
    const auto outData = [&]() -> const std::string& {
        if (!haveMoved) moved = MoveSectionToEnd(w.show, signData);
        haveMoved = true;
        return moved;
    };

    // The sub-record of a route-number sign's section: its own digits once
    // the data differs from destination 0's, else the route-number table's.
    const auto routeNoSubrecord = [&](int subFlag, int address) {
        return outData() != gDestList[0].SignData ? EncodeK1000Old(subFlag, address, outData(), destNo)
                                                  : EncodeK1000(subFlag, address, destNo);
    };

    bool hasK1000 = false;
    const size_t lastIndex = sections.empty() ? 0 : sections.size() - 1;
    for (size_t i = 0; i < lastIndex; ++i) {
        const SectionView& s = sections[i];
        switch (models[s.Address]) {
            case Model::K4000: AppendK4000Of(layout, r, s.Text, changeTime, s.Address, destNo, false); break;
            case Model::K2000:
                r.Begin();
                AppendK2000(r.bytes, s.Text, changeTime, s.Address, false);
                break;
            case Model::K1000:
                r.Begin();
                r.bytes += routeNoSubrecord(kSubrecordFlag, s.Address);
                hasK1000 = true;
                break;
            case Model::None: break;
        }
    }

    if (flag) {
        auto hasSection = [&](int a) {
            return std::any_of(sections.begin(), sections.end(), [a](const SectionView& s) { return s.Address == a; });
        };
        for (int a = kFirstSignAddress; a <= kLastSignAddress; ++a) {
            switch (models[a]) {
                case Model::K4000:
                    if (!hasSection(a)) AppendK4000Of(layout, r, DefaultK4000Text(layout), changeTime, a, destNo, false);
                    break;
                case Model::K2000:
                    if (hasSection(a)) break;
                    r.Begin();
                    AppendK2000(r.bytes, " ", changeTime, a, false);
                    break;
                case Model::K1000:
                    r.Begin();
                    r.bytes += K1000BlankSubrecord(a);
                    hasK1000 = true;
                    break;
                case Model::None: break;
            }
        }
    }
    if (!hasK1000 && gLineNoTableOn) {
        for (int a = kFirstSignAddress; a <= kLastSignAddress; ++a) {
            if (models[a] != Model::K1000) continue;
            r.Begin();
            r.bytes += EncodeK1000(kSubrecordFlag, a, destNo);
        }
    }

    if (!sections.empty()) {
        const SectionView& s = sections.back();
        switch (models[s.Address]) {
            case Model::K4000: AppendK4000Of(layout, r, s.Text, changeTime, s.Address, destNo, true); break;
            case Model::K2000:
                r.Begin();
                AppendK2000(r.bytes, s.Text, changeTime, s.Address, true);
                break;
            case Model::K1000:
                if (hasK1000) break;
                r.Begin();
                // The sign's own digits also when its section comes last
                // (without the route-number table the table's encoding would
                // send four dark digits).
                r.bytes += routeNoSubrecord(kSubrecordFlagLast, s.Address);
                break;
            case Model::None: break;
        }
    }
    r.MarkLast();
}

// The text of an extra text for the one sign that shows it. An extra text
// stored with per-sign sections (the per-sign option was on when it was
// written) gives that sign's section, or its first section when the sign has
// none: the section marks must never reach the sub-record, where 255 ends it.
std::string_view ExtraTextForSign(const std::string& signData, int address, std::vector<SectionView>& sections) {
    if (signData.empty() || signData[0] != kEnd) return signData;
    SectionViews(signData, sections);
    for (const SectionView& s : sections)
        if (s.Address == address) return s.Text;
    return sections.empty() ? std::string_view() : sections.front().Text;
}

}  // namespace

OutRecordBuilder::OutRecordBuilder() : work_(std::make_unique<OutRecordWork>()) {}
OutRecordBuilder::~OutRecordBuilder() = default;

void OutRecordBuilder::AppendDest(std::string& out, const std::string& signData, int changeTime, int16_t flag,
                                  int32_t destNo) {
    work_->starts.clear();
    RecordBuffer r{out, work_->starts};
    BuildDest(r, *work_, signData, changeTime, flag, destNo, OutLayout::Ver1_5);
}

void OutRecordBuilder::AppendExtra(std::string& out, const std::string& signData, int changeTime) {
    for (int a = kFirstSignAddress; a <= kLastSignAddress; ++a) {
        switch (work_->models[a]) {
            case Model::K4000:
                AppendWholeExtra(out, ExtraTextForSign(signData, a, work_->sections), changeTime, true);
                return;
            case Model::K2000:
                AppendWholeExtra(out, ExtraTextForSign(signData, a, work_->sections), changeTime, false);
                return;
            default: break;
        }
    }
    throw VbError(9, "Subscript out of range");
}

void OutRecordBuilder::AppendExtraPerSign(std::string& out, const std::string& signData, int changeTime) {
    OutSections(signData, work_->show, work_->sections);
    const std::vector<SectionView>& sections = work_->sections;
    work_->starts.clear();
    RecordBuffer r{out, work_->starts};
    for (size_t i = 0; i < sections.size(); ++i) {
        const SectionView& s = sections[i];
        const bool last = i + 1 == sections.size();
        switch (work_->models[s.Address]) {
            case Model::K4000:
                r.Begin();
                AppendK4Extra(r.bytes, s.Text, changeTime, s.Address, last);
                break;
            case Model::K2000:
                r.Begin();
                AppendK2000(r.bytes, s.Text, changeTime, s.Address, last);
                break;
            default: break;
        }
    }
    r.MarkLast();
}

std::string K4000ExtraSubrecord(const std::string& text, int changeTime) {
    std::string out;
    AppendWholeExtra(out, text, changeTime, true);
    return out;
}

std::string K2000ExtraSubrecord(const std::string& text, int changeTime) {
    std::string out;
    AppendWholeExtra(out, text, changeTime, false);
    return out;
}

std::string K4Extra1_6(const std::string& text, int changeTime, int address, const std::string& letter) {
    const std::string l = UCase(letter);
    if (l != "C" && l != "L") {
        MsgBox("Fel i PROMFILE.K4Extra1_6", vbExclamation, kMsgTitle);
        return {};
    }
    std::string out;
    AppendK4Extra(out, text, changeTime, address, l == "L");
    return out;
}

// ------------------------------------------------------------ records

std::vector<std::string> DestSubrecords(const std::string& signData, int changeTime, int16_t flag, int32_t destNo,
                                        OutLayout layout) {
    OutRecordWork w;
    OwnRecord r;
    BuildDest(r.buffer, w, signData, changeTime, flag, destNo, layout);
    return r.buffer.Split();
}

std::string WriteDestRecordVer1_5(const std::string& signData, int changeTime, int16_t flag, int32_t destNo) {
    std::string out;
    out.reserve(signData.size() + 64);
    OutRecordBuilder().AppendDest(out, signData, changeTime, flag, destNo);
    return out;
}

std::string WriteExtraRecord(const std::string& signData, int changeTime) {
    std::string out;
    OutRecordBuilder().AppendExtra(out, signData, changeTime);
    return out;
}

std::string WriteExtraK4000(const std::string& signData, int changeTime) {
    std::string out;
    out.reserve(signData.size() + 32);
    OutRecordBuilder().AppendExtraPerSign(out, signData, changeTime);
    return out;
}

std::string BuildAllSignsTextA() { return AllSignsText(true); }
std::string BuildAllSignsTextB() { return AllSignsText(false); }

std::vector<std::string> EndSubrecords(bool fill, OutLayout layout) {
    OwnRecord r;
    BuildEndRecords(r.buffer, fill, layout);
    return r.buffer.Split();
}

}  // namespace kv
