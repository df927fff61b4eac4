// What committing, removing and the page options ask of the main window: the
// boxes and switches around the sign pictures, the page options, the list
// boxes' scrolling, the active sign and the store-or-insert dialog. The Qt
// main window installs one; tests install fakes; without one every call does
// nothing and every query answers "nothing there".
#pragma once

#include <cstdint>
#include <vector>
#include <string>

namespace kv {

// The page options offered: TNo_op(1..20).
constexpr int16_t kPageOptions = 20;

// A list box's current line (-1 none) and its selected lines.
struct ListSelection {
    int current = -1;
    std::vector<int> selected;
};

class EntryWindow {
public:
    virtual ~EntryWindow() = default;
    // Makes the graphic sign of picture set k the active sign: the editor
    // state of the sign that was active goes into its slot, the new one's
    // comes back (ChangeAddress). recount: the page options follow.
    virtual void ChangeAddress(int16_t k, bool recount, bool keep) {}

    // The route-number box LineNo_txt and the current-number box CurrNoTxt.
    virtual std::string RouteNoBoxText() { return {}; }
    virtual std::string CurrentNumberText() { return {}; }
    virtual void SetCurrentNumberText(const std::string& text) {}
    // The blackout check box BlackOut_chk is ticked.
    virtual bool BlackOutChecked() { return false; }
    // The change-time box txtCurrChTime shows a time.
    virtual void ShowChangeTime(int16_t seconds) {}

    // The changing-texts frame Ch_Frame is shown.
    virtual bool ChangingTextsShown() { return false; }
    // Sets the value of the check box Ch_Check from code; when the value
    // changes, its click handler runs as for a user's click.
    virtual void SetChangingTextsValue(bool checked) {}
    // The page options TNo_op(n), n = 1..20.
    virtual void ShowPageOption(int16_t n, bool visible) {}
    virtual void EnablePageOption(int16_t n, bool enabled) {}
    virtual bool PageOptionSelected(int16_t n) { return false; }
    virtual void SelectPageOption(int16_t n) {}

    // The list box (DestList or ExtraList): its TopIndex; and a line chosen
    // from code: highlighted alone and scrolled to the top, without the
    // list's click handler running.
    virtual int ListTopIndex(bool dest) { return 0; }
    virtual void SetListTopIndex(bool dest, int index) {}
    virtual void ShowListLine(bool dest, int index) {}
    // The list box's current line and its selected lines, and the same put
    // back as they were (without scrolling, without the click handler).
    virtual ListSelection ListSelectionOf(bool dest) { return {}; }
    virtual void RestoreListSelection(bool dest, const ListSelection& lines) {}
    // The lists scroll sideways to a line of that length.
    virtual void AdjustLists(int length) {}

    // The store-or-insert dialog frmSave, modal; it leaves its answer in
    // gSaveChoice.
    virtual void ShowSaveChoice() {}
    // The main window's key handler: one typed character for the editor of
    // the active sign.
    virtual void FeedKey(int16_t& keyAscii) {}
};

EntryWindow& EntryPort();
// nullptr restores the do-nothing window.
void SetEntryWindow(EntryWindow* window);

// Line `index` of the destination (dest) or extra-text list becomes the
// list's chosen line, in the list and in its box; nothing outside it.
void ChooseListLine(bool dest, int index);

// The keyboard focus goes back to the sign being edited: the text sign's
// strip in the text-sign line mode, else the active graphic sign's picture.
void FocusEditedSign();

}  // namespace kv
