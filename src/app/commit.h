// Committing the entry under edit: what the sign editors, the route-number
// box, the blackout box and the change time hold goes into the current
// record of the active list (its Text, SignData, AltText, ChangeTime, Flag,
// Code and Srad), the record's list line follows, and the window moves on.
// Every tool that fills records commits through Save.
//
// Each shown sign is committed from what holds it: a graphic sign from its
// editor slot (while the current sign is a graphic sign), the current text
// sign from the character strip, a route-number sign from the route-number
// box. What each of them shows is known (engine/shownpages.h): a sign
// edited since it was loaded or stored is written at the page shown (a sign
// with fewer pages takes it as its next page); a sign that shows this
// entry's page shown as it was loaded keeps it (only its change time
// follows); any other sign, and every sign no editor holds, keeps its pages.
// The inverted-text store keeps SignData's pages, page for page.
#pragma once

#include <cstdint>

namespace kv {

// The answer of the store-or-insert dialog frmSave: 1 replace, 2 insert
// before, 3 insert after, 0 cancel.
extern int16_t gSaveChoice;
// The user cancelled the question before the first extra text; read and
// cleared by the store buttons.
extern int16_t gSaveCancelled;

// The commit modes.
constexpr int16_t kCommitOnly = 0;
// Then on to the next page (changing texts shown) or list line.
constexpr int16_t kCommitNext = 1;
// Then on to the next number that is free for the current sign; the editors
// keep their content.
constexpr int16_t kCommitNextFree = 2;

// Commits the entry. gDocumentModified is set on every call, also when the
// commit is cancelled. Messages: S99 when no sign is shown, S1003/S1004
// (OK/Cancel) before the first extra text, S102 when mode 2 finds no free
// number.
void Save(int16_t mode);

// The Save button: Save(1); in insert mode, with the changing texts hidden
// and a page that already holds something, the store-or-insert choice
// decides (replace, insert before, insert after, cancel).
void SaveDestOrExtra();
// The Save-and-new button: Save(2), then an empty editor for the new number
// with the default change time on page 1.
void SaveAndNew();

// Opens a free slot at number n of the active list: the records from n up to
// the first free one (or the one of the list's last line) move up by one;
// destinations take their new number as Code. Slot n keeps a copy of its
// record. False (nothing moved) when n is beyond the numbers that can move.
bool AfterSaveRecord(int16_t n);
// Record n of the active list emptied: no text, no pages, the current
// change time, and for a destination its own number as Code.
void EmptyRecord(int16_t n);
// The active list box filled again from its table, the records 1 to `last`
// that hold a Text; the destination list keeps its selection and scrolling.
void RebuildActiveList(int16_t last);
// frmSave offers "insert after" only below the last two numbers of the
// active table.
bool InsertAfterOffered();

}  // namespace kv
