// The arithmetic of the sign pictures, the main window's state by sign model
// and the settings a document starts from.
#include <gtest/gtest.h>

#include "data/charmap.h"
#include "data/destcodes.h"
#include "data/fontlist.h"
#include "data/headmode.h"
#include "data/ini.h"
#include "data/language.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/dotlayers.h"
#include "engine/editstate.h"
#include "engine/render.h"
#include "engine/routenumber.h"
#include "engine/signpictures.h"
#include "app/docsettings.h"
#include "data/settings.h"
#include "app/signcontrols.h"
#include "platform/reset.h"
#include "platform/vb.h"
#include "support/fake_ui.h"
#include "support/testutil.h"

using namespace kv;

namespace {

class SignPictures : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }
    static void Reset() {
        kv::ResetAllState();
        gLineNoTableOn = kFalse;
    }
    static void Sign(int address, const std::string& model, int w, int h, bool shown, int zoom = 1,
                     const std::string& name = "") {
        SignInfo& s = SignInfoOf(address);
        s.Model = model;
        s.Width = static_cast<int16_t>(w);
        s.Height = static_cast<int16_t>(h);
        s.Shown = VbBool(shown);
        s.Zoom = zoom;
        s.DotSize = DotSizeOfZoom(zoom);
        s.Name = name.empty() ? "S" + std::to_string(address) : name;
    }
    FakeUi ui;
};

}  // namespace

TEST_F(SignPictures, ShownGraphicSignsInAddressOrder) {
    Sign(3, "K4000", 112, 16, true);
    Sign(5, "K2000_1R", 16, 1, true);
    Sign(7, "K4000", 96, 8, true);
    Sign(9, "K4000", 96, 8, false);
    EXPECT_EQ(ShownK4000Signs(), (std::vector<int16_t>{3, 7}));
    EXPECT_EQ(CountK4000Signs(), 2);
    SignInfoOf(3).GraphicIndex = 0;
    SignInfoOf(7).GraphicIndex = 1;
    EXPECT_EQ(FindK4000ByGraphic(0), 3);
    EXPECT_EQ(FindK4000ByGraphic(1), 7);
    EXPECT_EQ(FindK4000ByGraphic(2), 0);

    // A fourth shown graphic sign does not raise the count above three.
    Sign(9, "K4000", 96, 8, true);
    Sign(11, "K4000", 96, 8, true);
    EXPECT_EQ(ShownK4000Signs().size(), 4u);
    EXPECT_EQ(CountK4000Signs(), 3);
}

TEST_F(SignPictures, PictureSizeFollowsTheZoom) {
    struct Case {
        int zoom, width, height;
    } cases[] = {{0, 576, 96}, {1, 480, 80}, {2, 384, 64}, {3, 288, 48}, {4, 192, 32}, {9, 480, 80}};
    for (const Case& c : cases) {
        Sign(2, "K4000", 96, 16, true, c.zoom);
        EXPECT_EQ(SignGridSize(2), (PictureSize{c.width, c.height})) << "zoom " << c.zoom;
        // One pixel more each way: the gap after the last column and row.
        EXPECT_EQ(SignPictureSize(2), (PictureSize{c.width + 1, c.height + 1})) << "zoom " << c.zoom;
    }
    EXPECT_EQ(SignPictureSize(1), PictureSize{});
    EXPECT_EQ(SignGridSize(1), PictureSize{});
    EXPECT_EQ(LayoutZoom(1, false), 1);
    EXPECT_EQ(LayoutZoom(2, true), 1);
    EXPECT_EQ(LayoutZoom(2, false), 3);
}

