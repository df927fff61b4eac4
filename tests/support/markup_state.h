// Shared set-up for the markup, page loading, marking and editor-slot tests:
// a main window and a user that record what the engine asks of them, the
// whole engine state back to its start with the page hooks installed, and
// the commit and load of a graphic sign page through a record.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "data/headmode.h"
#include "data/records.h"
#include "data/signdata.h"
#include "engine/editorslots.h"
#include "engine/markup.h"
#include "engine/marking.h"
#include "engine/pageload.h"
#include "engine/routenumber.h"
#include "app/headstate.h"
#include "platform/paths.h"
#include "engine/routenodialog.h"
#include "engine/routenolayout.h"
#include "support/fake_ui.h"
#include "support/text_state.h"

namespace testmarkup {

class Head : public testgfx::FakeHead, public kv::DocumentWindow {
public:
    Head() { kv::InstallPorts(this); }
    ~Head() override { kv::RemovePorts(this); }
    void EnableMenuItem(const std::string& name, bool on) override { enabled[name] = on; }
    void CheckMenuItem(const std::string& name, bool on) override { checked[name] = on; }
    int16_t ToolbarButtonValue(int16_t i) override { return buttons.count(i) ? buttons[i] : 0; }
    void SetToolbarButtonValue(int16_t i, int16_t v) override { buttons[i] = v; }
    void ResetCutTools() override { ++cutToolResets; }
    void PaintSign(bool printer) override { ++shown; }
    bool ChangingTextsChecked() override { return changingTexts; }
    void SetChangingTextsChecked(bool on) override { changingTexts = on; }
    void SetWindowPage(int16_t page) override { windowPage = page; }
    void SetRouteNoBoxText(const std::string& t) override { routeBox = t; }

    std::map<std::string, bool> enabled, checked;
    std::map<int16_t, int16_t> buttons;
    int cutToolResets = 0, shown = 0;
    bool changingTexts = false;
    int16_t windowPage = 0;
    std::string routeBox = "unset";
};

class Ui : public FakeUi {
public:
    std::string CaptionPrompt(const std::string& proposed) override {
        proposals.push_back(proposed);
        return caption ? *caption : proposed;
    }
    void RouteNumberDialog() override {
        ++dialogs;
        if (dialog) dialog();
    }

    std::vector<std::string> proposals;
    const std::string* caption = nullptr;
    int dialogs = 0;
    std::function<void()> dialog;
};

// As testtext::ResetAll, with the page hooks installed.
inline void ResetAll() {
    testtext::ResetAll();
    kv::gTextS30 = "<Symbols>";
    kv::InstallPageEditorHooks();
}

// The start of a project built for a data folder: everything back to its
// start on the shipped fonts, the folder's fonts and fonts per sign height
// taken, the editor's hooks installed and the sign table empty.
inline void StartProjectOn(const std::string& dataDir) {
    ResetAll();
    testtext::LoadShippedFonts();
    kv::gFontPath = kv::JoinPath(dataDir, "Fonts") + "/";
    kv::gSettingsFile = kv::JoinPath(dataDir, "kivar.lib");
    kv::ReadSignFontSection();
    kv::InstallEditorFontHooks();
    kv::InstallPageEditorHooks();
    kv::ClearSignConfigFlags();
    kv::ClearSignTable();
}

// An empty page on a graphic sign, with the page hooks installed.
inline void StartPage(int w, int h, const std::string& font) {
    testtext::StartPage(w, h, font);
    kv::InstallPageEditorHooks();
}

// Commits the page in the edit state into page `page` of destination `dest`
// as the main window's commit does; returns the markup.
inline std::string Commit(int16_t dest, int16_t page = 1) {
    kv::gCurrentDest = dest;
    kv::gCurrentPage = page;
    const std::string markup = kv::EncodeSignObjects(false);
    kv::SetDestSignField(dest, kv::gCurrentSign, page, markup);
    kv::SetDestSection(dest, kv::gCurrentSign, page, kv::BuildSignData(kv::PageFirstCell()));
    return markup;
}

// The stored bytes of a page.
inline std::string StoredBytes(int16_t dest, int16_t page = 1) {
    int16_t n = page, multi = 0;
    kv::gDestListActive = kv::kTrue;
    return kv::GetActiveRow(dest, kv::gCurrentSign, n, multi);
}

// Loads page `page` of destination `dest` as opening the entry does.
inline void Load(int16_t dest, int16_t page = 1) {
    kv::gDestListActive = kv::kTrue;
    kv::gCurrentDest = dest;
    kv::gCurrentPage = page;
    kv::ParseSignMarkup(StoredBytes(dest, page));
}

}  // namespace testmarkup
