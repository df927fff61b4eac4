#include <gtest/gtest.h>

#include "data/ini.h"
#include "data/language.h"
#include "files/infoblock.h"
#include "files/outoptions.h"
#include "platform/reset.h"
#include "platform/vb.h"
#include "support/fake_ui.h"
#include "support/testutil.h"

using namespace kv;

TEST(OutOptions, NewDocumentDefaults) {
    gLineNumberOn = kTrue;
    gPromName = "Kept";
    gComrowMems = 4;
    gCommandFile = "x";
    InitOutFileDefaults();
    EXPECT_EQ(gCommandRowOn, 1);
    EXPECT_EQ(gFontSectionOn, 1);
    EXPECT_EQ(gComrowMems, 1);
    EXPECT_EQ(gControlInfoOn, 0);
    EXPECT_EQ(gRouteNumberSeq, " 0123456789ABCDEF");
    EXPECT_EQ(gRouteNumberStartIndex, 2);
    EXPECT_EQ(Mid(gRouteNumberSeq, gRouteNumberStartIndex, 1), "0");
    EXPECT_EQ(gCommandFile, "(EnglskTD.kcm)");
    // Options that only a project file sets are left alone.
    EXPECT_EQ(gLineNumberOn, kTrue);
    EXPECT_EQ(gPromName, "Kept");

    kv::ResetAllState();
    EXPECT_EQ(gLineNumberOn, 0);
    EXPECT_EQ(gPromName, "");
    EXPECT_EQ(gCommandRowOn, 1);
}

TEST(OutOptions, ProjectFileHelpers) {
    kv::ResetAllState();
    gPromName = "Prom";
    gAsciiName = "1234";
    struct Case {
        int16_t commandRow;
        int16_t version;
        const char* stored;
    } cases[] = {{1, 5, "Prom"}, {-1, 7, "Prom"}, {0, 5, "1234"}, {0, 4, "1234"}, {1, 4, "1234"}, {2, 0, "Prom"}};
    for (const Case& c : cases) {
        gCommandRowOn = c.commandRow;
        EXPECT_EQ(OutFileNameToStore(c.version), c.stored) << c.commandRow << "/" << c.version;
    }

    gCommandRowOn = 0;
    TakeStoredOutFileName("77");
    EXPECT_EQ(gAsciiName, "77");
    gCommandRowOn = 1;
    TakeStoredOutFileName("Name");
    EXPECT_EQ(gPromName, "Name");

    gCommandFile.clear();
    EXPECT_EQ(CommandFileToStore(), "(EnglskTD.kcm)");
    EXPECT_EQ(gCommandFile, "");
    gCommandFile = "D (a.kcm)";
    EXPECT_EQ(CommandFileToStore(), "D (a.kcm)");

    // After reading: fonts go with layout 1.5 only, whatever the file said.
    for (auto [row, fonts] : {std::pair<int16_t, int16_t>{1, -1}, {0, 0}, {2, 0}, {-1, 0}}) {
        gCommandRowOn = row;
        gFontSectionOn = 5;
        gCommandFile.clear();
        FinishOutOptionsAfterRead();
        EXPECT_EQ(gFontSectionOn, fonts) << row;
        EXPECT_EQ(gCommandFile, "(EnglskTD.kcm)");
    }
    kv::ResetAllState();
}

namespace {

class OutPrefsTest : public ::testing::Test {
protected:
    void SetUp() override {
        kv::ResetAllState();
        testutil::StageDataFolder(dir.path());
        testutil::WriteFile(dir.file("Test.kcm"), testutil::ReadFile(KIVAR_FIXTURE_DIR "/kcm/Test.kcm"));
        gDataPath = dir.path();
        gLanguageFile = dir.file("English.lng");
        gLanguage = "English";
        gTextS1 = "OK";
        gTextS2 = "Cancel";
        gTextS155 = "Insertmode disabled!";
        in.Signs[0] = {"K4000", 112, 16, "FRONT"};
        in.Signs[1] = {"K2000_1R", 16, 1, "SIDE"};
        in.Signs[2] = {"K1000", 3, 1, "ROUTE"};
        in.Signs[4] = {"K4000", 80, 16, "REAR"};
        gCommandFile = "English (EnglskTD.kcm)";
        gSignToShow = " 2: \"FRONT\", K4000";
        gPromName = "North";
        gFontSectionOn = kTrue;  // as a project read from a file has it
    }
    void TearDown() override { kv::ResetAllState(); }
    // Fill and show, as the menu command does.
    void Open() {
        InitOutFilePrefs(form, in);
        OutFilePrefs_FormActivate(form);
    }
    bool OK() { return OutFilePrefs_OK(form, in.Project); }

