// Renaming and readdressing signs in the project's records. A sign's name is
// the tag of its sections in every record's Text (Chr(255), name, "#"); its
// address is the tag of its sections in SignData and in the inverted-text
// store (Chr(255), the address as one character). When the sign
// configuration gives a sign a new name or address, its sections follow.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kv {

// Every Chr(255) & old & "#" of a used record's Text becomes Chr(255) & new &
// "#": the destinations, and the extra texts while they carry per-sign
// sections. The old name is taken as the sign table holds it (trailing
// blanks removed), the new one trimmed and in upper case. A beep, and
// nothing else, when either is empty or the new one holds "#" or Chr(255).
// The main window's lists are built again.
void ChangeSignName(const std::string& oldName, const std::string& newName);

// The section of the old address in every record's SignData and AltText
// takes the new address (only section starts are looked at, never page
// data). A beep, and nothing else, when either is not a sign address.
void ChangeSignAddress(int16_t oldAddress, int16_t newAddress);

// The field (laid out like SignData) with its first section of the old
// address given the new one. The sections are walked from their starts:
// a page mark's time character is never taken for a section start.
std::string ReaddressSection(const std::string& field, int16_t oldAddress, int16_t newAddress);

// Several signs moved at once: every renamed or readdressed sign first goes
// to a tag of its own that no sign uses, and only then to its new name or
// address, so that signs may swap names or addresses.
struct SignMove {
    std::string oldName, newName;
    int16_t oldAddress = 0, newAddress = 0;
};
void MoveSigns(const std::vector<SignMove>& moves);

// The destination list (and the extra-text list while extra texts carry
// per-sign sections) built again from the records through the list-line
// builder: one line per used record up to the last number in use.
void RebuildRecordLists();

}  // namespace kv
