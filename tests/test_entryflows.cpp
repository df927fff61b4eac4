// The list and document flows of the main window without the window: the
// click and the load of a list's entry, the switch between the two lists,
// and File/Open and File/New, against a window that records what it is asked
// to show.
#include <gtest/gtest.h>

#include <deque>
#include <map>

#include "app/doccommands.h"
#include "app/docsettings.h"
#include "app/entryload.h"
#include "app/entrywindow.h"
#include "app/headstate.h"
#include "app/listswitch.h"
#include "app/opendocument.h"
#include "app/signcontrols.h"
#include "app/signsel.h"
#include "data/charmap.h"
#include "data/destcodes.h"
#include "data/destlist.h"
#include "data/fontlist.h"
#include "data/ini.h"
#include "data/language.h"
#include "data/records.h"
#include "data/settings.h"
#include "data/signtable.h"
#include "data/startup.h"
#include "engine/dotlayers.h"
#include "engine/editstate.h"
#include "engine/fontlib.h"
#include "files/document.h"
#include "files/outoptions.h"
#include "files/recentfiles.h"
#include "platform/paths.h"
#include "platform/ports.h"
#include "platform/reset.h"
#include "platform/vb.h"
#include "support/fake_ui.h"
#include "support/testutil.h"
#include "support/unstored_edit.h"

using namespace kv;