TEST_F(SignPictures, FramesStandInRowsWithinTheWidth) {
    using Places = std::vector<FramePlace>;
    struct Case {
        const char* what;
        std::vector<FrameSize> frames;
        int32_t inner;
        Places places;
        int32_t width, height;
    };
    const Case cases[] = {
        {"one sign is centred", {{566, 105}}, 1008, {{221, 0}}, 1008, 110},
        {"one sign wider than the window starts at its left edge", {{1100, 60}}, 1008, {{0, 0}}, 1100, 65},
        {"several from x 5 with 5 between them", {{300, 73}, {300, 73}, {300, 73}}, 1008,
         {{5, 0}, {310, 0}, {615, 0}}, 1008, 78},
        {"500 and 400 in 800: the second goes below the first", {{500, 96}, {400, 96}}, 800, {{5, 0}, {5, 101}},
         800, 202},
        {"three of 582 in 1022: one to a row", {{582, 57}, {582, 57}, {582, 57}}, 1022, {{5, 0}, {5, 62}, {5, 124}},
         1022, 186},
        {"a row starts below the tallest frame of the row above", {{300, 40}, {300, 90}, {500, 40}}, 700,
         {{5, 0}, {310, 0}, {5, 95}}, 700, 140},
        {"the third shares the second row", {{600, 50}, {300, 50}, {300, 60}}, 700, {{5, 0}, {5, 55}, {310, 55}}, 700,
         120},
        {"a frame ending on the inner width stays in its row", {{300, 50}, {295, 50}}, 605, {{5, 0}, {310, 0}}, 605,
         55},
        {"a frame wider than the window stands alone in its row", {{300, 50}, {900, 50}, {100, 50}}, 800,
         {{5, 0}, {5, 55}, {5, 110}}, 905, 165},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const FrameRows rows = PlaceSignFrames(c.frames, c.inner);
        EXPECT_EQ(rows.places, c.places);
        EXPECT_EQ(rows.width, c.width);
        EXPECT_EQ(rows.height, c.height);
        // Whatever the sizes: every frame inside the area, no two overlapping.
        for (size_t i = 0; i < c.frames.size(); ++i) {
            const FramePlace& p = rows.places[i];
            EXPECT_GE(p.left, 0);
            EXPECT_LE(p.left + c.frames[i].width, rows.width);
            EXPECT_LE(p.top + c.frames[i].height, rows.height);
            for (size_t j = 0; j < i; ++j) {
                const FramePlace& q = rows.places[j];
                const bool apart = p.left >= q.left + c.frames[j].width || q.left >= p.left + c.frames[i].width ||
                                   p.top >= q.top + c.frames[j].height || q.top >= p.top + c.frames[i].height;
                EXPECT_TRUE(apart) << i << " " << j;
            }
        }
    }
    EXPECT_EQ(PlaceSignFrames({}, 800).height, 0);
}

TEST_F(SignPictures, PositionsInFifthsToDotsAndPixels) {
    EXPECT_EQ(DotOfFifths(12), 3);  // 12 / 5 + 1 = 3.4
    EXPECT_EQ(DotOfFifths(7), 2);
    EXPECT_EQ(DotOfFifths(0), 1);
    EXPECT_EQ(DotOfFifths(555), 112);
    EXPECT_EQ(OutlinePixel(27, 4), 26);
    EXPECT_EQ(OutlinePixel(2, 2), 1);
    EXPECT_EQ(OutlinePixel(22, 1), 9);
    // A click in the middle of the last dot of a 112-dot picture at pitch 5.
    EXPECT_EQ(PictureHitCoordinate(557.5, 560, 112), 558);
    EXPECT_EQ(PictureHitCoordinate(0, 560, 112), 0);
    EXPECT_EQ(PictureHitCoordinate(10, 0, 112), 0);
}

TEST_F(SignPictures, LitDotsOfBothLayers) {
    Sign(2, "K4000", 6, 4, true);
    gCurrentSign = 2;
    ResizeTextLayer(0, 7, 5);
    ResizeGraphicLayer(0, 11, 9);
    SetTextPixel(0, 0, 0, -1);
    SetGraphicPixel(0, 5, 3, -1);
    SetGraphicPixel(0, 7, 5, -1);   // on the layers' last column and row
    SetGraphicPixel(0, 10, 2, -1);  // beyond the text layer: not shown
    std::vector<std::pair<int, int>> lit;
    ForEachLitSignDot(0, [&](int32_t c, int32_t r) { lit.push_back({c, r}); });
    EXPECT_EQ(lit, (std::vector<std::pair<int, int>>{{1, 1}, {6, 4}, {8, 6}}));
}

