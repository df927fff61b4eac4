// What the preferences read when they open: stored values the controls
// cannot hold, the auto-save minutes, the insert box by project format, and
// the print bits.
#include <gtest/gtest.h>

#include "app/docsettings.h"
#include "app/preferences.h"
#include "data/destcodes.h"
#include "data/ini.h"
#include "data/language.h"
#include "data/startup.h"
#include "platform/paths.h"
#include "platform/reset.h"
#include "platform/vb.h"
#include "support/fake_ui.h"
#include "support/testutil.h"

using namespace kv;

namespace {

class PreferencesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAllState();
        testutil::StageDataFolder(dir.path());
        SetProgramFolder(dir.path());
        ReadStartSettings([] { StoreLanguageChoice("English"); });
    }
    void TearDown() override { ResetAllState(); }
    void Printer(const std::string& key, const IniValue& v) { ASSERT_TRUE(IniSetValue(gSettingsFile, "Printer", key, v)); }

    testutil::TempDir dir;
    FakeUi ui;
};

}  // namespace

TEST(PreferencesValues, AutoSaveMinutesRoundHalvesToEven) {
    const std::pair<float, int16_t> cases[] = {{0, 1},     {30, 1},   {60, 1},   {61, 1},    {90, 2},
                                               {150, 2},   {210, 4},  {300, 5},  {3600, 60}, {7200, 60}};
    for (const auto& [seconds, minutes] : cases) EXPECT_EQ(AutoSaveMinutesShown(seconds), minutes) << seconds;
}

TEST(PreferencesValues, PrintBitsAndHeader) {
    // Bit 2 is stored inverted: its box means an empty line between pages.
    const PrintFlags f = PrintFlagsOf(4 | 16);
    EXPECT_TRUE(f[kCompact]);
    EXPECT_TRUE(f[kUserInfo]);
    EXPECT_TRUE(f[kTrimLeft]);
    EXPECT_FALSE(f[kEmptyLines]);
    for (int16_t bits : {0, 2, 4, 5, 127}) EXPECT_EQ(PrintPreferencesOf(PrintFlagsOf(bits)), bits) << bits;
    EXPECT_EQ(HeaderOf(false, false, true, false), 4);
    EXPECT_EQ(HeaderOf(true, true, true, true), 15);
}

TEST_F(PreferencesTest, StoredValuesAreTakenAsTheControlsShowThem) {
    ASSERT_TRUE(IniSetValue(gSettingsFile, "Generell", "ChangeTime", 0));
    Printer("PaperWidth", 0);
    Printer("PaperStartPos", 0);
    Printer("PaperEndPos", 0);
    Printer("Orientation", 0);
    Printer("LineNoOption", 7);
    Printer("PrintGraphicalFC", "0");
    Printer("PrintGraphicalBC", "0");
    PreferencesStart s = ReadPreferences();
    EXPECT_EQ(s.changeTime, 3);
    EXPECT_EQ(s.paperWidth, 10);
    EXPECT_TRUE(s.paperWidthClamped);
    EXPECT_EQ(s.paperStartPos, 1);
    EXPECT_EQ(s.paperEndPos, 2);
    EXPECT_EQ(s.orientation, 1);
    EXPECT_EQ(s.lineNoOption, 0);
    EXPECT_EQ(s.foreColour, 0);
    EXPECT_EQ(s.backColour, 0xFFFFFF);

    ASSERT_TRUE(IniSetValue(gSettingsFile, "Generell", "ChangeTime", 25));
    Printer("PaperWidth", 1200);
    Printer("PaperStartPos", 50);
    Printer("PaperEndPos", 1500);
    Printer("PrintGraphicalBC", "255");
    s = ReadPreferences();
    EXPECT_EQ(s.changeTime, 20);
    EXPECT_EQ(s.paperWidth, 999);
    EXPECT_EQ(s.paperStartPos, 50);
    EXPECT_EQ(s.paperEndPos, 1500);  // the end bar's maximum is raised to it
    EXPECT_EQ(s.backColour, 255);
}

TEST_F(PreferencesTest, InsertBoxByProjectFormat) {
    gInsertMode = kTrue;
    struct Case {
        int16_t version, codes;
        bool enabled;
    };
    for (const Case& c : {Case{5, kTrue, true}, Case{6, kFalse, false}, Case{7, kFalse, true}, Case{7, kTrue, false}}) {
        gTxlVersion = c.version;
        gDestCodesOn = c.codes;
        const PreferencesStart s = ReadPreferences();
        EXPECT_EQ(s.insertBoxEnabled, c.enabled) << c.version << " " << c.codes;
        EXPECT_EQ(s.insertBox, c.enabled ? 1 : 0) << c.version << " " << c.codes;
    }
}

TEST_F(PreferencesTest, PrintingCaptionsOnlyWhenThePageIsOffered) {
    auto has = [](const std::vector<PreferencesCaption>& captions, const std::string& control) {
        for (const auto& c : captions)
            if (c.control == control) return true;
        return false;
    };
    EXPECT_TRUE(has(PreferencesCaptions(true), "fraPrintResult"));
    const auto without = PreferencesCaptions(false);
    EXPECT_FALSE(has(without, "fraPrintResult"));
    // The texts after the printing page's keys are still found in the one pass.
    for (const auto& c : without) {
        if (c.control == "fraAutoSave") {
            EXPECT_EQ(c.text, "Auto-save");
        }
    }
    ASSERT_TRUE(IniSetValue(gSettingsFile, "Generell", "PrintTextFormat145", "1"));
    EXPECT_FALSE(ReadPreferences().printingOffered);
}
