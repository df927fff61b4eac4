// The fonts of printed text: the fixed font kinds of the page layouts, the
// sign-text print options (a title or heading offered for editing with its
// font), and the four kinds of text whose size and style the user keeps in
// [Printer].
#pragma once

#include <cstdint>
#include <optional>

#include "platform/printtarget.h"

namespace kv {

// The font of a kind: 1, 2 page header and page number (8 pt); 3 sign column
// headings (10 bold); 4 text rows, 6 empty rows, 8 user-block labels (10);
// 5 entry numbers (10 bold); 7 table headings and the user-block title (12
// bold); 9 the sign heading of the one-sign layout (8 bold underlined); 10
// the size and style of the sign-text print options. None for other kinds.
std::optional<PrintFont> PrintFontOfKind(int16_t kind);
// Sets the printer's font to that kind; other kinds leave it unchanged.
void SetPrintFontKind(int16_t kind);

// The fields of the sign-text print options while they are loaded.
extern PrintTextFields gPrintSignText;
extern bool gPrintSignTextLoaded;
// Loads the dialog (not shown) with its texts from the language file:
// S2400 caption, S2401 frame, S2402 underlined, S2403 bold, S2404 italic,
// S2405 size label, S2406 centred, and the shared close text S122.
void LoadPrintSignText();
void UnloadPrintSignText();
// Shows it modally (loaded first when needed).
void ShowPrintSignText();
// The text the user left in it, trimmed.
std::string PrintSignTextTrimmed();

// Lets the user change the size and style of a text kind (3 sign texts,
// 4 destination texts, 7 titles, 11 codes) in the sign-text print options
// and keeps the result in PrintSettings and [Printer] when it changed.
void SetPrintFont(int16_t kind);

}  // namespace kv
