// Shared set-up for the commit, remove and page tests: a main window that
// records what the commit asks of it (its ChangeAddress changes the active
// sign as the real one does), and a project of signs:
// graphic signs FRONT (2, picture 0, 112 x 16), REAR (5, picture 1, 48 x 8)
// and SIDE (9, picture 2, 48 x 8), the text sign TXT (4, one row of 12) and
// the route-number sign LINE (7).
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/activesign.h"
#include "app/commit.h"
#include "app/entrywindow.h"
#include "app/feedtext.h"
#include "app/pagetimes.h"
#include "app/remove.h"
#include "app/signcontrols.h"
#include "app/textrows.h"
#include "data/destcodes.h"
#include "data/destlist.h"
#include "data/settings.h"
#include "files/document.h"
#include "engine/signpictures.h"
#include "engine/textstrip.h"
#include "support/markup_state.h"

namespace testentry {

class Window : public testmarkup::Head, public kv::EntryWindow, public kv::StripCanvas {
public:
    Window() {
        kv::SetEntryWindow(this);
        kv::SetStripCanvas(this);
        routeBox.clear();
    }
    ~Window() override {
        kv::SetEntryWindow(nullptr);
        kv::SetStripCanvas(nullptr);
    }
    void ChangeAddress(int16_t k, bool recount, bool) override {
        visited.push_back(k);
        if (k == active) return;
        const int16_t previous = active;
        active = k;
        kv::ChangeActiveSign(previous, k, recount);
    }
    std::string RouteNoBoxText() override { return routeBox; }
    std::string CurrentNumberText() override { return number; }
    void SetCurrentNumberText(const std::string& t) override { number = t; }
    bool BlackOutChecked() override { return blackOut; }
    void ShowChangeTime(int16_t s) override { timeBox = s; }
    bool ChangingTextsShown() override { return frameShown; }
    void SetChangingTextsValue(bool checked) override {
        if (checkValue == checked) return;
        checkValue = changingTexts = checked;
        frameShown = !frameShown;
    }
    // The box and its frame go together.
    void SetChangingTextsChecked(bool on) override { changingTexts = checkValue = frameShown = on; }
    void ShowPageOption(int16_t n, bool v) override { optionVisible[n] = v; }
    void EnablePageOption(int16_t n, bool e) override { optionEnabled[n] = e; }
    bool PageOptionSelected(int16_t n) override { return selected == n; }
    void SelectPageOption(int16_t n) override { selected = n; }
    int ListTopIndex(bool) override { return top; }
    void SetListTopIndex(bool, int i) override { top = i; }
    void ShowListLine(bool, int i) override { top = shownLine = i; }
    void AdjustLists(int length) override { adjusted = length; }
    void ShowSaveChoice() override {
        ++choices;
        kv::gSaveChoice = answer;
    }
    void FeedKey(int16_t& k) override {
        keys.push_back(k);
        if (onKey) onKey();
        kv::TypeFedCharacter(k);
    }
    void FocusSignPicture() override { ++pictureFocus; }
    void FocusStrip() override { ++stripFocus; }

    int16_t active = -1;
    std::vector<int16_t> visited;
    std::string number;
    bool blackOut = false, frameShown = false, checkValue = false;
    int16_t timeBox = -1, selected = 1, answer = 0;
    std::map<int16_t, bool> optionVisible, optionEnabled;
    int top = 0, shownLine = -1, adjusted = 0, choices = 0, pictureFocus = 0, stripFocus = 0;
    std::vector<int16_t> keys;
    std::function<void()> onKey;
};

// Everything back to its start, the shipped fonts loaded, the editor's hooks
// installed, destinations active, no sign configured.
inline void ResetAll() {
    testmarkup::ResetAll();
    testtext::LoadShippedFonts();
    kv::InstallEditorFontHooks();
    kv::InstallPageEditorHooks();
    kv::gExtraPerSign = kv::kTrue;
    kv::gDestListActive = kv::kTrue;
    kv::gChangeTime = 4;
    kv::gDefaultChangeTime = 3;
    kv::gEditorActive = 1;
    kv::gNumberOfChangingTexts = 8;
}

// A shown graphic sign on picture k with an empty page in its editor slot.
inline void GraphicSign(int16_t address, const std::string& name, int w, int h, int16_t k) {
    testgfx::MakeSign(w, h, k, address);
    kv::SignInfoOf(address).Name = name;
    kv::RefreshEditor(0, 0);
}

inline void TextSign(int16_t address, const std::string& name, int w) {
    kv::SignInfo& s = kv::SignInfoOf(address);
    s.Model = "K2000_1R";
    s.Name = name;
    s.Width = static_cast<int16_t>(w);
    s.Shown = kv::kTrue;
}

inline void RouteNumberSign(int16_t address, const std::string& name) {
    kv::SignInfo& s = kv::SignInfoOf(address);
    s.Model = "K1000";
    s.Name = name;
    s.Width = 3;
    s.Shown = kv::kTrue;
    kv::gK1000Shown = kv::kTrue;
}

// The text sign becomes the sign edited, with an empty strip.
inline void EditTextSign(int16_t address) {
    kv::gCurrentSign = address;
    kv::gTextSignActive = kv::kTrue;
    kv::LayoutTextStrip("K2000_1R", kv::SignInfoOf(address).Width, 0);
    kv::ReadCharMap("2");
}

// Types on the graphic sign at `address` (made active) in a font.
inline void TypeOn(Window& w, int16_t address, const std::string& font, const std::string& text) {
    w.ChangeAddress(kv::SignInfoOf(address).GraphicIndex, false, true);
    kv::ReadCharMap(font);
    testtext::Type(text);
}

// Every text typed into the strip of the text sign.
inline void TypeOnStrip(const std::string& text) {
    for (unsigned char c : text) kv::TypeFedCharacter(c);
}

// The section of `name` in a record's Text, and of `address` in its SignData.
inline std::string TextOf(const kv::DestRecord& r, int16_t address) { return kv::GetSignText(r.Text, address); }
inline std::string DataOf(const kv::DestRecord& r, int16_t address) { return kv::GetSignSection(r.SignData, address); }

}  // namespace testentry
