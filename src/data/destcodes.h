// Destination codes (four characters per destination while codes are on),
// free record numbers, the insert-mode rule of the code-using project
// versions, and the sorting of the destination table by code.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kv {

// Codes are in use (set by the project-file reader and the out-file options).
extern int16_t gDestCodesOn;
// Format code 0..7 of the open project: 6 codes on, 7 codes optional.
extern int16_t gTxlVersion;
// New records are inserted before or after the current one ([Generell] InsertMode).
extern int16_t gInsertMode;
// Allowed characters of code positions 1..4 (index 0..3); case is ignored
// when a code is checked against them.
extern std::array<std::string, 4> gAllowedCodeChars;
// The defaults used when [DestNoCharachters] has no DestPos key.
std::string DefaultAllowedCodeChars(int position);

// Version 6, or version 7 with codes on.
bool CodeModeOn();

// Blank-padded (or cut) to four characters.
std::string PadCode(const std::string& code);
// While the destination list is active: the record's Code := code, four characters.
void SetDestCode(int16_t index, const std::string& code);
// The first destination 1..LastUsedNumber whose Code equals code (all four
// characters, case-sensitive); false and index 0 when none.
bool FindDestByCode(const std::string& code, int16_t& index);
// True when the code (padded to n) fits the allowed characters; code then
// takes the case written in the allowed strings.
bool CheckCodeChars(std::string& code, int n = 4);
// The next code after `code` that no destination uses, counting over the
// allowed characters like an odometer; the number as text when the count
// wraps to all blanks or no free code can be reached.
std::string CheckDestCode(const std::string& code, int16_t number);
// The destination the user means: by code while codes are on (a message and
// gCurrentDest when no destination has it), else the value of the main
// window's current-number box.
int16_t GetDestIndex(const std::string& text);
// A free record number: the first record without page data, else the typed
// number when it is free, else the one after the last; -1 after a message.
// list: 0 extra texts, otherwise destinations.
int16_t GetFreeListNo(int16_t list, const std::string& typed);
// In code mode insert mode is switched off, with a message, in the settings too.
void DisableInsertMode();

// The text of the main window's current-number box, as its window gives it.
void SetCurrentNumberTextSource(std::function<std::string()> source);
// Gives the main window's store button that caption.
void ShowSaveButtonCaption(const std::string& caption);

struct SortItem {
    int32_t Index = 0;
    std::string Key;
};
// Sorts items 1..u (items[0] is item 1) by Key, comparing characters by
// code; equal keys keep their order. Index is set to the item's original
// number (1-based) first. Fewer than two items are left as they are.
void SortIndexByKey(std::vector<SortItem>& items);
// While codes are on: compacts the destination table and sorts it by code;
// destinations without page data go to the end, cleared.
void SortDestList();

void ResetDestCodes();

}  // namespace kv
