#include "app/pagetimes.h"

#include <algorithm>
#include <set>

#include "app/entryload.h"
#include "app/entrywindow.h"
#include "app/headstate.h"
#include "app/signcontrols.h"
#include "data/language.h"
#include "data/records.h"
#include "data/settings.h"
#include "data/signtable.h"
#include "platform/host.h"
#include "platform/vb.h"

namespace kv {

namespace {

// More pages than offered make the options up to them visible.
void OfferPages(int16_t count) {
    if (count <= gNumberOfChangingTexts) return;
    const int16_t offered = std::min(count, kPageOptions);
    for (int16_t n = std::max<int16_t>(gNumberOfChangingTexts, 1); n <= offered; ++n) EntryPort().ShowPageOption(n, true);
    gNumberOfChangingTexts = std::max(gNumberOfChangingTexts, offered);
}

}  // namespace

int16_t NumberOfChangingTexts(int16_t sign) {
    const int16_t count = CountSignPages(sign);
    OfferPages(count);
    return count;
}

int16_t PagesOfShownSigns() {
    int16_t count = 0;
    for (int16_t a = kFirstSignAddress; a <= kLastSignAddress; ++a)
        if (SignInfoOf(a).Shown) count = std::max(count, CountSignPages(a));
    OfferPages(count);
    return count;
}

void ShowPagesOfShownSigns() {
    const int16_t n = std::max<int16_t>({PagesOfShownSigns(), 1, gCurrentPage});
    UpdateNoOfTextsOption(n, gCurrentPage);
}

void SelectPageOption(int16_t n) {
    if (n < 1 || n > kPageOptions || EntryPort().PageOptionSelected(n)) return;
    EntryPort().SelectPageOption(n);
    gCurrentPage = n;
}

void UpdateNoOfTextsOption(int16_t count, int16_t selected) {
    EntryWindow& w = EntryPort();
    const int16_t offered = std::min(gNumberOfChangingTexts, kPageOptions);
    count = std::min(count, kPageOptions);
    if (count == 0 || count > offered) return;
    if (count >= 1) {
        for (int16_t n = 1; n <= offered; ++n) w.EnablePageOption(n, n <= count);
        SelectPageOption(selected);
        return;
    }
    if (count != -1) return;
    int16_t n = 1;
    while (n < offered && !w.PageOptionSelected(n)) ++n;
    if (n >= offered) {
        Beep();
        return;
    }
    w.EnablePageOption(static_cast<int16_t>(n + 1), true);
    SelectPageOption(static_cast<int16_t>(n + 1));
}

void PageOptionClicked(int16_t n) {
    if (n != gCurrentPage) {
        // The signs that have page n show it; an edit one of them holds goes
        // only when the user agrees.
        if (!AskSaveChanges(n)) {
            EntryPort().SelectPageOption(gCurrentPage);
            FocusEditedSign();
            return;
        }
        gCurrentPage = n;
        ShowStoredPages();
    }
    FocusEditedSign();
}

void ChangingTextsOpened(int16_t editorPage) {
    SelectPageOption(editorPage < 1 ? 1 : editorPage);
    EntryPort().ShowChangeTime(gChangeTime);
    // The page shown stays: the options offer it and the shown signs' pages
    // (a sign without pages is offered one).
    ShowPagesOfShownSigns();
}

std::string ChangeTimeDigits(const std::string& text, int& beeps) {
    std::string digits;
    std::set<char> others;
    for (char c : text) {
        if (c >= '0' && c <= '9') digits += c;
        else others.insert(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    }
    beeps = static_cast<int>(others.size());
    return digits;
}

std::optional<std::string> ChangeTimeLeft(const std::string& text) {
    const bool digitsOnly = std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    const double v = digitsOnly ? Val(text) : -1;
    if (v < 0 || v > kMaxChangeTime) {
        MsgBox(gTextS108, vbExclamation);
        return std::to_string(gChangeTime);
    }
    gChangeTime = static_cast<int16_t>(v);
    return std::nullopt;
}

}  // namespace kv
