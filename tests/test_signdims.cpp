// The dimension lists of the settings file: reading them into the lists and
// the dimension table, inserting a dimension, rewriting [K4000] after a
// deletion, and the checks of the two dimension dialogs.
#include <gtest/gtest.h>

#include "app/dimdialogs.h"
#include "data/ini.h"
#include "data/language.h"
#include "data/signdims.h"
#include "platform/error.h"
#include "platform/paths.h"
#include "platform/reset.h"
#include "platform/safefile.h"
#include "platform/vb.h"
#include "support/fake_ui.h"
#include "support/signs_state.h"
#include "support/testutil.h"

using namespace kv;
using testutil::CrLf;

namespace {

// A settings file with every dimension section and a section after them.
const std::vector<std::string> kHead = {"[Generell]", "KivarPath=\"\"", ""};
const std::vector<std::string> kK4000 = {"[K4000]", "NoOfDimensions=3", "K4000.1=160 19, 3", "K4000.2=160 16, 2",
                                         "K4000.3=96 16, 4", ""};
const std::vector<std::string> kK1000 = {"[K1000]", "NoOfDimensions=2", "K1000.1=4", "K1000.2=3", ""};
const std::vector<std::string> kK2000_1R = {"[K2000_1R]", "NoOfDimensions=2", "K2000_1R.1=24", "K2000_1R.2=12", ""};
const std::vector<std::string> kK2000_2R = {"[K2000_2R]", "NoOfDimensions=2", "K2000_2R.1=20 20, 9", "K2000_2R.2=12 12",
                                            ""};
const std::vector<std::string> kTail = {"[Windows]", "frmSignConfig=1 2 3 4", ""};

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

class SignDims : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAllState();
        gTextS25 = " not found!";
        gSettingsFile = dir.file("kivar.lib");
    }
    void TearDown() override { ResetAllState(); }
    void Write(const std::vector<std::string>& lines) { testutil::WriteFile(gSettingsFile, CrLf(lines)); }
    std::string Settings() const { return testutil::ReadFile(gSettingsFile); }
    std::string Backup() const { return dir.file("kivar.tmp"); }
    // The dimension table as the dialog fills it at load.
    void LoadAll() {
        for (const char* m : kSignModels) InitSignCombo(m);
    }
    testutil::TempDir dir;
    FakeUi ui;
};

}  // namespace

TEST_F(SignDims, ListsAndTableComeFromTheSectionsInFileOrder) {
    Write({"[K4000]", "NoOfDimensions=4", "K4000.1=160 16, 2", "K4000.2= 112 16 , 9", "K4000.3=96 16", "K4000.4=84x8",
           "", "[K1000]", "NoOfDimensions=2", "K1000.1=04", "K1000.3=3", "", "[K2000_1R]", "NoOfDimensions=0",
           "K2000_1R.1=24", "", "[K2000_2R]", "NoOfDimensions=1", "K2000_2R.1=20+16, 5", ""});
    EXPECT_EQ(InitSignCombo("K4000"), (std::vector<std::string>{"160x16", "112x16", "96x16", "84x8"}));
    // A route-number value as stored; an absent entry reads as "0".
    EXPECT_EQ(InitSignCombo("K1000"), (std::vector<std::string>{"04", "0"}));
    // A count of 0 gives nothing and leaves the table as it was.
    EXPECT_TRUE(InitSignCombo("K2000_1R").empty());
    EXPECT_EQ(gDimCount, 6);
    EXPECT_EQ(InitSignCombo("K2000_2R"), (std::vector<std::string>{"20+16"}));
    EXPECT_TRUE(InitSignCombo("K5000").empty());
    ASSERT_EQ(gDimCount, 7);
    ASSERT_EQ(gDimTable.size(), 7u);
    const std::pair<const char*, int> table[] = {{"K4000:160x16", 2}, {"K4000:112x16", 9}, {"K4000:96x16", 7},
                                                 {"K4000:84x8", 7},   {"", 0},             {"", 0},
                                                 {"K2000_2R:20+16", 5}};
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(gDimTable[i].Key, table[i].first) << i;
        EXPECT_EQ(gDimTable[i].Value, table[i].second) << i;
    }
    EXPECT_EQ(GetDimDefault("K4000", "112x16"), 9);
    EXPECT_EQ(GetDimDefault("K4000", "112x1"), 7);
    EXPECT_EQ(GetDimDefault("K2000_2R", "20+16"), 5);
}