TEST_F(SignPictures, CaptionsOfTheShownSigns) {
    Sign(2, "K4000", 112, 16, true, 1, "FRONT");
    Sign(4, "K2000_1R", 16, 1, false, 1, "SIDE");
    Sign(6, "K4000", 96, 8, true, 1, "REAR");
    SignInfoOf(6).RouteNoShown = kTrue;
    EXPECT_EQ(ShownSignNames(false), " FRONT, REAR");
    EXPECT_EQ(ShownSignNames(true), " REAR");
    Reset();
    EXPECT_EQ(ShownSignNames(false), "");
}

TEST_F(SignPictures, StripSizeOfTextSigns) {
    EXPECT_EQ(TextStripSize("K2000_1R", 12, 1).width, 357);
    EXPECT_EQ(TextStripSize("K2000_1R", 12, 1).height, 37);
    EXPECT_EQ(TextStripSize("K2000_1R", 16, 1).width, 477);
    EXPECT_EQ(TextStripSize("K2000_2R", 10, 12).width, 357);
    EXPECT_EQ(TextStripSize("K2000_2R", 10, 12).height, 79);
    EXPECT_EQ(TextStripSize("K4000", 112, 16).width, 0);
    // The items of the text-sign line mode: only "Delete all" is on.
    int on = 0;
    for (const TextSignModeItem& item : TextSignModeItems()) on += item.valueWhileOn;
    EXPECT_EQ(on, 1);
    EXPECT_STREQ(TextSignModeItems()[3].name, "cutALL_E");
}

TEST_F(SignPictures, FirstListedSignPrefersGraphicThenTextThenRouteNumberSigns) {
    EXPECT_EQ(FirstListedSign(), 0);
    Sign(4, "K1000", 3, 1, false);
    EXPECT_EQ(FirstListedSign(), 4);
    gLineNoTableOn = kTrue;  // route-number signs are not offered then
    EXPECT_EQ(FirstListedSign(), 0);
    gLineNoTableOn = kFalse;
    Sign(6, "K2000_2R", 10, 12, false);
    Sign(5, "K2000_1R", 16, 1, false);
    EXPECT_EQ(FirstListedSign(), 5);
    Sign(9, "K4000", 96, 8, false);
    Sign(12, "K4000", 96, 8, true);
    EXPECT_EQ(FirstListedSign(), 9);
}

TEST_F(SignPictures, PagesOfASignInTheCurrentRecord) {
    Sign(2, "K4000", 112, 16, true, 1, "FRONT");
    Sign(3, "K4000", 112, 16, true, 1, "REAR");
    gDestList[7].Text = "\xff" "FRONT# A# B# C\xff" "REAR# X";
    gCurrentDest = 7;
    gDestListActive = kTrue;
    gCurrentSign = 2;
    EXPECT_EQ(CountSignPages(-1), 3);
    EXPECT_EQ(CountSignPages(3), 1);
    gCurrentDest = 8;
    EXPECT_EQ(CountSignPages(-1), 0);
    // Extra texts without sections count their whole text.
    gDestListActive = kFalse;
    gCurrentExtra = 2;
    gExtraList[2].Text = "# A# B";
    gExtraPerSign = kFalse;
    EXPECT_EQ(CountSignPages(-1), 2);
    gExtraPerSign = kTrue;
    EXPECT_EQ(CountSignPages(-1), 0);
}

// ------------------------------------------------------------------ document settings

namespace {

class DocumentSettings : public ::testing::Test {
protected:
    void SetUp() override {
        kv::ResetAllState();
        gSettingsFile = dir.file("kivar.lib");
    }
    void TearDown() override {
        kv::ResetAllState();
        gAutoMode = 0;
        gShowLineNo = 0;
        gInsertMode = 0;
        gSaveWinPos = 0;
        gSettingsFile.clear();
        gLanguage.clear();
    }
    void Write(const std::vector<std::string>& lines) { testutil::WriteFile(gSettingsFile, testutil::CrLf(lines)); }
    testutil::TempDir dir;
    FakeUi ui;
};

}  // namespace

