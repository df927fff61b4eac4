// Destination and extra-text records, the two tables that hold them, the
// current entry, and the per-sign sections of a record's Text.
//
// Text of a destination: a run of sections, one per sign that has text:
// Chr(255) + the sign's name + "#" + page 1 + "#" + page 2 ... Every field
// this module writes is "# " + the page's markup. An extra text without
// per-sign sections holds the "#" fields alone.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kv {

struct DestRecord {
    std::string Text;                     // per-sign sections of sign markup
    std::string SignData;                 // per-sign sections of sign bytes
    int16_t ChangeTime = 0;               // seconds
    int16_t Flag = 0;                     // black-out flag, -1/0
    std::string AltText;                  // inverted-text store, laid out like SignData
    std::string Code = "    ";            // 4 characters, blank-padded
    std::string Srad = "0000000000";      // 10 characters
};

constexpr int kDestCount = 10000;   // destinations 0..9999; 0 is the default destination
constexpr int kExtraCount = 1000;   // extra texts 0..999

extern std::array<DestRecord, kDestCount> gDestList;
extern std::array<DestRecord, kExtraCount> gExtraList;

// Bounds-checked access; throws VbError(9) outside the table.
DestRecord& DestAt(int index);
DestRecord& ExtraAt(int index);
// The record of the active list (destinations while gDestListActive).
DestRecord& ActiveAt(int index);

// Record strings: Chr(255) opens every per-sign section, Chr(176) every page
// after the first in SignData.
constexpr char kSectionMark = '\xFF';
constexpr char kPageMark = '\xB0';
extern std::string gSeparator;  // Chr(255)

// The current entry.
extern int16_t gDestListActive;  // -1: the destination list is active, else the extra texts
extern int16_t gCurrentDest;
extern int16_t gCurrentExtra;
extern int16_t gCurrentSign;     // sign address 2..16, 0 = none
extern int16_t gCurrentPage;     // from 1
// Extra texts carry per-sign sections like destinations.
extern int16_t gExtraPerSign;
// The change time written into page marks, in seconds.
extern int16_t gChangeTime;
// The change time of an emptied record ([Generell] ChangeTime).
extern int16_t gDefaultChangeTime;
// Records carry a ten-character Srad field. Set only while a project file
// that holds the field is being read.
extern int16_t gTenCharFieldOn;

// Change times are kept to 0..20 seconds wherever they enter, so that a time
// character is never 176 (page mark) or 255 (section mark).
constexpr int16_t kMaxChangeTime = 20;
int16_t ClampChangeTime(int value);

// --- Text sections
// The sign's whole section (from its Chr(255) up to the next or the end);
// "" when the sign has no name or no section.
std::string GetSignText(const std::string& text, int16_t address);
// Text with the sign's section replaced by `section`; without a section:
// text + Chr(255) + name + section. A sign without a name changes nothing.
std::string SetSignText(int16_t address, const std::string& text, const std::string& section);
// Text without the sign's section.
std::string RemoveSignText(const std::string& text, int16_t address);
// Field n set to "# " + value; with fewer fields the value is appended.
std::string SetHashField(const std::string& section, int16_t n, const std::string& value);
// Field n removed; removing the only field gives "".
std::string RemoveHashField(const std::string& section, int16_t n);

void SetDestSignField(int16_t index, int16_t address, int16_t n, const std::string& value);
void SetExtraSignField(int16_t index, int16_t address, int16_t n, const std::string& value);
void SetExtraField(int16_t index, int16_t address, int16_t n, const std::string& value);
void RemoveDestSignField(int16_t index, int16_t address, int16_t n);
void RemoveExtraSignField(int16_t index, int16_t address, int16_t n);
void RemoveExtraField(int16_t index, int16_t n);
// Every Chr(255) removed.
std::string RemoveSeparators(const std::string& text);

// Empties both tables and sets the current-entry globals back.
void ResetRecords();

}  // namespace kv
