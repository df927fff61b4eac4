// The main window as the editing scenarios drive it, without Qt: the fake of
// tests/support/entry_state.h with the list boxes (a list's chosen line is
// its current line), the keyboard focus, the cursor timer and the check box
// of the changing texts as the window's own handlers run them; the signs of
// the scenarios and the choice of shown signs as the window's dialog and
// layout make it; and what each sign's picture, strip or box shows.
//
// Signs: graphic FRONT (2, 112 x 16), REAR (5, 48 x 8) and SIDE (9, 48 x 8),
// the one-row text sign TXT (4, 12 characters) and the route-number sign
// LINE (7).
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/entryload.h"
#include "app/activesign.h"
#include "app/pagetimes.h"
#include "app/signcontrols.h"
#include "app/signsel.h"
#include "data/charmap.h"
#include "data/destlist.h"
#include "engine/dotlayers.h"
#include "engine/editorslots.h"
#include "engine/editorview.h"
#include "engine/marking.h"
#include "engine/signpictures.h"
#include "engine/signview.h"
#include "engine/textstrip.h"
#include "support/editor_text.h"
#include "support/entry_state.h"

namespace testscenario {

constexpr int16_t kFront = 2, kText = 4, kRear = 5, kLine = 7, kSide = 9;
constexpr int16_t kGraphicSigns[] = {kFront, kRear, kSide};

inline bool IsGraphic(int16_t sign) { return sign == kFront || sign == kRear || sign == kSide; }

class ScenarioWindow : public testentry::Window, public kv::ListWindow, public kv::EditorControls {
public:
    ScenarioWindow() {
        kv::SetListWindow(this);
        kv::SetEditorControls(this);
        checked["mnuTextDesttext"] = true;
        for (bool dest : {true, false}) {
            kv::ListModel& list = List(dest);
            std::vector<bool>& marks = marked_[dest ? 0 : 1];
            marks.assign(static_cast<size_t>(list.ListCount()), false);
            list.SetListener([&list, &marks](kv::ListModel::Change c, int i) {
                using C = kv::ListModel::Change;
                const auto at = marks.begin() + std::clamp<int>(i, 0, static_cast<int>(marks.size()));
                switch (c) {
                    case C::Added: marks.insert(at, false); break;
                    case C::Removed: marks.erase(at); break;
                    case C::Cleared: marks.clear(); break;
                    case C::Selection:
                        if (i >= 0 && i < static_cast<int>(marks.size())) marks[static_cast<size_t>(i)] = list.Selected(i);
                        break;
                    case C::Reset:
                        marks.assign(static_cast<size_t>(list.ListCount()), false);
                        for (int k = 0; k < list.ListCount(); ++k) marks[static_cast<size_t>(k)] = list.Selected(k);
                        break;
                    case C::Changed: break;
                }
            });
        }
    }
    ~ScenarioWindow() override {
        if (&kv::ListPort() == this) kv::SetListWindow(nullptr);
        if (&kv::ControlsPort() == this) kv::SetEditorControls(nullptr);
        kv::DestList.SetListener(nullptr);
        kv::ExtraList.SetListener(nullptr);
    }
    ScenarioWindow(const ScenarioWindow&) = delete;
    ScenarioWindow& operator=(const ScenarioWindow&) = delete;

    // The window starts the cursor timer whenever it makes a picture active.
    void ChangeAddress(int16_t k, bool recount, bool keep) override {
        testentry::Window::ChangeAddress(k, recount, keep);
        if (kv::gEditorActive == 1) cursorTimer = true;
    }
    // Setting the box from code runs its click handler when the value changes.
    void SetChangingTextsValue(bool checked) override {
        if (checkValue == checked && frameShown == checked) return;
        checkValue = changingTexts = checked;
        ChangingTextsClicked();
    }
    // The box's click handler: the frame shows while the box is ticked.
    void ChangingTextsClicked() {
        frameShown = checkValue;
        if (frameShown) kv::ChangingTextsOpened(kv::gCurrentPage);
        kv::FocusEditedSign();
    }

    bool MenuItemChecked(const std::string& name) override { return checked[name]; }