namespace {

// The main window as the flows see it: answers from its fields, and every
// request to the lists, boxes and sign pictures written down in order.
class FakeWindow : public ListWindow,
                   public SignWindow,
                   public CommandState,
                   public DocumentWindow,
                   public SignCanvas,
                   public StripCanvas,
                   public EntryWindow {
public:
    FakeWindow() {
        InstallPorts(this);
        SetEntryWindow(this);
    }
    ~FakeWindow() override {
        RemovePorts(this);
        SetEntryWindow(nullptr);
    }

    std::string FocusedControl() override { return focus; }
    int SelectedListRow(bool) override { return row; }
    void SelectListRow(bool destinations, int r) override { Note("SelectListRow", destinations, r); }
    void ShowList(bool destinations) override { destShown = destinations; }
    bool ListShown(bool destinations) override { return destShown == destinations; }
    void SetListExtent(bool destinations, int32_t extent) override { Note("SetListExtent", destinations, extent); }
    void SetListCaptions(const std::string& number, const std::string& list) override { captions = number + "|" + list; }
    void SetNumberBoxMaxLength(int length) override { maxLength = length; }
    void ShowBlackoutBox(bool shown) override { blackoutShown = shown; }
    void SetBlackoutChecked(bool checked) override { blackout = checked; }
    void ShowRouteNumberBox(bool shown) override { Note("ShowRouteNumberBox", shown); }
    void ShowPageFrame() override { frameShown = changingTexts = true; }
    // The changing-texts box and its frame go together.
    void SetChangingTextsChecked(bool checked) override { frameShown = changingTexts = checked; }
    bool ChangingTextsChecked() override { return changingTexts; }

    void SetCurrentNumberText(const std::string& text) override { numberBox = text; }
    void ShowChangeTime(int16_t seconds) override { changeTime = std::to_string(seconds); }
    bool ChangingTextsShown() override { return frameShown; }
    void EnablePageOption(int16_t n, bool enabled) override {
        if (enabled) enabledOptions = std::max(enabledOptions, n);
        else enabledOptions = std::min<int16_t>(enabledOptions, static_cast<int16_t>(n - 1));
    }
    bool PageOptionSelected(int16_t n) override { return selectedOption == n; }
    void SelectPageOption(int16_t n) override { selectedOption = n; }
    void ChangeAddress(int16_t index, bool, bool) override { Note("ChangeAddress", index); }

    void LayoutSignPictures(bool resize, bool large) override { Note("LayoutSignPictures", resize, large); }
    void SelectSign(int16_t sign) override { Note("SelectSign", sign); }
    void SelectK4000Graphic(bool currentOnly) override { Note("SelectK4000Graphic", currentOnly); }
    void ResetActivePicture() override { Note("ResetActivePicture"); }
    void UpdateSignControls(int16_t address) override { Note("UpdateSignControls", address); }
    void UpdateToolbarState() override {
        Note("UpdateToolbarState");
        gTextSignActive = kTrue;
    }
    void UpdateToolbarState2() override {
        Note("UpdateToolbarState2");
        gTextSignActive = kFalse;
    }
    // The end of a marking resets the cut tools.
    void ResetCutTools() override { Note("ResetCutTools"); }
    void FocusSignPicture() override { Note("FocusSignPicture"); }
    void FocusStrip() override { Note("FocusStrip"); }

    void EnableMenuItem(const std::string& name, bool on) override { enabled[name] = on; }
    void CheckMenuItem(const std::string& name, bool on) override { ticked[name] = on; }
    bool MenuItemChecked(const std::string& name) override { return ticked[name]; }
    std::string MenuItemCaption(const std::string& name) override { return name == "mnu\xC3\x96ppna" ? "&Open..." : ""; }

    void SetMainCaption(const std::string& c) override { caption = c; }
    std::string MainCaption() override { return caption; }
    FileDialogChoice FileDialog(const FileDialogRequest& request) override {
        requests.push_back(request);
        if (choices.empty()) return {};
        FileDialogChoice c = choices.front();
        choices.pop_front();
        return c;
    }

    // The calls noted since the last look, then forgotten.
    std::vector<std::string> Calls() { return std::exchange(calls, {}); }
    bool Called(const std::string& call) const { return std::find(calls.begin(), calls.end(), call) != calls.end(); }

    std::string focus = "DestList";
    int row = -1;
    bool destShown = true;
    std::string captions, numberBox, changeTime, caption;
    int maxLength = 0;
    bool blackoutShown = true, blackout = false, frameShown = false, changingTexts = false;
    int16_t enabledOptions = 0, selectedOption = 0;
    std::map<std::string, bool> enabled, ticked;
    std::deque<FileDialogChoice> choices;
    std::vector<FileDialogRequest> requests;

private:
    template <class... A>
    void Note(const std::string& name, A... args) {
        std::string s = name;
        ((s += " " + std::to_string(args)), ...);
        calls.push_back(s);
    }
    std::vector<std::string> calls;
};

class EntryFlows : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAllState();
        gNumberOfChangingTexts = 8;
    }
    void TearDown() override { ResetAllState(); }
    // A destination with `pages` fields on the graphic sign 2 (the page
    // marks carry the change time), and its line.
    static void Dest(int n, int16_t changeTime = 3, int pages = 1) {
        gDestList[n].Text = "\xff" "S2";
        gDestList[n].SignData = "\xff\x02";
        for (int p = 1; p <= pages; ++p) gDestList[n].Text += "# D" + std::to_string(n);
        for (int p = 1; p <= std::max(pages - 1, 1); ++p) gDestList[n].SignData += std::string("\xb0") + static_cast<char>(changeTime);
        AddListLine(static_cast<int16_t>(n), true);
    }
    static void GraphicSign(int16_t address, int16_t index) {
        SignInfo& s = SignInfoOf(address);
        s.Model = "K4000";
        s.Name = "S" + std::to_string(address);
        s.Width = 40;
        s.Height = 8;
        s.Shown = kTrue;
        s.GraphicIndex = index;
    }
    // The data folder of a start, as the program finds it.
    void StageDataFolder() {
        testutil::StageDataFolder(dir.path());
        SetProgramFolder(dir.path());
        ReadStartSettings([] { StoreLanguageChoice("English"); });
        gAutoSaveFile = AutoSaveFileOf(dir.path());
    }
    std::string Fixture(const std::string& name) {
        const std::string path = dir.file(name);
        testutil::WriteFile(path, testutil::ReadFile(std::string(KIVAR_FIXTURE_DIR) + "/projects/" + name));
        return path;
    }

    testutil::TempDir dir;
    FakeUi ui;
    FakeWindow w;
};

}  // namespace