    testutil::TempDir dir;
    FakeUi ui;
    OutFilePrefsInput in;
    OutFilePrefsForm form;
};

}  // namespace

TEST_F(OutPrefsTest, OpensWithTheStartValues) {
    Open();
    EXPECT_EQ(form.Layout, 1);
    EXPECT_EQ(form.RouteNumberStartChar_TB, "0");
    EXPECT_EQ(form.RouteNumberSeq_TB, " 0123456789ABCDEF");
    EXPECT_EQ(form.ComrowMems_TB, "1");
    EXPECT_EQ(form.ControlInfo_CB.Value, 1);
    EXPECT_EQ(form.CommandRow_CB.Value, 0);
    EXPECT_TRUE(form.CommandRow_CB.Enabled);
    EXPECT_FALSE(form.CommandRow_F_Visible);
    EXPECT_TRUE(form.frm_00281_03_Visible);
    EXPECT_TRUE(form.lblFontIncl_Visible);
    EXPECT_TRUE(form.PromNameShown);
    EXPECT_EQ(form.txtPromName, "North");
    EXPECT_EQ(form.lblname, "Name in the out-file (text):");
    EXPECT_TRUE(form.chkBrisbane.Enabled);
    EXPECT_TRUE(form.chkExtra142.Enabled);
    EXPECT_EQ(form.Captions[""], "Out-file options");
    EXPECT_EQ(form.Captions["chkExtra142"], "&Extra texts per sign");
    EXPECT_EQ(form.Captions["chkBrisbane"], "Alphanumerical destinationnumbers");
    EXPECT_EQ(form.Captions["cmdOK"], "OK");
    EXPECT_TRUE(ui.messages.empty());

    // Signs to show: text and graphic signs only.
    EXPECT_EQ(form.SignToShowItems,
              (std::vector<std::string>{" 2: \"FRONT\", K4000", " 3: \"SIDE\", K2000_1R", " 6: \"REAR\", K4000"}));
    EXPECT_EQ(form.SignToShowText(), gSignToShow);
    EXPECT_EQ(form.LangFileItems,
              (std::vector<std::string>{"English (EnglskTD.kcm)", "Test set (Test.kcm)"}));
    EXPECT_EQ(form.LangFileText(), "English (EnglskTD.kcm)");

    // Unchanged values leave the project unmodified.
    EXPECT_TRUE(OK());
    EXPECT_EQ(in.Project.DocumentModified, 0);
    EXPECT_EQ(gCommandRowOn, 1);
    EXPECT_EQ(gFontSectionOn, kTrue);
    EXPECT_EQ(in.Project.TxlVersion, 5);
}

TEST_F(OutPrefsTest, SignToShowChoice) {
    struct Case {
        const char* stored;
        int16_t rearWidth;
        int expected;
    } cases[] = {
        {" 3: \"SIDE\", K2000_1R", 200, 1},  // the stored entry wins
        {"", 81, 2},                         // else the last wide graphic sign
        {"", 80, -1},
        {" 9: \"GONE\", K4000", 200, 2},
    };
    for (const Case& c : cases) {
        gSignToShow = c.stored;
        in.Signs[0].Width = 50;
        in.Signs[4].Width = c.rearWidth;
        Open();
        EXPECT_EQ(form.SignToShowIndex, c.expected) << c.stored << c.rearWidth;
    }
    // No text or graphic sign: an empty list and an empty choice on OK.
    in.Signs = {};
    in.Signs[2] = {"K1000", 3, 1, "ROUTE"};
    Open();
    EXPECT_TRUE(form.SignToShowItems.empty());
    EXPECT_TRUE(OK());
    EXPECT_EQ(gSignToShow, "");
    EXPECT_EQ(in.Project.DocumentModified, kTrue);
}