    // A line chosen from code is marked alone, as a click marks it.
    void ShowListLine(bool dest, int index) override {
        testentry::Window::ShowListLine(dest, index);
        MarkOnly(dest, index);
    }
    // The user's click on a line: it becomes the current line, marked alone.
    void ClickLine(bool dest, int index) {
        List(dest).SetListIndex(index);
        MarkOnly(dest, index);
    }
    // The list box's current line and marked lines, and the same put back.
    kv::ListSelection ListSelectionOf(bool dest) override { return {List(dest).ListIndex(), Marked(dest)}; }
    void RestoreListSelection(bool dest, const kv::ListSelection& lines) override {
        if (lines.current >= -1 && lines.current < List(dest).ListCount()) List(dest).SetListIndex(lines.current);
        std::vector<bool>& marks = marked_[dest ? 0 : 1];
        marks.assign(static_cast<size_t>(List(dest).ListCount()), false);
        for (int i : lines.selected)
            if (i >= 0 && i < static_cast<int>(marks.size())) marks[static_cast<size_t>(i)] = true;
    }
    // The lines the list box shows marked.
    std::vector<int> Marked(bool dest) const {
        std::vector<int> out;
        const std::vector<bool>& marks = marked_[dest ? 0 : 1];
        for (size_t i = 0; i < marks.size(); ++i)
            if (marks[i]) out.push_back(static_cast<int>(i));
        return out;
    }

    std::string FocusedControl() override { return focused; }
    int SelectedListRow(bool dest) override { return List(dest).ListIndex(); }
    void SelectListRow(bool dest, int row) override { ClickLine(dest, row); }
    void ShowRouteNumberBox(bool shown) override { routeBoxShown = shown; }

    bool CursorTimerEnabled() override { return cursorTimer; }
    void EnableCursorTimer(bool on) override { cursorTimer = on; }

    static kv::ListModel& List(bool dest) { return dest ? kv::DestList : kv::ExtraList; }