TEST_F(EntryFlows, AClickMakesTheEntryOfItsLineCurrent) {
    Dest(1);
    Dest(5);
    gCurrentDest = 1;
    w.row = 1;
    ListClick(true);
    EXPECT_EQ(gCurrentDest, 5);
    EXPECT_EQ(w.numberBox, "5");
    EXPECT_EQ(nPrevDest, 1);
    ListClick(true);
    EXPECT_EQ(nPrevDest, 5);
    // After the commit reselected a line, the next click only clears the flag.
    bSkipListClick = true;
    w.row = 0;
    ListClick(true);
    EXPECT_EQ(gCurrentDest, 5);
    EXPECT_FALSE(bSkipListClick);

    gExtraList[12].Text = "E";
    AddListLine(12, false);
    w.row = 0;
    SkipExtraListClick = true;
    gCurrentExtra = 1;
    ListClick(false);
    EXPECT_EQ(gCurrentExtra, 1);
    EXPECT_FALSE(SkipExtraListClick);
    ListClick(false);
    EXPECT_EQ(gCurrentExtra, 12);
    EXPECT_EQ(w.numberBox, "12");
}

TEST_F(EntryFlows, AnEntryLoadsOnlyWhileASignItsListOrAPageOptionHasTheFocus) {
    GraphicSign(2, 0);
    gCurrentSign = 2;
    Dest(1);
    Dest(2, 7);
    gDestList[2].Flag = kTrue;
    gCurrentDest = 1;
    w.row = 1;
    for (const char* focus : {"SaveDestOrExtra", "ExtraList", ""}) {
        SCOPED_TRACE(focus);
        w.focus = focus;
        gInsertMode = kTrue;
        w.numberBox = "xx";
        LoadListEntry(true);
        EXPECT_EQ(gCurrentDest, 1);
        EXPECT_EQ(w.numberBox, "1");  // insert mode shows the current number again
        EXPECT_TRUE(w.Calls().empty());
    }
    gInsertMode = kFalse;
    for (const char* focus : {"DestList", "picSign", "K4000_pct", "TNo_op"}) {
        SCOPED_TRACE(focus);
        gCurrentDest = 1;
        w.focus = focus;
        gTextModified = kTrue;
        ui.answers = {vbOK};  // the uncommitted edits may go
        LoadListEntry(true);
        EXPECT_EQ(gCurrentDest, 2);
        EXPECT_EQ(gChangeTime, 7);
        EXPECT_EQ(w.changeTime, "7");
        EXPECT_EQ(w.numberBox, "2");
        EXPECT_TRUE(w.blackout);
        EXPECT_EQ(nPrevDest, 2);
        EXPECT_EQ(gTextModified, kFalse);
        EXPECT_TRUE(w.Called("ResetCutTools"));
        w.Calls();
    }
    // Cancel to the question about uncommitted edits loads nothing.
    gCurrentDest = 1;
    testedit::HoldUnstoredEdit();
    ui.answers = {vbCancel};
    LoadListEntry(true);
    EXPECT_EQ(gCurrentDest, 1);
    EXPECT_FALSE(w.Called("ResetCutTools"));
}

