// Records of the out-file: one destination or extra text as a run of per-sign
// sub-records, and the sub-records themselves.
//
// A sub-record: flag byte (4, or 132 on the sub-record that ends its record),
// the record's change time, the sign's bytes, 255. Text sub-records carry the
// address, 162 (destinations) or 176 (graphic-sign sections of per-sign extra
// texts), then 241 when the section holds a page mark (else 240), then the
// text. A route-number sign's sub-record is 9 bytes: flag, 1, address, 174,
// four seven-segment digit codes (rightmost digit first), 255.
//
// Every record ends with a sub-record flagged 132, whatever its kind; a
// record that yields no sub-record is empty and is not written at all.
//
// Failures throw VbError: 9 for an address outside 2..16, an extra text with
// no text or graphic sign to show it, or a route-number text wanted for a
// destination above 999; 5 for a change time or sign size above 255.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kv {

constexpr unsigned char kSubrecordFlag = 4;
constexpr unsigned char kSubrecordFlagLast = 132;

// The two layouts differ in the graphic sign's sub-record (the old one
// carries the sign's size) and in the default text of a missing section.
enum class OutLayout { Ver1_5, Old };

// --- Route-number sign
// Bits 0..6 light the segments a..g; 0 for characters the sign cannot show.
char SevenSegmentCode(char c);
// Codes of the last four characters of a route-number text, the last first;
// missing leading digits are dark.
std::string DigitCodes(const std::string& routeText);
// The route-number sign's sub-record from the route-number table (four dark
// digits while the table is off).
std::string EncodeK1000(int flag, int address, int32_t recordNo);
// The same, but with the table off the digits come from the sign's own
// section of signData.
std::string EncodeK1000Old(int flag, int address, const std::string& signData, int32_t recordNo);
// Flag 4 and four dark digits.
std::string K1000BlankSubrecord(int address);

// --- Text sub-records; `last` gives the flag 132. `text` is the section's
// bytes as stored; the transforms of each kind are applied here.
std::string K4000Subrecord(const std::string& text, int changeTime, int address, int32_t recordNo, bool last);
std::string K4000SubrecordOld(const std::string& text, int changeTime, int address, int32_t recordNo, bool last);
std::string K2000Subrecord(const std::string& text, int changeTime, int address, bool last);
// Whole-record extra texts (no per-sign sections): always flag 132, 176, 241.
std::string K4000ExtraSubrecord(const std::string& text, int changeTime);
std::string K2000ExtraSubrecord(const std::string& text, int changeTime);
// A graphic sign's section of a per-sign extra text; letter "C" gives flag
// 4, "L" flag 132; any other letter is reported and gives "".
std::string K4Extra1_6(const std::string& text, int changeTime, int address, const std::string& letter);

// --- Records
// The sub-records of a destination in order, the last flagged 132.
std::vector<std::string> DestSubrecords(const std::string& signData, int changeTime, int16_t flag, int32_t destNo,
                                        OutLayout layout);
// The layout-1.5 record of a destination: its sub-records one after another
// ("" when there are none). Serial sending uses the same bytes.
std::string WriteDestRecordVer1_5(const std::string& signData, int changeTime, int16_t flag, int32_t destNo);
// An extra text without per-sign sections: one sub-record for the
// lowest-addressed text or graphic sign.
std::string WriteExtraRecord(const std::string& signData, int changeTime);
// An extra text with per-sign sections.
std::string WriteExtraK4000(const std::string& signData, int changeTime);

// Builds the records of one out-file, appending them to the caller's
// buffer: the bytes of WriteDestRecordVer1_5, WriteExtraK4000 and
// WriteExtraRecord. The sign to show and the signs' models are looked up
// once, when it is made, and its work buffers serve every record, so it
// lives for one build, while the sign table and the sign to show stay as
// they are. A failure throws as the functions above do; what was appended
// to the buffer then is to be dropped.
struct OutRecordWork;
class OutRecordBuilder {
public:
    OutRecordBuilder();
    ~OutRecordBuilder();
    OutRecordBuilder(const OutRecordBuilder&) = delete;
    OutRecordBuilder& operator=(const OutRecordBuilder&) = delete;

    void AppendDest(std::string& out, const std::string& signData, int changeTime, int16_t flag, int32_t destNo);
    void AppendExtraPerSign(std::string& out, const std::string& signData, int changeTime);
    void AppendExtra(std::string& out, const std::string& signData, int changeTime);

private:
    std::unique_ptr<OutRecordWork> work_;
};

// The fill (A) and blank (B) texts of all text and graphic signs for the
// information block; with no such sign "ERROR!!!!" is shown and "" returned.
std::string BuildAllSignsTextA();
std::string BuildAllSignsTextB();

// The end records of the text and graphic signs, one sub-record each in
// address order with change time 3: filled with the fill character (A) or
// blank (B, the layout's default text of a graphic sign). In layout 1.5 the
// last is flagged 132; the old layout links them and flags none.
std::vector<std::string> EndSubrecords(bool fill, OutLayout layout);

}  // namespace kv