    std::string focused = "K4000_pct";
    bool cursorTimer = true;
    bool routeBoxShown = true;

private:
    void MarkOnly(bool dest, int index) {
        std::vector<bool>& marks = marked_[dest ? 0 : 1];
        marks.assign(static_cast<size_t>(List(dest).ListCount()), false);
        if (index >= 0 && index < static_cast<int>(marks.size())) marks[static_cast<size_t>(index)] = true;
    }
    std::array<std::vector<bool>, 2> marked_;
};

// Every sign of the scenarios configured, none shown yet.
inline void ConfigureSigns() {
    testentry::GraphicSign(kRear, "REAR", 48, 8, 1);
    testentry::GraphicSign(kSide, "SIDE", 48, 8, 2);
    testentry::GraphicSign(kFront, "FRONT", 112, 16, 0);
    testentry::TextSign(kText, "TXT", 12);
    testentry::RouteNumberSign(kLine, "LINE");
    for (int16_t a : {kFront, kText, kRear, kLine, kSide}) kv::SignInfoOf(a).Shown = kv::kFalse;
    kv::gK1000Shown = kv::kFalse;
}

// The shown signs become `shown`, as OK in the shown-signs dialog and the
// window's new layout make it: the lowest-addressed graphic or text sign is
// current, the text-sign line mode follows it, the graphic signs take the
// pictures in address order, every picture is emptied and the current
// sign's picture becomes active afresh; then the entry in hand is loaded
// again.
inline void ChooseShownSigns(ScenarioWindow& w, const std::vector<int16_t>& shown, bool reload = true) {
    using namespace kv;
    std::vector<SignSelTick> ticks;
    for (const SignSelRow& row : BuildSignSelRows().rows) {
        SignSelTick t;
        t.address = row.address;
        t.ticked = std::find(shown.begin(), shown.end(), row.address) != shown.end();
        ticks.push_back(t);
    }
    ApplySignSel(ticks, ReadSignSelTexts());
    const SignInfo& current = SignInfoOf(gCurrentSign);
    if (current.Model == "K2000_1R") {
        if (!gTextSignActive) {
            gTextSignActive = kTrue;
            gSavedEditorFont = gCurrentFontCode;
        }
        ReadCharMap("2");
        LayoutTextStrip(current.Model, current.Width, current.Height);
    } else {
        if (gTextSignActive) {
            gTextSignActive = kFalse;
            const std::string font = EditorFontAfterStrip();
            if (!font.empty()) LoadFontMap(font);
        }
        ResizeGraphicLayer(current.GraphicIndex, current.Width + 5, current.Height + 5);
        ResizeUndoLayer(current.GraphicIndex, current.Width + 5, current.Height + 5);
        RefreshEditor(kTrue, kTrue);
    }
    int16_t n = 0;
    for (int16_t a : ShownK4000Signs()) {
        SignInfo& s = SignInfoOf(a);
        s.GraphicIndex = n++;
        ResizeGraphicLayer(s.GraphicIndex, s.Width + 5, s.Height + 5);
        ResizeUndoLayer(s.GraphicIndex, s.Width + 5, s.Height + 5);
    }
    // Every picture emptied; the other signs' slots keep their rows.
    const int16_t remembered = gCurrentSign;
    const int16_t showLineNo = gShowLineNo;
    const int32_t areaDots = gRouteNoAreaDots;
    for (int16_t k = 0; k < n; ++k) {
        gCurrentSign = FindK4000ByGraphic(k);
        if (gCurrentSign != remembered) {
            EditorSlot& slot = gEditorSlots[static_cast<size_t>(k)];
            gShowLineNo = slot.showLineNo;
            gRouteNoAreaDots = slot.routeNoAreaDots;
            slot.cursorX = slot.cursorY = 0;
        }
        PrepareTextLayer();
        ClearGraphicLayer();
    }
    gCurrentSign = remembered;
    gShowLineNo = showLineNo;
    gRouteNoAreaDots = areaDots;
    w.active = -1;
    if (SignInfoOf(gCurrentSign).Model == "K4000") {
        w.ChangeAddress(SignInfoOf(gCurrentSign).GraphicIndex, true, true);
        ShowSign(false, false);
    }
    // The entry in hand comes back on every shown sign (the set-up of a
    // sequence loads its first entry itself).
    if (reload) ShowEntryOnShownSigns();
}

// What a graphic sign's picture shows: its characters, the alignment of
// its first row with characters, and its graphic's lit dots (a hash; 0 for
// none).
struct PictureLook {
    std::string text;
    int16_t align = 0;
    uint32_t dots = 0;
};

inline uint32_t GraphicDots(int16_t k, int16_t address) {
    const kv::SignInfo& s = kv::SignInfoOf(address);
    uint32_t h = 0;
    bool any = false;
    for (int y = 0; y < s.Height; ++y)
        for (int x = 0; x < s.Width; ++x)
            if (kv::GetGraphicPixel(k, x, y) != 0) {
                any = true;
                h = (h ^ static_cast<uint32_t>(y * 1000 + x)) * 16777619u;
            }
    return any ? (h | 1u) : 0u;
}

inline PictureLook PictureOf(int16_t address, int16_t active) {
    using namespace kv;
    const int16_t k = SignInfoOf(address).GraphicIndex;
    PictureLook look;
    look.text = testeditor::PictureText(k, active);
    const bool live = k == active;
    const auto& rows = live ? gRows : gEditorSlots[static_cast<size_t>(k)].rows;
    const int16_t start = live ? gStartRow : gEditorSlots[static_cast<size_t>(k)].startRow;
    for (int16_t r = start, guard = 0; IsRowIndex(r) && guard < kRowPoolSize; r = rows[static_cast<size_t>(r)].NextRow, ++guard)
        if (rows[static_cast<size_t>(r)].CellCount > 0) {
            look.align = rows[static_cast<size_t>(r)].Alignment;
            break;
        }
    look.dots = GraphicDots(k, address);
    return look;
}

// The alignment key the toolbar shows pressed: 1 left, 3 centred, 2 right,
// 0 none.
inline int16_t ToolbarAlignment(ScenarioWindow& w) {
    if (w.buttons[10] == 1) return 1;
    if (w.buttons[11] == 1) return 3;
    if (w.buttons[12] == 1) return 2;
    return 0;
}

}  // namespace testscenario
