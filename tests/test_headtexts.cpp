// The main window's texts: the runs over the language file, the built-in
// English texts and the toolbar tooltips.
#include <gtest/gtest.h>

#include <map>

#include "data/ini.h"
#include "data/language.h"
#include "data/startup.h"
#include "app/headtexts.h"
#include "platform/reset.h"
#include "support/fake_ui.h"
#include "support/testutil.h"

using namespace kv;

namespace {

class HeadTextsTest : public ::testing::Test {
protected:
    void SetUp() override {
        kv::ResetAllState();
        shipped = testutil::ReadFile(std::string(KIVAR_DATA_DIR) + "/English.lng");
        Use(shipped);
    }
    void TearDown() override {
        kv::ResetAllState();
    }
    // Installs a language file and loads the shared texts from it.
    void Use(const std::string& contents) {
        testutil::WriteFile(dir.file("lang.lng"), contents);
        gLanguage = "English";
        gLanguageFile = dir.file("lang.lng");
        LoadLanguageTexts();
    }
    // The shipped file without the line of one key.
    std::string Without(const std::string& key) {
        std::string out;
        size_t p = 0;
        while (p < shipped.size()) {
            size_t e = shipped.find("\r\n", p);
            std::string line = shipped.substr(p, e - p);
            if (line.rfind(key + "=", 0) != 0) out += line + "\r\n";
            p = e + 2;
        }
        return out;
    }
    std::string Key(const std::string& key) { return IniGetValue(gLanguageFile, gLanguage, key, kIniOpenClose); }
    std::map<std::string, std::string> Captions(const HeadTexts& t) {
        std::map<std::string, std::string> m;
        for (const auto& c : t.captions) m[c.control] = c.text;
        return m;
    }
    testutil::TempDir dir;
    std::string shipped;
    FakeUi ui;
};

}  // namespace

TEST_F(HeadTextsTest, ShippedFileGivesEveryCaption) {
    HeadTexts t = ReadHeadTexts();
    auto c = Captions(t);
    for (const auto& [control, text] : c) EXPECT_NE(text, "0") << control;
    const std::pair<const char*, const char*> sample[] = {
        {"mnuArkiv", "S3"},       {"mnuRedigera", "S10"},          {"lblBlackOut", "S51"},
        {"Ch_Frame", "S53"},      {"About_e", "S91"},              {"SaveAndNew", "S111"},
        {"mnuTools", "S139"},     {"mnuTransferIntelHex", "S148"}, {"mnuArkivImportFil2Dest", "S152"},
        {"mnuArkivImportEnBild", "S153"}, {"mnuArkivImportBilder", "S154"}, {"mnuToolsGenerateMBL", "S151"},
    };
    for (const auto& [control, key] : sample) EXPECT_EQ(c[control], Key(key)) << control;
    EXPECT_EQ(c["mnuArkivExportDest2Fil"], c["mnuArkivImportFil2Dest"]);
    EXPECT_EQ(c["Del_e"], gTextS13);
    EXPECT_EQ(c["\xC3\xB6_e"], gTextS89);
    EXPECT_EQ(c["lblChTime"], gTextS109);
    EXPECT_EQ(t.importTitle, Key("S143"));
    EXPECT_EQ(t.conversionReady, Key("S149"));
    EXPECT_EQ(t.insertModeTip, Key("S2207"));
    EXPECT_EQ(t.toolbarKeys[0], Key("tbTextMode"));
    EXPECT_EQ(t.toolbarKeys[15], Key("tbRotCCW"));
}