TEST_F(EntryFlows, ADestinationLoadFillsEveryShownGraphicSignAndKeepsTheCurrentOne) {
    GraphicSign(2, 0);
    GraphicSign(5, 1);
    gCurrentSign = 5;
    Dest(1, 3, 2);
    Dest(2, 3, 2);
    w.row = 1;
    LoadListEntry(true);
    EXPECT_EQ(w.Calls(), (std::vector<std::string>{"SelectK4000Graphic 0", "ChangeAddress 0", "ChangeAddress 1",
                                                   "ChangeAddress 1", "FocusSignPicture", "ResetCutTools"}));
    EXPECT_EQ(gCurrentSign, 5);
    // The page options offer the pages of every shown sign (5 has none, 2
    // has two), and the changing texts show for them: box and frame.
    EXPECT_EQ(w.enabledOptions, 2);
    EXPECT_EQ(w.selectedOption, 1);
    EXPECT_TRUE(w.frameShown);
    EXPECT_TRUE(w.changingTexts);
    gCurrentSign = 2;
    LoadListEntry(true);
    EXPECT_EQ(w.enabledOptions, 2);
    EXPECT_TRUE(w.frameShown);
    // The same entry again keeps its page; another starts at page 1.
    gCurrentPage = 2;
    LoadListEntry(true);
    EXPECT_EQ(gCurrentPage, 2);
    w.row = 0;
    LoadListEntry(true);
    EXPECT_EQ(gCurrentPage, 1);
    w.Calls();
    // From a page option: only the current sign, the active sign kept.
    bKeepCurrentNumber = true;
    bCurrentSignOnly = true;
    LoadListEntry(true);
    EXPECT_EQ(w.Calls(), (std::vector<std::string>{"SelectK4000Graphic 1", "FocusSignPicture", "ResetCutTools"}));
    EXPECT_FALSE(bKeepCurrentNumber);
}

TEST_F(EntryFlows, ALineThatNamesNoDestinationSelectsTheLastLine) {
    Dest(1);
    Dest(2);
    gTextS98 = "Bad destination number!";
    w.row = -1;
    LoadListEntry(true);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, gTextS98);
    EXPECT_EQ(ui.messages[0].style, vbExclamation);
    EXPECT_EQ(gCurrentDest, 0);
    EXPECT_EQ(w.Calls(), std::vector<std::string>{"SelectListRow 1 1"});
}

TEST_F(EntryFlows, AnExtraTextLoadsIntoEverySignAndShowsItsNumberFirst) {
    GraphicSign(2, 0);
    GraphicSign(5, 1);
    gCurrentSign = 2;
    gDestListActive = kFalse;
    gExtraPerSign = kTrue;
    gExtraList[4].Text = "\xff" "S2# X";
    gExtraList[4].SignData = "\xff\x02";
    gExtraList[4].ChangeTime = 9;
    AddListLine(4, false);
    w.focus = "ExtraList";
    w.row = 0;
    nPrevDest = 4;
    LoadListEntry(false);
    EXPECT_EQ(gCurrentExtra, 4);
    EXPECT_EQ(w.changeTime, "9");
    EXPECT_EQ(w.numberBox, "4");
    // Every shown sign made active in turn, the current one again at the end;
    // the page options as the page count offers them.
    EXPECT_EQ(w.Calls(), (std::vector<std::string>{"SelectK4000Graphic 0", "ChangeAddress 0", "ChangeAddress 1",
                                                   "ChangeAddress 0", "FocusSignPicture", "ResetCutTools"}));
    EXPECT_EQ(w.enabledOptions, 1);
    EXPECT_EQ(w.selectedOption, 1);
    EXPECT_FALSE(w.frameShown);
    EXPECT_FALSE(w.blackout);
}