TEST_F(SignDims, AMissingSettingsFileIsRaised) {
    try {
        InitSignCombo("K4000");
        FAIL() << "no error";
    } catch (const FileNotFound& e) {
        EXPECT_EQ(e.what(), gSettingsFile + " not found!");
        EXPECT_EQ(e.style(), vbCritical);
    }
}

// 112x16 between 160x16 and 96x16: the section is renumbered, every other
// byte of the file stays, and the old file is kept as kivar.tmp.
TEST_F(SignDims, AddingADimensionInsertsItInOrderAndKeepsTheRest) {
    const std::vector<std::string> k4000 = {"[K4000]", "NoOfDimensions=2", "K4000.1=160 16, 2", "K4000.2=96 16, 4", ""};
    Write(Join({kHead, k4000, kK1000, kTail}));
    const std::string before = Settings();
    LoadAll();
    ASSERT_TRUE(AddSignDim("112x16", "K4000"));
    EXPECT_EQ(Settings(), CrLf(Join({kHead,
                                     {"[K4000]", "NoOfDimensions=3", "K4000.1=160 16, 2", "K4000.2=112 16, 7",
                                      "K4000.3=96 16, 4", ""},
                                     kK1000, kTail})));
    EXPECT_EQ(testutil::ReadFile(Backup()), before);
    EXPECT_TRUE(ui.messages.empty());

    // A second addition replaces the kept copy with the file it changes.
    const std::string second = Settings();
    ASSERT_TRUE(AddSignDim("96x16", "K4000"));
    EXPECT_EQ(testutil::ReadFile(Backup()), second);
}

