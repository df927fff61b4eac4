// Whole entries copied from the destination or the extra-text list into the
// main window's copy buffers and pasted back under free numbers.
//
// A buffer keeps each copied record at its own number. Pasting puts a record
// back at that number when it is free there, otherwise under a number the
// user names; the buffer stays, so the same records can be pasted again.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kv {

// The texts of the buffers, kept from the main window's last activation:
// the message when an extra-text buffer is dropped (S145) and the prompts
// for a new destination (S146) and extra-text number (S147).
struct CopyBufferTexts {
    std::string cancelled = "Operation 'Copy Extratexts' canceled!";
    std::string newDestNumber = "Enter new destnumber";
    std::string newExtraNumber = "Enter new extranumber";
};
void SetCopyBufferTexts(const CopyBufferTexts& texts);

// Copies the destinations of the given list lines (the selected lines of
// the destination list) into an emptied destination buffer. A line names
// its number in its first four characters, or its code while codes are on.
void CopyDestRecords(const std::vector<std::string>& selectedLines);
// The same for extra texts; the buffer remembers whether extra texts were
// kept per sign when they were copied.
void CopyExtraRecords(const std::vector<std::string>& selectedLines);

bool DestBufferFilled();
bool ExtraBufferFilled();

// Asks for a number: prompt, title, proposed text; the answer ("" when
// cancelled).
using NumberAsker = std::function<std::string(const std::string&, const std::string&, const std::string&)>;

// Pastes every buffered destination (1..9999) in number order: at its own
// number when that is free (the record keeps its code), else under the
// number the user gives (proposed: the highest number in use + 1), which
// the record then takes as its code. A number that is not a number, lies
// outside 0..9999 or is taken is asked for again; an empty answer skips the
// record. Every pasted record gets its line among the list's lines.
void PasteDestRecords(const NumberAsker& ask);
// The same for buffered extra texts (1..999; numbers outside 1..999 are
// asked for again).
void PasteExtraRecords(const NumberAsker& ask);

// Drops an extra-text buffer that was copied while extra texts were kept
// per sign differently from now, with an information message. A
// destination buffer stays.
void CheckCopyBuffer();

void ResetCopyBuffer();

}  // namespace kv