TEST_F(EntryFlows, SwitchingListsFollowsWithTheBoxesAndMenus) {
    gTextS60 = "Destination no.:";
    gTextS55 = "Destinations";
    gTextS92 = "Extra text no.:";
    gTextS93 = "Extra texts";
    gCurrentDest = 7;
    gCurrentExtra = 3;
    gCurrentPage = 4;
    gDefaultChangeTime = 5;
    gExtraPerSign = kTrue;
    gK1000Shown = kTrue;
    w.ticked["mnuTextDesttext"] = true;
    SwitchList(false);
    EXPECT_FALSE(w.destShown);
    EXPECT_EQ(w.captions, "Extra text no.:|Extra texts");
    EXPECT_EQ(w.maxLength, 3);
    EXPECT_EQ(gDestListActive, kFalse);
    EXPECT_TRUE(w.ticked["mnuTextExtratext"]);
    EXPECT_FALSE(w.ticked["mnuTextDesttext"]);
    EXPECT_FALSE(w.blackoutShown);
    EXPECT_EQ(w.numberBox, "3");
    EXPECT_EQ(gCurrentPage, 1);
    EXPECT_EQ(gChangeTime, 5);
    EXPECT_FALSE(w.enabled["mnuToolsShowtime"]);
    EXPECT_EQ(w.Calls(), (std::vector<std::string>{"SetListExtent 0 0", "ShowRouteNumberBox 0", "FocusSignPicture"}));
    // Again: the list state stays, the picture gets the focus again.
    w.numberBox.clear();
    SwitchList(false);
    EXPECT_EQ(w.numberBox, "");
    EXPECT_EQ(w.Calls(), (std::vector<std::string>{"ShowRouteNumberBox 0", "FocusSignPicture"}));

    SwitchList(true);
    EXPECT_TRUE(w.destShown);
    EXPECT_EQ(w.captions, "Destination no.:|Destinations");
    EXPECT_EQ(w.maxLength, 4);
    EXPECT_EQ(w.numberBox, "7");
    EXPECT_TRUE(w.blackoutShown);
    EXPECT_TRUE(w.enabled["Signs_e"]);
    EXPECT_TRUE(w.enabled["mnuToolsShowtime"]);
    EXPECT_EQ(w.Calls(), (std::vector<std::string>{"SetListExtent 1 20", "ShowRouteNumberBox 1", "FocusSignPicture"}));
    // While the window starts, the switch leaves the focus alone.
    gStartUp = kTrue;
    SwitchList(true);
    EXPECT_EQ(w.Calls(), std::vector<std::string>{"ShowRouteNumberBox 1"});
}

TEST_F(EntryFlows, ExtraTextsWithoutSectionsPerSignShowOneSign) {
    SignInfoOf(3).Model = "K2000_1R";
    GraphicSign(6, 1);
    GraphicSign(9, 2);
    gExtraPerSign = kFalse;
    w.ticked["mnuTextDesttext"] = true;
    SwitchList(false);
    EXPECT_EQ(gCurrentSign, 6);
    EXPECT_EQ(SignInfoOf(9).Shown, kFalse);
    EXPECT_EQ(SignInfoOf(6).Shown, kTrue);
    EXPECT_FALSE(w.enabled["Signconfig_e"]);
    EXPECT_FALSE(w.enabled["Signs_e"]);
    EXPECT_EQ(w.Calls(), (std::vector<std::string>{"UpdateToolbarState2", "UpdateSignControls 6",
                                                   "LayoutSignPictures 1 0", "ResetActivePicture",
                                                   "ChangeAddress 1", "SetListExtent 0 0", "FocusSignPicture"}));
    // Without a graphic sign the text sign is edited, in its line mode.
    SignInfoOf(6).Model = SignInfoOf(9).Model = "";
    w.ticked["mnuTextExtratext"] = false;
    SwitchList(false);
    EXPECT_EQ(gCurrentSign, 3);
    EXPECT_EQ(w.Calls(), (std::vector<std::string>{"UpdateToolbarState", "UpdateSignControls 3",
                                                   "LayoutSignPictures 1 0", "SetListExtent 0 0", "FocusStrip"}));
}

