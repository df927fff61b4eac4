// Choosing and loading the entries of the main window's two lists: the click
// that makes a line's entry current, and the double click (or Enter) that
// loads the entry into every shown sign and sets the boxes around the
// pictures. Nothing is written into the record. The lists and boxes are
// reached through the list and sign-window ports.
#pragma once

#include <cstdint>
#include <string>

#include "app/entrywindow.h"

namespace kv {

// Set by the commit after it rewrites and reselects a destination line: the
// next click on either list only clears it.
extern bool bSkipListClick;
// The same for the extra-text list.
extern bool SkipExtraListClick;
// The destination that was current before the last destination click; after
// a destination was loaded, its number.
extern int16_t nPrevDest;
// A load takes the entry already current instead of the list's line; every
// load clears it. The page options set it when they reload the entry.
extern bool bKeepCurrentNumber;
// A destination load reloads only the current sign and keeps the active sign.
extern bool bCurrentSignOnly;

// A line of the list was chosen (by the mouse, the keys or code): its entry
// becomes current and the number box shows it.
void ListClick(bool destinations);

// The entry a list names as current: its number, the number box's text, the
// list box's lines chosen, and the destination current before the last click.
struct ListChoice {
    bool taken = false;
    int16_t number = 0;
    std::string numberText;
    ListSelection lines;
    int16_t previousDest = 0;
};
ListChoice CurrentListChoice(bool destinations);
// The choice as it stood when the mouse pressed on a line of the list: a
// double click's first click has moved it by the time the load runs. The
// window hands it over just before a double click's load, which takes it
// (and clears it); a load without one starts from the choice as it stands.
extern ListChoice gListChoiceAtPress;

// Loads the entry of the list's chosen line into the shown signs. Only while
// a sign picture, the list itself or a page option has the main window's
// focus, and only after uncommitted edits may be dropped: when the user keeps
// them, the number box and the list name the entry edited again, as before
// the double click.
void LoadListEntry(bool destinations);

// Loads the current entry of the list (gCurrentDest or gCurrentExtra) into
// the shown signs as the double click does once it has its number: nothing
// is asked.
void LoadCurrentEntry(bool destinations);
// The current entry of the active list loaded again into every shown sign,
// on the page shown: afterwards each sign shows what the record holds.
void ReloadCurrentEntry();

// The page shown changed (gCurrentPage): every shown sign that has that page
// in the current entry shows it; a sign without it keeps what it shows.
void ShowStoredPages();

// The shown signs were chosen anew: every shown sign shows its page of the
// entry in hand on the page shown (an editor holds nothing of the sign that
// had its picture before); the page and the changing texts stay.
void ShowEntryOnShownSigns();

// The current sign alone gets the current entry's page shown.
void LoadCurrentSign();
// Every shown sign but the current one gets the current entry's page shown
// (the route-number box too): after the window moved on to another entry,
// they show what it holds.
void LoadOtherSigns();

// The number box shows the current entry of the active list (its code while
// codes are on).
void ShowCurrentNumber();

// The inverted text of the page (its bytes) that the current sign's editor
// has just taken: gAltBuffer holds it ("" when the page shows none), as
// loaded, not made by the invert command.
void LoadInvertedTextOfPage(const std::string& page);

// One page of a graphic sign into the editor of picture k: parsed, the cursor
// placed behind the route number's boundary (placeCursor) and the row's
// alignment applied by command (alignByCommand) or only shown on the
// toolbar, then stored in the picture's editor slot with its page count.
void LoadPageIntoEditor(const std::string& page, int16_t pictureIndex, int16_t pages, bool placeCursor,
                        bool alignByCommand);

void ResetEntryLoad();

}  // namespace kv
