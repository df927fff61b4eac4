// Shared set-up of the printing tests: a print target that records every
// call with fixed font metrics, print dialogs that answer from a script, and
// a small project of two signs on a staged copy of the shipped data folder.
#pragma once

#include <gtest/gtest.h>

#include <ctime>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "data/ini.h"
#include "data/language.h"
#include "data/outsettings.h"
#include "data/printfonts.h"
#include "data/printprefs.h"
#include "data/records.h"
#include "data/userfields.h"
#include "engine/printdots.h"
#include "platform/printtarget.h"
#include "platform/reset.h"
#include "platform/vb.h"
#include "support/fake_ui.h"
#include "support/signs_state.h"
#include "support/testutil.h"

namespace testprint {

// Text is 10 twips a point per character wide and 20 twips a point high; a
// printer pixel is 5 twips; the page 12000 x 16000.
class RecordingPrinter : public kv::PrintTarget {
public:
    RecordingPrinter() { kv::SetPrintTarget(this); }
    ~RecordingPrinter() override { kv::SetPrintTarget(nullptr); }
    double PageWidth() const override { return width; }
    double PageHeight() const override { return height; }
    double TwipsPerPixelX() const override { return 5; }
    double TwipsPerPixelY() const override { return 5; }
    double TextWidth(const std::string& t) const override { return static_cast<double>(t.size()) * Font().size * 10; }
    double TextHeight() const override { return Font().size * 20; }

    struct Text {
        int page;
        double x, y;
        std::string text;
        kv::PrintFont font;
    };
    struct Shape {
        int page;
        char kind;  // 'l' line, 'b' box, 'f' filled box
        double x1, y1, x2, y2;
        int32_t colour;
    };
    std::vector<Text> texts;
    std::vector<Shape> shapes;
    int begun = 0, ended = 0, aborted = 0, pages = 0;
    int16_t orientation = 0;
    double width = 12000, height = 16000;
    std::string endResult;  // what EndDoc reports

    // The first text equal to t; null when none.
    const Text* Find(const std::string& t) const {
        for (const Text& x : texts)
            if (x.text == t) return &x;
        return nullptr;
    }
    std::vector<const Text*> All(const std::string& t) const {
        std::vector<const Text*> r;
        for (const Text& x : texts)
            if (x.text == t) r.push_back(&x);
        return r;
    }

protected:
    bool DoBegin(int16_t o) override {
        ++begun;
        pages = 1;
        orientation = o;
        return true;
    }
    std::string DoEnd() override {
        ++ended;
        return endResult;
    }
    void DoAbort() override { ++aborted; }
    void DoNewPage() override { ++pages; }
    void DoFont(const kv::PrintFont&) override {}
    void DoText(double x, double y, const std::string& t) override { texts.push_back({Page(), x, y, t, Font()}); }
    void DoLine(double x1, double y1, double x2, double y2, int32_t c) override {
        shapes.push_back({Page(), 'l', x1, y1, x2, y2, c});
    }
    void DoBox(double x1, double y1, double x2, double y2, bool filled, int32_t c) override {
        shapes.push_back({Page(), filled ? 'f' : 'b', x1, y1, x2, y2, c});
    }
};

// Answers the dialogs: the sign-text options through `signText` (none: Done
// at once), the print options from `options` (none: every row in order).
class ScriptedDialogs : public kv::PrintDialogs {
public:
    ScriptedDialogs() { kv::SetPrintDialogs(this); }
    ~ScriptedDialogs() override { kv::SetPrintDialogs(nullptr); }
    void ShowSignText(kv::PrintTextFields& f, bool printer) override {
        shown.push_back(f.text);
        if (signText) signText(f, printer);
    }
    kv::PrintOptionsAnswer ShowPrintOptions(const kv::PrintOptionsRequest& r) override {
        requests.push_back(r);
        if (options.empty()) return PrintDialogs::ShowPrintOptions(r);
        kv::PrintOptionsAnswer a = options.front();
        options.pop_front();
        return a;
    }
    int16_t MainWindowState() override { return windowState; }
    void SetMainWindowState(int16_t s) override { windowState = s; states.push_back(s); }

    std::function<void(kv::PrintTextFields&, bool)> signText;
    std::deque<kv::PrintOptionsAnswer> options;
    std::vector<std::string> shown;
    std::vector<kv::PrintOptionsRequest> requests;
    int16_t windowState = 0;
    std::vector<int16_t> states;
};

// A project on a staged data folder: FRONT, a graphic sign 112 x 16 at
// address 2, and SIDE, a one-row text sign of 20 places at address 3.
// Destination 1: FRONT "CENTRUM" / "via TORGET" and a second page "HAMN",
// SIDE "CENTRUM"; destination 2: FRONT "STATION", SIDE "STATION" /
// "RESECENTRUM". Extra texts (whole, not per sign): 1 "EXTRA ONE" and a
// second page "SECOND"; 3 "THIRD".
class PrintProject : public ::testing::Test {
protected:
    void SetUp() override {
        Reset();
        testutil::StageDataFolder(dir.path());
        UseDataFolder();
    }
    // The staged folder's settings and English texts, and a fixed clock
    // (after any reset of the whole state).
    void UseDataFolder() {
        kv::gDataPath = dir.path();
        kv::gSettingsFile = dir.file("kivar.lib");
        kv::gLanguageFile = dir.file("English.lng");
        kv::gLanguage = "English";
        kv::LoadLanguageTexts();
        kv::SetPrintClock([] {
            std::tm t{};
            t.tm_year = 124;
            t.tm_mon = 4;
            t.tm_mday = 1;
            t.tm_hour = 12;
            t.tm_min = 34;
            t.tm_sec = 56;
            return t;
        });
        kv::gCommandRowOn = 1;
    }
    void TearDown() override { Reset(); }
    static void Reset() {
        kv::ResetAllState();
        kv::gCommandRowOn = 1;
    }
    void Build() {
        using testsigns::SignLine;
        testsigns::Sign(SignLine("FRONT", "K4000", "112x16", "2"));
        testsigns::Sign(SignLine("SIDE", "K2000_1R", "20", "3"));
        Dest(1, "\xFF" "FRONT# CENTRUM\\via TORGET# HAMN\xFF" "SIDE# CENTRUM");
        Dest(2, "\xFF" "FRONT# STATION\xFF" "SIDE# STATION\\RESECENTRUM");
        Extra(1, "# EXTRA ONE# SECOND");
        Extra(3, "# THIRD");
        kv::gUserCompany = "Orvalde Trafik";
        kv::gUserDate = "2024-05-01";
        kv::gUserOthers = "Depot & yard";
        kv::gPromName = "ORV2024";
    }
    static void Dest(int n, const std::string& text) {
        kv::gDestList[static_cast<size_t>(n)].Text = text;
        kv::gDestList[static_cast<size_t>(n)].SignData = testsigns::Sec(2) + "x";
        kv::AddListLine(static_cast<int16_t>(n), true);
    }
    static void Extra(int n, const std::string& text) {
        kv::gExtraList[static_cast<size_t>(n)].Text = text;
        kv::gExtraList[static_cast<size_t>(n)].SignData = "x";
        kv::AddListLine(static_cast<int16_t>(n), false);
    }
    // Sets a [Printer] key of the staged settings.
    void Printer(const std::string& key, int value) {
        ASSERT_TRUE(kv::IniSetValue(kv::gSettingsFile, "Printer", key, kv::IniValue(value)));
    }
    testutil::TempDir dir;
    FakeUi ui;
    ScriptedDialogs dialogs;
};

}  // namespace testprint