TEST_F(EntryFlows, OpenReadsTheChosenProjectAndShowsItsFirstSign) {
    const std::string project = Fixture("lines.txl");
    // A cancelled dialog leaves everything as it was.
    OpenDocument(nullptr, {});
    ASSERT_EQ(w.requests.size(), 1u);
    EXPECT_FALSE(w.requests[0].save);
    EXPECT_EQ(w.requests[0].title, "Open...");
    EXPECT_EQ(w.requests[0].filter, kProjectFilter);
    EXPECT_EQ(gDocumentPath, "");
    EXPECT_TRUE(w.Calls().empty());

    w.choices = {{false, project, 1}};
    gTextModified = kTrue;
    OpenDocument(nullptr, {});
    EXPECT_EQ(gDocumentPath, project);
    EXPECT_EQ(gOpenSavePath, dir.path());
    EXPECT_EQ(w.caption, DocumentCaption(project));
    EXPECT_EQ(DestList.ListCount(), 2);
    EXPECT_EQ(gCurrentDest, 3);
    EXPECT_EQ(w.numberBox, "3");
    EXPECT_EQ(gTextModified, kFalse);
    EXPECT_EQ(gRecentFiles[0].Path, project);
    // The first graphic sign becomes current and the only one shown, laid
    // out afresh and made active.
    EXPECT_EQ(gCurrentSign, 2);
    EXPECT_EQ(SignInfoOf(5).Shown, kFalse);
    EXPECT_EQ(w.Calls(), (std::vector<std::string>{"SetListExtent 1 326", "FocusSignPicture", "UpdateToolbarState2",
                                                   "UpdateSignControls 2", "SelectSign 2", "LayoutSignPictures 1 0",
                                                   "SelectK4000Graphic 0", "ResetActivePicture", "ChangeAddress 0",
                                                   "FocusSignPicture"}));

    // The save question of a modified project: Cancel keeps it open.
    gDocumentModified = kTrue;
    ui.answers = {vbCancel};
    bool saved = false;
    OpenDocument(&project, [&] { saved = true; });
    EXPECT_FALSE(saved);
    EXPECT_EQ(gDocumentModified, kTrue);
    EXPECT_TRUE(w.Calls().empty());
    // Yes saves first.
    ui.answers = {vbYes};
    OpenDocument(&project, [&] {
        saved = true;
        gDocumentModified = kFalse;
    });
    EXPECT_TRUE(saved);
    EXPECT_EQ(gDocumentPath, project);
}

TEST_F(EntryFlows, NewKeepsTheTemplatesSignsWithoutRecordsAndARecoveryStartsModified) {
    StageDataFolder();
    gStartUp = kTrue;
    InitDocument();
    EXPECT_EQ(gDocumentPath, "");
    EXPECT_EQ(gDocumentModified, kFalse);
    EXPECT_EQ(gCurrentSign, SignSelFirstRow());
    EXPECT_EQ(w.numberBox, "1");
    const std::string templateSign = SignInfoOf(gCurrentSign).Name;
    ASSERT_FALSE(templateSign.empty());

    // A project with records; New drops them and keeps the template's signs.
    gStartUp = kFalse;
    Dest(1);
    SignInfoOf(gCurrentSign).Name = "OTHER";
    w.Calls();
    NewDocument({});
    EXPECT_EQ(DestList.ListCount(), 0);
    EXPECT_TRUE(gDestList[1].Text.empty());
    EXPECT_EQ(SignInfoOf(gCurrentSign).Name, templateSign);
    EXPECT_EQ(w.caption, DocumentCaption(""));
    EXPECT_EQ(gCurrentDest, 1);
    EXPECT_TRUE(w.Called("LayoutSignPictures 1 0"));

    // At start, the auto-save file of an abnormal end is the project, under
    // the name it had.
    testutil::WriteFile(gAutoSaveFile, testutil::ReadFile(Fixture("lines.txl")));
    IniSetValue(gSettingsFile, "AutoSave", "FileName", "/p/lines.txl");
    gStartUp = kTrue;
    InitDocument();
    EXPECT_EQ(gDocumentModified, kTrue);
    EXPECT_EQ(gDocumentPath, "/p/lines.txl");
    EXPECT_EQ(w.caption, DocumentCaption("/p/lines.txl"));
    EXPECT_EQ(DestList.ListCount(), 2);
    EXPECT_EQ(gCurrentDest, 3);
    EXPECT_EQ(gAutoSaveNoticePending, kTrue);
}
