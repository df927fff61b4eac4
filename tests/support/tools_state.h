// Shared set-up for the tests of the editing tools: a main window that
// records what the tools ask of it (outlines, pointers, toolbar buttons, the
// cursor and its timer, the focus) on top of the markup tests' window, and a
// fixture with one graphic sign and an empty page.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "app/editcommands.h"
#include "app/signkeys.h"
#include "app/signtools.h"
#include "app/toolbar.h"
#include "engine/alignment.h"
#include "engine/cursorkeys.h"
#include "support/markup_state.h"

namespace testtools {

struct Outline {
    int32_t colour, x1, y1, x2, y2;
    bool box;
    bool operator==(const Outline&) const = default;
};

class Window : public testmarkup::Head, public kv::EditorControls {
public:
    Window() { kv::InstallPorts(this); }
    ~Window() override { kv::RemovePorts(this); }
    void ClearSignRect(int32_t colour, int32_t x1, int32_t y1, int32_t x2, int32_t y2, bool box) override {
        outlines.push_back({colour, x1, y1, x2, y2, box});
    }
    bool ToolbarButtonEnabled(int16_t i) override { return enabledButtons.count(i) ? enabledButtons[i] : true; }
    void EnableToolbarButton(int16_t i, bool on) override { enabledButtons[i] = on; }
    void SetEditPointer(int16_t p, int16_t pen) override { pointer = p, pointerPen = pen; }
    void SetDrawStyle(int16_t s) override { drawStyle = s; }
    void MarkToolImage(int16_t t) override { toolImage = t; }
    void MarkPenImage(int16_t p) override { penImage = p; }
    bool CursorTimerEnabled() override { return timer; }
    void EnableCursorTimer(bool on) override { timer = on; }
    bool CursorPictureShown() override { return cursorShown; }
    void ShowCursorPicture(bool on) override { cursorShown = on; }
    void PlaceCursorPicture(int32_t l, int32_t t, int32_t w, int32_t h) override { cursorPlace = {l, t, w, h}; }
    bool StripCursorShown() override { return stripCursorShown; }
    void ShowStripCursor(bool on) override { stripCursorShown = on; }
    void PlaceStripCursor(int32_t l, int32_t t, int32_t w, int32_t h) override { stripCursorPlace = {l, t, w, h}; }
    void SetCursorTimerInterval(int32_t ms) override { interval = ms; }
    bool SignPictureHasFocus() override { return focusOnSign; }
    void FocusSignPicture() override { ++focusCalls; }
    void ShowFontStepButtons(bool on) override { fontStepShown = on; }

    std::vector<Outline> outlines;
    std::map<int16_t, bool> enabledButtons;
    int16_t pointer = -1, pointerPen = -1, drawStyle = -1, toolImage = -1, penImage = -1;
    bool timer = true, cursorShown = false, stripCursorShown = false, focusOnSign = true, fontStepShown = true;
    std::tuple<int32_t, int32_t, int32_t, int32_t> cursorPlace{}, stripCursorPlace{};
    int32_t interval = 200;
    int focusCalls = 0;
};

inline void ResetAll() {
    testmarkup::ResetAll();
    kv::ResetSignTools();
    kv::ResetEditCommands();
}

// A graphic sign of w x h dots with an empty page in the font, in text mode,
// left-aligned as the window starts.
class ToolsTest : public ::testing::Test {
protected:
    void Start(int w, int h, const std::string& font = "1") {
        testmarkup::StartPage(w, h, font);
        kv::SetAlignment(1, true, false, true);
    }
    void SetUp() override { ResetAll(); }
    void TearDown() override { ResetAll(); }
    // Keys and mouse as plain events.
    static void Press(int16_t code) {
        int16_t k = code;
        kv::K4000_pct_KeyPress(k);
    }
    static void Type(const std::string& text) {
        for (unsigned char c : text) Press(c == '\n' ? 13 : c == '\b' ? 8 : c);
    }
    static void Key(int16_t code) { kv::K4000_pct_KeyDown(code, 0); }
    // A drag with a button from dot (x1, y1) to dot (x2, y2), at the dots' middles.
    static void Drag(int16_t button, int x1, int y1, int x2, int y2) {
        kv::K4000_pct_MouseDown(button, 0, 5.0f * x1 + 2, 5.0f * y1 + 2);
        kv::K4000_pct_MouseMove(button, 0, 5.0f * x2 + 2, 5.0f * y2 + 2);
        kv::K4000_pct_MouseUp(button, 0, 5.0f * x2 + 2, 5.0f * y2 + 2);
    }
    static void Click(int16_t button, int x, int y) { Drag(button, x, y, x, y); }
    // X of every cell of the chain in reading order.
    static std::vector<int16_t> Xs() {
        std::vector<int16_t> out;
        for (int16_t c = kv::PageFirstCell(); kv::IsUsedCell(c); c = kv::Cell(c).Next) out.push_back(kv::Cell(c).X);
        return out;
    }

    Window head;
    testmarkup::Ui ui;
};

}  // namespace testtools