TEST_F(SignDims, WhereANewDimensionGoes) {
    struct Case {
        const char* what;
        const char* model;
        const char* dimension;
        std::vector<std::string> section, expected;
    };
    const Case cases[] = {
        {"smaller than every entry: the last entry of the section, without an address", "K4000", "84x8", kK4000,
         {"[K4000]", "NoOfDimensions=4", "K4000.1=160 19, 3", "K4000.2=160 16, 2", "K4000.3=96 16, 4", "K4000.4=84 8",
          ""}},
        {"equal width: before the first lower height", "K4000", "160x17", kK4000,
         {"[K4000]", "NoOfDimensions=4", "K4000.1=160 19, 3", "K4000.2=160 17, 7", "K4000.3=160 16, 2",
          "K4000.4=96 16, 4", ""}},
        {"the same dimension again stands after the one there, with its address", "K4000", "160x19", kK4000,
         {"[K4000]", "NoOfDimensions=4", "K4000.1=160 19, 3", "K4000.2=160 19, 3", "K4000.3=160 16, 2",
          "K4000.4=96 16, 4", ""}},
        {"two rows: the new one and the one it moves on as they are", "K2000_2R", "16+16", kK2000_2R,
         {"[K2000_2R]", "NoOfDimensions=3", "K2000_2R.1=20 20, 9", "K2000_2R.2=16 16", "K2000_2R.3=12 12", ""}},
        {"an entry that stays gets its address", "K2000_2R", "8+8", kK2000_2R,
         {"[K2000_2R]", "NoOfDimensions=3", "K2000_2R.1=20 20, 9", "K2000_2R.2=12 12, 7", "K2000_2R.3=8 8", ""}},
        {"a one-number model compares the width", "K1000", "5", kK1000,
         {"[K1000]", "NoOfDimensions=3", "K1000.1=5", "K1000.2=4", "K1000.3=3", ""}},
        {"one-row widths", "K2000_1R", "16", kK2000_1R,
         {"[K2000_1R]", "NoOfDimensions=3", "K2000_1R.1=24", "K2000_1R.2=16", "K2000_1R.3=12", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Write(Join({kHead, c.section, kTail}));
        ClearDimTable();
        LoadAll();
        ASSERT_TRUE(AddSignDim(c.dimension, c.model));
        EXPECT_EQ(Settings(), CrLf(Join({kHead, c.expected, kTail})));
    }
}

TEST_F(SignDims, ASectionAtTheEndOrMissingGetsTheEntryWithItsAddress) {
    // The section runs to the end of the file.
    Write({"[Windows]", "[K2000_2R]", "NoOfDimensions=1", "K2000_2R.1=20 20, 9"});
    LoadAll();
    ASSERT_TRUE(AddSignDim("12+12", "K2000_2R"));
    EXPECT_EQ(Settings(), CrLf({"[Windows]", "[K2000_2R]", "NoOfDimensions=2", "K2000_2R.1=20 20, 9",
                                "K2000_2R.2=12 12, 7"}));
    // No section: it is made at the end of the file.
    ASSERT_TRUE(AddSignDim("96x16", "K4000"));
    EXPECT_EQ(Settings(), CrLf({"[Windows]", "[K2000_2R]", "NoOfDimensions=2", "K2000_2R.1=20 20, 9",
                                "K2000_2R.2=12 12, 7", "[K4000]", "NoOfDimensions=1", "K4000.1=96 16, 7", ""}));
    // The count line need not follow the header; lines of other keys and
    // comments stay where they are.
    Write({"[K1000]", "; route numbers", "NoOfDimensions=1", "Note=x", "K1000.1=3", "", "[Windows]"});
    ASSERT_TRUE(AddSignDim("4", "K1000"));
    EXPECT_EQ(Settings(), CrLf({"[K1000]", "NoOfDimensions=2", "; route numbers", "Note=x", "K1000.1=4", "K1000.2=3",
                                "", "[Windows]"}));
}

TEST_F(SignDims, RefusedDimensionsChangeNoFile) {
    Write(Join({kHead, kK4000, kK1000, kK2000_1R, kK2000_2R, kTail}));
    const std::string before = Settings();
    const std::pair<const char*, const char*> refused[] = {
        {"K4000", ""},        {"K4000", "112"},    {"K4000", "x16"},    {"K4000", "112x"},   {"K4000", "112 x16"},
        {"K4000", "176x16"},  {"K4000", "0x16"},   {"K4000", "112x6"},  {"K4000", "112x49"}, {"K4000", "-1x16"},
        {"K4000", "1e2x16"},  {"K4000", "11.5x16"}, {"K2000_2R", "20x20"}, {"K2000_2R", "20+0"}, {"K1000", "197"},
        {"K1000", "3a"},      {"K2000_1R", "0"},   {"K5000", "3"},      {"k4000", "96x16"},
    };
    for (const auto& [model, dimension] : refused) {
        EXPECT_FALSE(AddSignDim(dimension, model)) << model << " " << dimension;
        EXPECT_EQ(Settings(), before) << model << " " << dimension;
    }
    EXPECT_FALSE(FileExists(Backup()));
    EXPECT_TRUE(ui.messages.empty());
    // The largest accepted ones.
    EXPECT_TRUE(AddSignDim("175x48", "K4000"));
    EXPECT_TRUE(AddSignDim(" 1x7 ", "K4000"));
    EXPECT_TRUE(AddSignDim("196", "K1000"));
}

TEST_F(SignDims, AFailedWriteKeepsTheFileAndSaysSo) {
    Write(Join({kHead, kK4000, kTail}));
    const std::string before = Settings();
    SetSafeWriteFault([](SafeWriteStage s, const std::string&) { return s == SafeWriteStage::Write; });
    EXPECT_FALSE(AddSignDim("112x16", "K4000"));
    EXPECT_EQ(Settings(), before);
    EXPECT_FALSE(FileExists(Backup()));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("kivar.lib"), std::string::npos);
    // A missing file is reported too, and nothing is made.
    ui.messages.clear();
    RemoveFile(gSettingsFile);
    EXPECT_FALSE(AddSignDim("112x16", "K4000"));
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_FALSE(FileExists(gSettingsFile));
}

// Deleting: [K4000] is written anew with the kept dimensions and the address
// noted for each (7 when the table has none).
TEST_F(SignDims, DeletingRewritesTheGraphicSection) {
    Write(Join({kHead, kK4000, kK1000, kTail}));
    LoadAll();
    const std::string front = testsigns::SignLine("FRONT", "K4000", "160x19", "2");
    const std::string line = testsigns::SignLine("LINE", "K1000", "3", "5");
    // 160x19 is used; the one-row width 12 occurs in 112x16 and keeps it; a
    // route-number sign uses none.
    const std::string side = testsigns::SignLine("SIDE", "K2000_1R", "12", "3");
    const std::vector<std::string> items = {"160x19", "160x16", "112x16", "84x8"};
    DimDeleteOffer offer = BuildDimDeleteOffer({front, side, line}, items);
    EXPECT_EQ(offer.offered, (std::vector<std::string>{"160x16", "84x8"}));
    EXPECT_EQ(offer.inUse, (std::vector<bool>{true, false, true, false}));
    EXPECT_EQ(offer.listPos, (std::vector<int>{-1, 0, -1, 1}));

    const std::string before = Settings();
    EXPECT_FALSE(DeleteOfferedDims(offer, {false, false}));
    EXPECT_EQ(Settings(), before);

    ASSERT_TRUE(DeleteOfferedDims(offer, {true, false}));
    EXPECT_EQ(Settings(), CrLf(Join({kHead,
                                     {"[K4000]", "NoOfDimensions=3", "K4000.1=160 19, 3", "K4000.2=112 16, 7",
                                      "K4000.3=84 8, 7", ""},
                                     kK1000, kTail})));

    // Nothing used, everything deleted.
    offer = BuildDimDeleteOffer({line}, {"160x16", "160x19"});
    ASSERT_TRUE(DeleteOfferedDims(offer, {true, true}));
    EXPECT_EQ(Settings(), CrLf(Join({kHead, {"[K4000]", "NoOfDimensions=0", ""}, kK1000, kTail})));
    EXPECT_TRUE(BuildDimDeleteOffer({front}, {}).offered.empty());
}

TEST_F(SignDims, TheNewDimensionDialogChecksTheTypedNumbers) {
    const std::vector<std::string> list = {" 160x16 ", "96x16"};
    struct Case {
        const char *model, *width, *height;
        NewDimension::Check check;
        const char* dimension;
    };
    const Case cases[] = {
        {"K4000", "112 ", " 16", NewDimension::Ok, "112x16"},
        {"K4000", "175", "48", NewDimension::Ok, "175x48"},
        {"K4000", "1", "7", NewDimension::Ok, "1x7"},
        {"K4000", "112", "6", NewDimension::BadHeight, ""},
        {"K4000", "112", "49", NewDimension::BadHeight, ""},
        {"K4000", "0", "99", NewDimension::BadHeight, ""},  // the height is tested first
        {"K4000", "176", "16", NewDimension::BadWidth, ""},
        {"K4000", "0", "16", NewDimension::BadWidth, ""},
        {"K4000", "abc", "16", NewDimension::BadWidth, ""},
        {"K4000", "12.5", "16", NewDimension::BadWidth, ""},
        {"K4000", "-5", "16", NewDimension::BadWidth, ""},
        {"K4000", "112", "1 6a", NewDimension::BadHeight, ""},
        {"K4000", "160", "16", NewDimension::Listed, "160x16"},
        {"K4000", "9 6", "1 6", NewDimension::Listed, "96x16"},
        {"K2000_2R", "20", "16", NewDimension::Ok, "20+16"},
        {"K1000", "196", "", NewDimension::Ok, "196"},
        {"K1000", "197", "", NewDimension::BadWidth, ""},
    };
    for (const Case& c : cases) {
        const NewDimension d = CheckNewDimension(c.model, c.width, c.height, list);
        EXPECT_EQ(d.check, c.check) << c.model << " " << c.width << " " << c.height;
        if (d.check == NewDimension::Ok || d.check == NewDimension::Listed) {
            EXPECT_EQ(d.dimension, c.dimension);
        }
    }
    const NewDimension d = CheckNewDimension("K4000", " 1 12 ", " 16 ", list);
    EXPECT_EQ(d.width, "112");
    EXPECT_EQ(d.height, "16");
    std::string w, h;
    SplitDimension("K4000", "112x16", w, h);
    EXPECT_EQ(w + "|" + h, "112|16");
    SplitDimension("K1000", "3", w, h);
    EXPECT_EQ(w + "|" + h, "3|");
}

// The shipped settings list dimensions for every model, largest first, each
// one a dimension the lists accept.
TEST_F(SignDims, TheShippedListsStandLargestFirst) {
    gSettingsFile = KIVAR_DATA_DIR "/kivar.lib";
    for (const char* model : kSignModels) {
        SCOPED_TRACE(model);
        const std::vector<std::string> dims = InitSignCombo(model);
        ASSERT_FALSE(dims.empty());
        std::pair<double, double> previous{1e9, 1e9};
        for (const std::string& d : dims) {
            EXPECT_TRUE(IsValidDimension(model, d)) << d;
            std::string w, h;
            SplitDimension(model, d, w, h);
            const std::pair<double, double> size{Val(w), Val(h)};
            EXPECT_LE(size, previous) << d;
            previous = size;
        }
    }
    EXPECT_EQ(InitSignCombo("K1000"), std::vector<std::string>{"3"});
    const std::vector<std::string> graphic = InitSignCombo("K4000");
    EXPECT_EQ(graphic.front(), "175x32");
    EXPECT_EQ(graphic.back(), "84x7");
}