TEST_F(OutPrefsTest, ChangesMarkTheProject) {
    auto reopen = [&] {
        in.Project.DocumentModified = 0;
        Open();
    };
    reopen();
    form.ComrowMems_TB = "9";  // without own characters the box is not stored
    EXPECT_TRUE(OK());
    EXPECT_EQ(in.Project.DocumentModified, 0);
    EXPECT_EQ(gComrowMems, 1);

    reopen();
    SetCommandRow(form, 1);
    EXPECT_EQ(form.Layout, 2);
    EXPECT_TRUE(form.CommandRow_F_Visible);
    form.ComrowMems_TB = "9";
    EXPECT_TRUE(OK());
    EXPECT_EQ(in.Project.DocumentModified, kTrue);
    EXPECT_EQ(gComrowMems, 9);
    EXPECT_EQ(gControlInfoOn, 1);

    // Own characters: sequence and start character.
    reopen();
    EXPECT_EQ(form.Layout, 2);
    form.RouteNumberSeq_TB = "-0123456789";
    form.RouteNumberStartChar_TB = "1";
    EXPECT_TRUE(OK());
    EXPECT_EQ(in.Project.DocumentModified, kTrue);
    EXPECT_EQ(gRouteNumberSeq, "-0123456789");
    EXPECT_EQ(gRouteNumberStartIndex, 3);

    for (auto [text, value] : {std::pair{"12", 12}, {" 3 ", 3}, {"99999", 32767}, {"-4", -4}, {"2.5", 2}}) {
        reopen();
        form.ComrowMems_TB = text;
        EXPECT_TRUE(OK());
        EXPECT_EQ(gComrowMems, value) << text;
    }
    // Text that is no number is refused with a beep; nothing is stored.
    for (const char* text : {"abc", "", "1x", "--1", "."}) {
        reopen();
        form.ComrowMems_TB = text;
        form.txtPromName = "Changed";
        const int beeps = ui.beeps;
        EXPECT_FALSE(OK()) << text;
        EXPECT_EQ(ui.beeps, beeps + 1) << text;
        EXPECT_EQ(gComrowMems, 2) << text;
        EXPECT_EQ(gPromName, "North") << text;
        EXPECT_EQ(in.Project.DocumentModified, 0) << text;
    }

    // Name, command file, sign to show.
    reopen();
    form.txtPromName = "South   ";
    EXPECT_TRUE(OK());
    EXPECT_EQ(gPromName, "South");
    EXPECT_EQ(in.Project.DocumentModified, kTrue);
    reopen();
    form.LangFileIndex = 1;
    EXPECT_TRUE(OK());
    EXPECT_EQ(gCommandFile, "Test set (Test.kcm)");
    EXPECT_EQ(in.Project.DocumentModified, kTrue);
    reopen();
    form.SignToShowIndex = 2;
    EXPECT_TRUE(OK());
    EXPECT_EQ(gSignToShow, " 6: \"REAR\", K4000");
    EXPECT_EQ(in.Project.DocumentModified, kTrue);

    // The flag is only ever set, never cleared.
    in.Project.DocumentModified = kTrue;
    Open();
    EXPECT_TRUE(OK());
    EXPECT_EQ(in.Project.DocumentModified, kTrue);
}

