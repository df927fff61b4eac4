// Pages of a record's SignData (and, through the same operations, of its
// inverted-text store).
//
// Layout: one section per sign, Chr(255) + Chr(address) + content, up to the
// next Chr(255). The content is page 1, then for every further page a mark
// Chr(176) + Chr(change time) and the page's bytes. An extra text without
// per-sign sections holds a content alone.
//
// "Section text" below is a string that begins with Chr(255) and the address
// character; "content" is what follows them.
#pragma once

#include <cstdint>
#include <string>

namespace kv {

struct DestRecord;

// Chr(255) + Chr(address): the head of the address's section.
std::string SectionKey(int16_t address);
// The address's whole section (separator and address included); "" when absent.
std::string GetSignSection(const std::string& text, int16_t address);
// The content of the address's section; "" when absent.
std::string GetSectionText(int16_t address, const std::string& text);
// Page n of a content; "" when empty or when there is no page n.
std::string GetRow(int16_t n, const std::string& content);
// Page n of a content; multi tells whether it has more than one page, and
// with one page n becomes 1.
std::string GetPageOfContent(const std::string& content, int16_t& n, int16_t& multi);
// Page n of the address in record index of the active list. multi tells
// whether the sign has more than one page; with one page n becomes 1. An
// empty SignData gives "" and leaves n and multi alone.
std::string GetActiveRow(int16_t index, int16_t address, int16_t& n, int16_t& multi);
// The same for an extra text without sections (its SignData is the content).
std::string GetExtraRow(int16_t index, int16_t& n, int16_t& multi);

// Page n of a section text (begins with Chr(255)) or a content set to value.
// Pages after the first get a mark with gChangeTime; value receives it. With
// fewer pages the value is appended as the next page.
std::string SetRow(const std::string& text, std::string& value, int16_t n);
// The time character of every page mark set to gChangeTime.
std::string SetPageTimes(const std::string& text);
// A new section Chr(255) + Chr(address) + value inserted in address order.
std::string InsertSection(const std::string& s, int16_t address, const std::string& value);
// The address's section replaced by section (which carries its own separator
// and address); appended when absent.
std::string ReplaceSection(const std::string& text, int16_t address, const std::string& section);
// Page n removed from a section text or content. Removing the only page of a
// section text gives "" (so that ReplaceSection drops the section).
std::string DeleteRow(const std::string& text, int16_t n);

// Page n of the address in the record's SignData. A sign without a section
// gets one whose only page is value, whatever n is; otherwise every page
// mark of the sign takes gChangeTime.
void SetDestSection(int16_t index, int16_t address, int16_t n, const std::string& value);
void SetActiveSection(int16_t index, int16_t address, int16_t n, const std::string& value);
void SetExtraSection(int16_t index, int16_t n, const std::string& value);
void DeleteDestRow(int16_t index, int16_t address, int16_t n);
void DeleteExtraSectionRow(int16_t index, int16_t address, int16_t n);
void DeleteExtraRow(int16_t index, int16_t n);

// The operations above on any field laid out like SignData (used for AltText).
// dropLeadingMark: a value that begins with a page mark loses the mark when
// the section exists.
void SetSectionPageIn(std::string& field, int16_t address, int16_t n, const std::string& value,
                      bool dropLeadingMark = false);
void DeleteSectionPageIn(std::string& field, int16_t address, int16_t n);
void SetContentPageIn(std::string& field, int16_t n, const std::string& value);
void DeleteContentPageIn(std::string& field, int16_t n);

}  // namespace kv
