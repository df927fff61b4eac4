// The out-file in the old layout, for controllers that predate the
// information block:
//
//   0      0xA0
//   1      sign flags: bit 0 a text sign is configured, bit 1 as well a
//          route-number sign (only together with bit 0)
//   4      route-number width (low byte of gLineNoFieldCount)
//   8      the name digits of gAsciiName, one code a character, 8 at most
//   16     D, the entries of the destination pointer table (last + 1), LE16
//   18     pointer to the destination pointer table
//   32     X, the entries of the extra-text pointer table, LE16
//   34     pointer to the extra-text pointer table
//   48     pointer to the fill end records (0 when there are none)
//   52     pointer to the blank end records (0 when there are none)
//   64     pointer to the text-sign table (84); 68..83 four zero pointers
//   84     text-sign table: count, then address, width, height per sign
//   T      destination pointer table, 4 bytes an entry
//   T+4D   extra-text pointer table
//   E      the shared empty record, the byte 255: the entry of every number
//          without a record points here
//          destination records, ascending; extra text 0 as the byte 0;
//          extra-text records 1.., ascending
//          fill end records, then blank end records
//
// Every other byte of the header is 0. A record is its sub-records, each but
// the last followed by a link: a pointer to the position right after it.
// The end records are one sub-record per graphic and text sign, each
// followed by a link to the next, the last by a zero link.
//
// The image is built whole in memory and written through the safe writer;
// every failure is reported and returned as false, and no file is left.
#pragma once

#include <cstdint>
#include <string>

namespace kv {

constexpr int32_t kOldHeaderSize = 84;
// A pointer table must stay below 32 KB (the last destination number below
// 8191); links must stay below 512 KB.
constexpr int32_t kOldTableLimit = 32768;
constexpr int32_t kOldMaxDestEntries = kOldTableLimit / 4 - 1;

// The header's code of a name character: a blank 0, a digit d d + 1, any
// other character 1.
char AsciiDigitCode(char c);

// --- Parts of the layout
// The header, the text-sign table and the places of both pointer tables;
// pos becomes the position after the tables.
void WriteSignSetupOld(std::string& image, int32_t& pos, int32_t& destTable, int32_t& extraTable);
// Destinations 0..D - 1 (extra texts 0..X - 1): each entry points to its
// record, written at pos, or to the empty record.
void WriteDestinationsOld(std::string& image, int32_t& pos, int32_t destTable, int32_t emptyRecord);
void WriteExtraTextsOld(std::string& image, int32_t& pos, int32_t extraTable, int32_t emptyRecord);
// The fill and blank end records with their pointers at 48 and 52.
void WriteEndRecordsOld(std::string& image, int32_t& pos);

// The old-layout record of a destination that starts at pos: its
// sub-records with the links between them ("" when there are none).
std::string WriteDestRecordOld(const std::string& signData, int changeTime, int16_t flag, int32_t destNo, int32_t pos);

// --- The whole file
// The old-layout image of the project as it stands. Failures are reported;
// false then and the image is empty.
bool BuildPromImageOld(std::string& image);

// --- The all-nines destination
// When the default destination shows the sign to show, a temporary empty
// destination 999 (9999 once the last number has four digits) goes in with
// a page for that sign and a list line. Returns its number, or 0 when none
// was added (the last number is all nines already, destination 0 has no
// section for the sign to show, or the number is taken).
int16_t AddNinesDestination();
// Takes the destination that AddNinesDestination added away again: its
// page, its text field and its list line.
void RemoveNinesDestination(int16_t n);

// Texts of the refusals.
extern const char* const kOldLinkLimitText;
extern const char* const kAsciiNameTooLongText;
// The text for a destination pointer table that would need `entries` entries.
std::string OldTableTooLargeText(int32_t entries);

}  // namespace kv
