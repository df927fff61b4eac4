// The out-file builder, layout 1.5: the image the sign controller loads.
//
//   0      format byte: 0xA3 with destination codes, else 0xA2 with per-sign
//          extra texts, else 0xA1
//   1      pointer to the end of the file (its length)
//   5      pointer to the information block
//   9      text-sign table: count k, then address, width, height per sign
//   P      destination group table: 100 pointers (group g = numbers 100g..)
//   P+400  extra-text group table: 100 pointers
//   P+800  destination groups, then extra-text groups, ascending; a group is
//          a zero pad byte, a block of 100 LE16 offsets from the block to
//          each record (0 = none), and the records in number order
//   R      route-number table (codes on): per destination 1..last its four
//          code characters and its number as LE16
//   I      information block
//   F      font section (when the fonts go with the file), to the end
//
// A pointer is the position's offset in its 4096-byte page as LE16, 0, and
// the page number, so a file stops short of 1 MiB.
//
// The image is built whole in memory; only a complete image is written, in
// one go through the safe writer. Every failure is reported to the user and
// returned as false, and no file is left behind.
#pragma once

#include <cstdint>
#include <string>

#include "platform/host.h"

namespace kv {

// --- Byte writers on the image (positions are 0-based)
// The 4-byte pointer of value at pos. Throws OutFileTooLarge for 1 MiB and above.
void PutPointerHex(std::string& image, int32_t value, int32_t pos);
// The old layout's sub-record links: values below kOldLinkLimit only (VbError 6).
constexpr int32_t kOldLinkLimit = 524288;
void PutPointer(std::string& image, int32_t value, int32_t pos);
// target - base as LE16 at pos; VbError(6) outside 0..65535.
void PutOffset16(std::string& image, int32_t target, int32_t base, int32_t pos);
void PutZeroBytes(std::string& image, int32_t pos, int32_t count);

class ListModel;

// The last number of a list's record table that the out-file takes:
// LastUsedNumber, kept inside the table (a list line may name more).
int LastRecordNumber(const ListModel& list);

// Raised when the image would reach 1 MiB, the first position a pointer
// cannot name.
struct OutFileTooLarge {};

// The busy mouse pointer for as long as a build runs, however it ends.
struct OutBuildBusy {
    OutBuildBusy() { SetBusy(true); }
    ~OutBuildBusy() { SetBusy(false); }
    OutBuildBusy(const OutBuildBusy&) = delete;
    OutBuildBusy& operator=(const OutBuildBusy&) = delete;
};

// --- Parts of the layout
// The format byte and the two zero pointers; pos becomes 9.
void WriteHeaderVer1_5(std::string& image, int32_t& pos);
// The text-sign table at pos; returns the position after it. VbError(5) for
// a width or height above 255.
int32_t WriteK2000SignTable(std::string& image, int32_t pos);
// The groups of the destinations (extra texts) in use, with their pointers
// in the group table at groupTable; pos advances past them.
void WriteDestinationsVer1_5(std::string& image, int32_t& pos, int32_t groupTable);
void WriteExtraTextsVer1_5(std::string& image, int32_t& pos, int32_t groupTable);
void WriteRouteNumberTable(std::string& image, int32_t& pos);

// --- The whole file
// The layout-1.5 image of the project as it stands (the caller has rebuilt
// the default destination). Failures are reported; false then and the image
// is to be dropped.
bool BuildPromImageVer1_5(std::string& image);
// Builds the image and writes it to path through the safe writer. On any
// failure the message has been shown, false is returned and the file at
// path is as it was.
bool BuildPromFileVer1_5(const std::string& path);

// Writes a finished image to path through the safe writer; a failure is
// reported and gives false, and the file at path is then as it was.
bool WriteOutFileImage(const std::string& path, const std::string& image);

// Text shown when the image would reach 1 MiB.
extern const char* const kOutFileTooLargeText;

}  // namespace kv