TEST_F(HeadTextsTest, AMissingKeyLosesTheRestOfItsRunOnly) {
    Use(Without("S10"));
    HeadTexts t = ReadHeadTexts();
    auto c = Captions(t);
    EXPECT_EQ(c["mnuSparasom"], Key("S7"));  // before the gap
    EXPECT_EQ(c["mnuRedigera"], "0");
    EXPECT_EQ(c["Cut_e"], "0");
    EXPECT_EQ(c["SaveAndNew"], "0");
    // Items with a built-in English text show it.
    EXPECT_EQ(c["mnuLayoutInvertera"], "Invert");
    EXPECT_EQ(c["mnuTools"], "&Tools");
    EXPECT_EQ(c["mnuTransferIntelHex"], "IntelHe&x...");
    EXPECT_EQ(c["mnuArkivImportFil2Dest"], "&Destination list...");
    EXPECT_EQ(c["mnuArkivExportDest2Fil"], "&Destination list...");
    EXPECT_EQ(t.conversionReady, "Conversion ready!");
    EXPECT_EQ(t.newDestNumber, "Enter new destnumber");
    EXPECT_EQ(t.importTitle, "0");
    // The keys read on their own and the toolbar run are not affected.
    EXPECT_EQ(c["mnuToolsGenerateMBL"], Key("S151"));
    EXPECT_EQ(t.toolbarKeys[5], Key("tbPoint"));
    EXPECT_EQ(t.insertModeTip, Key("S2207"));
}

TEST_F(HeadTextsTest, ImportCaptionFeedsTheExportItem) {
    Use(Without("S152"));
    auto c = Captions(ReadHeadTexts());
    EXPECT_EQ(c["mnuArkivImportFil2Dest"], "&Destination list...");
    EXPECT_EQ(c["mnuArkivExportDest2Fil"], "&Destination list...");
    EXPECT_EQ(c["mnuArkivImportEnBild"], "&Single bitmap...");
    EXPECT_EQ(c["mnuArkivImportBilder"], "&Multi bitmaps...");
    EXPECT_EQ(c["mnuTools"], Key("S139"));  // before the gap
}

TEST_F(HeadTextsTest, ToolbarTooltips) {
    HeadTexts t = ReadHeadTexts();
    std::map<int, std::string> tips;
    for (const auto& [button, tip] : ToolbarTooltips(t)) tips[button] = tip;
    EXPECT_EQ(tips.size(), 26u);
    EXPECT_EQ(tips[1], "New");
    EXPECT_EQ(tips[2], "Open...");
    EXPECT_EQ(tips[3], "Save");
    EXPECT_EQ(tips[8], "Print");
    EXPECT_EQ(tips[14], Key("S2207"));
    EXPECT_EQ(tips[16], "Expand more");
    EXPECT_EQ(tips[17], "Expand less");
    EXPECT_EQ(tips[18], "Invert");
    EXPECT_EQ(tips[35], "Invert");
    EXPECT_EQ(tips[38], "Delete");
    EXPECT_EQ(tips[5], Key("tbTextMode"));
    EXPECT_EQ(tips[37], Key("tbRotCCW"));
    for (int sep : {4, 7, 9, 13, 15, 19, 27, 32}) EXPECT_EQ(tips.count(sep), 0u) << sep;
    for (int dot : {28, 29, 30, 31}) EXPECT_EQ(tips.count(dot), 0u) << dot;
}

TEST(Toolbar, ThirtyEightButtonsWithThirtyImages) {
    const auto& b = ToolbarButtons();
    int pictures = 0;
    for (size_t i = 0; i < b.size(); ++i) {
        EXPECT_EQ(b[i].index, static_cast<int>(i) + 1);
        pictures += b[i].style != ToolbarButton::Separator;
    }
    EXPECT_EQ(pictures, 30);
    EXPECT_STREQ(b[13].key, "Automatik");
    EXPECT_EQ(b[13].style, ToolbarButton::Check);
    EXPECT_STREQ(b[22].key, "Sax");
    EXPECT_STREQ(b[37].key, "DeleteGraph");
    for (int i = 28; i <= 38; ++i) {
        const bool separator = b[i - 1].style == ToolbarButton::Separator;
        EXPECT_TRUE(separator || !b[i - 1].enabledAtStart) << i;
    }
}
