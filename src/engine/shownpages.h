// What each shown sign shows now. The window edits signs in five editors:
// the three graphic sign pictures (their editor slots), the text sign's
// character strip and the route-number box. For each editor this module
// keeps the sign whose content it holds, the entry and page that content
// was loaded from or last stored into, the record's page as it stood then,
// and the content itself as it stood then: what the editor holds now
// differs from it exactly when the user edited the sign since.
//
// The commit derives from it which signs it writes for the entry and page
// in hand: a sign edited since, and a sign loaded with this very page whose
// page the record still holds as loaded. Any other editor holds what is
// left from another entry or page, or what the program itself put there
// (an emptied editor, a printed page): it is not written, and the sign
// keeps its pages in the record.
//
// The content of a graphic editor is taken from the edit state in hand,
// so a picture's content is read while its slot is the active one (after
// the change of the active sign, a load, or inside the commit).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace kv {

// The editors: graphic pictures 0..2 (their slot numbers), the strip and
// the route-number box.
constexpr int16_t kStripEditor = 3;
constexpr int16_t kRouteBoxEditor = 4;
constexpr int16_t kShownEditors = 5;

struct ShownPage {
    // The sign whose content the editor holds; 0 while it holds no sign's.
    int16_t sign = 0;
    // The content came from an entry's page (loaded, or stored into it).
    bool fromEntry = false;
    bool destination = true;
    int16_t entry = 0;
    int16_t page = 0;
    // The record's page at that time (its SignData bytes).
    std::string recordPage;
    // The editor's content at that time (also after the user emptied it), or
    // after the program emptied it.
    std::string content;
    // The user emptied the editor as an edit (delete all): it counts as
    // edited even though it holds nothing.
    bool emptiedByUser = false;
    // A tool hands the editor's content over to be stored as it is (a text
    // fed into the sign), whether or not it differs.
    bool toStore = false;
    // What a picture's editor held when its slot last left the hand (the
    // edit state in hand is another picture's then).
    std::string held;
};
extern std::array<ShownPage, kShownEditors> gShownPages;

// The content of the graphic editor in hand: its cells, rows, fields and
// graphic, and whether it shows the route-number area (not where: the
// header follows the area settings); "" for an empty page.
std::string GraphicEditorContent();
// The content of the text sign's strip.
std::string StripEditorContent();

// Page n of a sign in record `entry` of the active list, exactly: nothing
// when the sign has fewer pages (a single-page section does not stand for
// every page here).
std::optional<std::string> RecordPageOf(bool destination, int16_t entry, int16_t address, int16_t n);

// The editor now holds page `page` of `sign` in the current entry of the
// active list, as loaded from the record (or as just stored into it), with
// `content`.
void NoteShownPage(int16_t editor, int16_t sign, int16_t page, const std::string& content);
// The program emptied or refilled the editor by itself: it holds no
// entry's page; `content` is what it holds now.
void ForgetShownPage(int16_t editor, const std::string& content);
// The user emptied the editor (delete all); `held` is what it held before.
// Emptying the page under the marker that held something is an edit, which
// the next commit stores at the page shown then; emptying anything else
// (what another page left, an empty page) changes nothing to store.
void NoteEmptiedByUser(int16_t editor, const ShownPage& held);
// The next commit stores what the editor holds at the page shown, as an
// edit (a fed text, empty or not, is the page the tool names).
void NoteContentToStore(int16_t editor);
// The picture's editor leaves the hand: what it holds now (the edit state in
// hand, of the current sign) is kept as what it holds until it comes back.
void NoteEditorLeavesHand(int16_t editor);
// What a picture's editor held when it last left the hand.
const std::string& HeldContent(int16_t editor);
// The editor of the current graphic sign (its picture), -1 without one.
int16_t CurrentGraphicEditor();
// The graphic editor of the current sign was emptied by the program (the
// editor's reset); with all, every picture was.
void ForgetGraphicEditors(bool all);

// What the commit does with a shown sign's page gCurrentPage of the current
// entry of the active list: nothing; keep it as loaded (the page is this
// entry's page shown, which the record still holds as loaded: only its
// change time follows); or write the editor's content (edited since).
enum class ShownWrite { None, Keep, Write };
ShownWrite ShownPageWrite(int16_t editor, int16_t sign, const std::string& content);
// The editor holds an edit of the sign that no Save stored, whichever entry
// is current now (a list click may have moved it already).
bool ShownPageUnstored(int16_t editor, int16_t sign, const std::string& content);
// The page the editor was loaded with, as the record held it.
const std::string& ShownRecordPage(int16_t editor);

void ResetShownPages();

}  // namespace kv