TEST_F(DocumentSettings, OneForwardRunOverGenerellAndAutoSave) {
    Write({"[Generell]", "Language=\"English\"", "Automatik=1", "ShowLineNO=1", "ChangeTime=25", "SaveWinPos=0",
           "InsertMode=-1", "", "[AutoSave]", "Enabled=sant", "Time=120.5", "FileName=\"C:\\p\\a.txl\"", "",
           "[Fonts]", "NoOfFonts=2", "Font01=\"  g <Symbols>\"", "Font02=\"* 1 Normal 07\"", "", "[Signs]",
           "MAXHEIGHT=16", "Start- and routenumber font for 7-height sign", "1,h", ""});
    ReadDocumentSettings();
    EXPECT_EQ(gLanguage, "English");
    EXPECT_EQ(gAutoMode, kTrue);
    EXPECT_EQ(gShowLineNo, 1);
    EXPECT_EQ(gDefaultChangeTime, 20);  // kept to 0..20
    EXPECT_EQ(gSaveWinPos, kFalse);
    EXPECT_EQ(gInsertMode, kTrue);
    EXPECT_EQ(gAutoSaveEnabled, kTrue);
    EXPECT_FLOAT_EQ(gAutoSaveTime, 120.5f);
    EXPECT_EQ(gAutoSaveName, "C:\\p\\a.txl");
    EXPECT_EQ(gFontCount, 2);
    EXPECT_EQ(DefaultStartFontOfHeight(7), "1");
    EXPECT_EQ(DefaultRouteNoFontOfHeight(7), "h");

    // A key out of order is not found, and neither are the keys of the run
    // after it.
    ResetIniState();
    Write({"[Generell]", "Language=\"English\"", "SaveWinPos=1", "Automatik=1", "ShowLineNO=0", "ChangeTime=3",
           "InsertMode=0", "", "[AutoSave]", "Enabled=1", "Time=60", "FileName=\"\"", ""});
    gSaveWinPos = 0;
    ReadDocumentSettings();
    EXPECT_EQ(gAutoMode, kTrue);
    EXPECT_EQ(gSaveWinPos, kFalse);
    EXPECT_EQ(gAutoSaveEnabled, kTrue);
    EXPECT_EQ(gAutoSaveName, "");
}

TEST_F(DocumentSettings, AutoSaveEnabledValues) {
    for (const char* on : {"-1", "1", "sant", "SANT", "True", "true"}) EXPECT_TRUE(AutoSaveEnabledValue(on)) << on;
    for (const char* off : {"yes", "0", "", "2", "falsk"}) EXPECT_FALSE(AutoSaveEnabledValue(off)) << off;
}

TEST_F(DocumentSettings, DefaultRouteNumberFontsPerAddress) {
    Write({"[Generell]", "Language=\"\"", "", "[DefaultRouteNoFonts]", "DefaultFonts=abc", ""});
    ReadDefaultRouteNoFonts();
    EXPECT_EQ(gDefaultRouteNoFonts, "abc" + std::string(12, 'h'));
    Write({"[DefaultRouteNoFonts]", "DefaultFonts=0123456789abcdefgh", ""});
    ReadDefaultRouteNoFonts();
    EXPECT_EQ(gDefaultRouteNoFonts, "0123456789abcde");

    // Absent: appended once, found on the next start.
    Write({"[Generell]", "Language=\"\"", ""});
    ReadDefaultRouteNoFonts();
    EXPECT_EQ(gDefaultRouteNoFonts, std::string(15, 'h'));
    ReadDefaultRouteNoFonts();
    const std::string file = testutil::ReadFile(gSettingsFile);
    EXPECT_EQ(file, testutil::CrLf({"[Generell]", "Language=\"\"", "", "", "[DefaultRouteNoFonts]",
                                    "DefaultFonts=hhhhhhhhhhhhhhh"}));
    EXPECT_TRUE(ui.messages.empty());
}