TEST_F(OutPrefsTest, OldLayoutClearsTheLayoutOptions) {
    gLineNumberOn = kTrue;
    gControlInfoOn = 1;
    in.Project.ExtraPerSign = kTrue;
    gAsciiName = "12";
    Open();
    EXPECT_EQ(form.Layout, 2);
    EXPECT_FALSE(form.ControlInfo_CB.Enabled);  // locked by extra texts per sign
    EXPECT_FALSE(form.RouteNumberFieldsEnabled);
    SetExtra142(form, 0);
    EXPECT_TRUE(form.ControlInfo_CB.Enabled);
    SetControlInfo(form, 0);
    EXPECT_EQ(form.Layout, 0);
    EXPECT_FALSE(form.PromNameShown);
    EXPECT_EQ(form.txtAscii, "12");
    EXPECT_EQ(form.lblname, "Name in the out-file (digits):");
    EXPECT_FALSE(form.ControlInfo_F_Enabled);
    EXPECT_FALSE(form.frm_00281_03_Visible);
    EXPECT_FALSE(form.chkBrisbane.Enabled);
    EXPECT_FALSE(form.chkExtra142.Enabled);
    form.txtAscii = "4711";
    EXPECT_TRUE(OK());
    EXPECT_EQ(gCommandRowOn, 0);
    EXPECT_EQ(gFontSectionOn, 0);
    EXPECT_EQ(gControlInfoOn, 0);
    EXPECT_EQ(gLineNumberOn, 0);
    EXPECT_EQ(in.Project.ExtraPerSign, 0);
    EXPECT_EQ(gAsciiName, "4711");
    EXPECT_EQ(gPromName, "North");
    EXPECT_EQ(in.Project.DocumentModified, kTrue);

    // Shown again, the dialog opens in the old layout.
    Open();
    EXPECT_EQ(form.Layout, 0);
    EXPECT_EQ(form.ControlInfo_CB.Value, 0);
    EXPECT_FALSE(form.CommandRow_CB.Enabled);
    // Ticking it again offers layout 1.5.
    SetControlInfo(form, 1);
    EXPECT_EQ(form.Layout, 1);
    EXPECT_TRUE(form.PromNameShown);
    EXPECT_TRUE(OK());
    EXPECT_EQ(gCommandRowOn, 1);
    EXPECT_EQ(gFontSectionOn, kTrue);
}

TEST_F(OutPrefsTest, DestinationCodes) {
    gLineNumberOn = 0;
    in.Project.InsertMode = kTrue;
    Open();
    EXPECT_EQ(form.chkLinjeNummer.Value, 0);
    SetBrisbane(form, 1);
    EXPECT_EQ(form.ControlInfo_CB.Value, 1);
    EXPECT_FALSE(form.ControlInfo_CB.Enabled);
    EXPECT_EQ(form.chkLinjeNummer.Value, 1);
    EXPECT_FALSE(form.chkLinjeNummer.Enabled);
    EXPECT_FALSE(form.RouteNumberFieldsEnabled);
    SetBrisbane(form, 0);
    EXPECT_EQ(form.chkLinjeNummer.Value, 0);
    EXPECT_TRUE(form.chkLinjeNummer.Enabled);
    EXPECT_TRUE(form.ControlInfo_CB.Enabled);
    SetBrisbane(form, 1);
    EXPECT_TRUE(OK());
    EXPECT_EQ(in.Project.TxlVersion, 6);
    EXPECT_EQ(in.Project.DestCodesOn, kTrue);
    EXPECT_EQ(in.Project.InsertMode, kFalse);
    EXPECT_EQ(gLineNumberOn, kTrue);
    EXPECT_EQ(in.Project.DocumentModified, kTrue);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Insertmode disabled!");

    // With destinations in use the mode cannot change: version 7 keeps its flag.
    in.Project = {};
    in.Project.TxlVersion = 7;
    in.Project.DestCodesOn = kTrue;
    in.DestLastUsed = 12;
    Open();
    EXPECT_EQ(gOptionsDestCount, 12);
    EXPECT_EQ(form.chkBrisbane.Value, 1);
    EXPECT_FALSE(form.chkBrisbane.Enabled);
    EXPECT_TRUE(OK());
    EXPECT_EQ(in.Project.TxlVersion, 7);
    EXPECT_EQ(in.Project.DestCodesOn, kTrue);
    in.Project.DestCodesOn = 0;
    Open();
    EXPECT_EQ(form.chkBrisbane.Value, 0);
    EXPECT_TRUE(OK());
    EXPECT_EQ(in.Project.TxlVersion, 7);
    EXPECT_EQ(in.Project.DestCodesOn, 0);

    // Extra texts in use lock the per-sign option.
    in.ExtraLastUsed = 3;
    Open();
    EXPECT_FALSE(form.chkExtra142.Enabled);
}

TEST_F(OutPrefsTest, AFillDoesNotKeepAnEarlierProjectsChoices) {
    // A project with codes ticks and locks the route-number option...
    in.Project.TxlVersion = 6;
    in.Project.DestCodesOn = kTrue;
    gLineNumberOn = kTrue;
    Open();
    EXPECT_EQ(form.chkLinjeNummer.Value, 1);
    // ...the next project has neither; the box follows it.
    in.Project = {};
    gLineNumberOn = 0;
    Open();
    EXPECT_EQ(form.chkBrisbane.Value, 0);
    EXPECT_EQ(form.chkLinjeNummer.Value, 0);
    EXPECT_TRUE(form.chkLinjeNummer.Enabled);
    EXPECT_TRUE(OK());
    EXPECT_EQ(gLineNumberOn, 0);
    EXPECT_EQ(in.Project.DocumentModified, 0);
}

TEST_F(OutPrefsTest, StartCharacterChecks) {
    Open();
    struct Case {
        const char* start;
        const char* seq;
        bool ok;
    } cases[] = {{"0", " 0123456789ABCDEF", true}, {"F", " 0123456789ABCDEF", true}, {" ", " 01", true},
                 {"", " 01", false},   {"01", " 01", false}, {"Z", " 01", false}};
    for (const Case& c : cases) {
        ui.messages.clear();
        form.RouteNumberSeq_TB = c.seq;
        form.RouteNumberStartChar_TB = c.start;
        EXPECT_EQ(CheckRouteNumberStartChar(form), c.ok) << c.start;
        EXPECT_EQ(ui.messages.size(), c.ok ? 0u : 1u);
        if (!c.ok) {
            EXPECT_EQ(ui.messages[0].text, std::string("'") + c.start + "' is not a character of the sequence!");
            EXPECT_EQ(ui.messages[0].style, vbExclamation);
            EXPECT_EQ(form.RouteNumberStartChar_TB, "0");
        }
    }
    form.RouteNumberSeq_TB = "   ";
    ResetRouteNumberStartChar(form);
    EXPECT_EQ(form.RouteNumberStartChar_TB, "");

    // OK with a bad start character stores nothing and stays open.
    ui.messages.clear();
    SetCommandRow(form, 1);
    form.RouteNumberSeq_TB = "XYZ";
    form.RouteNumberStartChar_TB = "Q";
    form.txtPromName = "Other";
    EXPECT_FALSE(OK());
    EXPECT_EQ(form.RouteNumberStartChar_TB, "X");
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(gPromName, "North");
    EXPECT_EQ(gControlInfoOn, 0);
    EXPECT_EQ(in.Project.DocumentModified, 0);
    EXPECT_TRUE(OK());
    EXPECT_EQ(gRouteNumberSeq, "XYZ");
    EXPECT_EQ(gRouteNumberStartIndex, 1);

    // A stored start index outside the sequence opens with the check's message.
    gRouteNumberStartIndex = 0;
    ui.messages.clear();
    Open();
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(form.RouteNumberStartChar_TB, "X");
}

TEST_F(OutPrefsTest, LoadAndKeys) {
    gCommandRowOn = 0;
    gFontSectionOn = 0;
    gOutCfgLoaded = kTrue;
    OutFilePrefs_FormLoad();
    EXPECT_EQ(gCommandRowOn, 0);
    gOutCfgLoaded = 0;
    OutFilePrefs_FormLoad();
    EXPECT_EQ(gCommandRowOn, 1);
    EXPECT_EQ(gFontSectionOn, 1);

    for (int key : {int('0'), int('5'), int('9'), 8, 9}) EXPECT_TRUE(txtAscii_KeyPress(key)) << key;
    EXPECT_EQ(ui.beeps, 0);
    for (int key : {int('a'), int(' '), int('-'), 13}) EXPECT_FALSE(txtAscii_KeyPress(key)) << key;
    EXPECT_EQ(ui.beeps, 4);
}
