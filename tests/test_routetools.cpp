// Route-number generation and super copy over the destination table, the
// sign lists of their dialog, the zoom dialog's choice and the fonts per
// sign height.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>

#include "app/defaultfonts.h"
#include "app/replace.h"
#include "app/routetools.h"
#include "app/signscale.h"
#include "data/fontlist.h"
#include "engine/render.h"
#include "files/txlread.h"
#include "support/entry_state.h"
#include "support/testutil.h"

using namespace kv;

namespace {

// The main window as the tools see it: the pictures laid out as the real
// window lays them out, and the replace question answered from a queue.
class ToolWindow : public RouteToolWindow {
public:
    explicit ToolWindow(testentry::Window& w) : window(w) {}
    void LayoutSigns() override {
        ++layouts;
        int16_t k = 0;
        for (int16_t a : ShownK4000Signs()) {
            SignInfo& s = SignInfoOf(a);
            s.GraphicIndex = k;
            ResizeGraphicLayer(k, s.Width + 5, s.Height + 5);
            ResizeUndoLayer(k, s.Width + 5, s.Height + 5);
            ++k;
        }
    }
    void TypeIntoGraphicSign(int16_t address) override {
        typedInto.push_back(address);
        gCurrentSign = address;
        window.active = -1;
        window.ChangeAddress(SignInfoOf(address).GraphicIndex, false, true);
        RefreshEditor(0, 0);
    }
    void TypeIntoRouteNumberSign(int16_t address) override { typedInto.push_back(address); }
    void RestoreSigns() override { ++restores; }
    int32_t ReplaceQuestion(const std::string& caption, const std::string& question) override {
        asked.push_back(caption + " / " + question);
        if (answers.empty()) return -1;
        const int32_t a = answers.front();
        answers.pop_front();
        return a;
    }
    void ShowCaption(const std::string& caption) override { captions.push_back(caption); }

    testentry::Window& window;
    std::deque<int32_t> answers;
    std::vector<std::string> asked, captions;
    std::vector<int16_t> typedInto;
    int layouts = 0, restores = 0;
};

void Configure(int16_t address, const std::string& name, const std::string& model, const std::string& dim) {
    SignEntry& e = gSignEntry[static_cast<size_t>(address - 2)];
    e.Name = name;
    e.Name.resize(8, ' ');
    e.Model = model;
    e.Model.resize(8, ' ');
    e.Dimension = dim;
    e.Dimension.resize(6, ' ');
    e.Used = kTrue;
}

class RouteTools : public ::testing::Test {
protected:
    void SetUp() override {
        testentry::ResetAll();
        // FRONT (2) is the master; LINE (9) a route-number sign, BACK (10) a
        // graphic sign at the end of the bus, REAR (5) another graphic sign.
        testentry::GraphicSign(2, "FRONT", 112, 16, 0);
        testentry::GraphicSign(5, "REAR", 48, 8, 1);
        testentry::GraphicSign(10, "BACK", 24, 8, 2);
        testentry::RouteNumberSign(9, "LINE");
        gK1000Shown = kFalse;
        SignInfoOf(10).Shown = kFalse;
        gDefaultRouteNoFont[8 - kMinFontHeight] = "i";
        gCurrentSign = 2;
        window.ChangeAddress(0, false, true);
        ReadCharMap("7");
        // Destination 1 and 3 carry route numbers on FRONT, 2 none; REAR
        // has a text in destination 3.
        Dest(1, "<L/12>CENTRUM", "\x01\x02");
        Dest(2, "HAMN", "\x03");
        Dest(3, "<L/7A>SKOLA", "\x04");
        SetDestSignField(3, 5, 1, "OLD");
        SetDestSection(3, 5, 1, "\x09");
        for (int16_t n = 1; n <= 3; ++n) AddListLine(n, true);
        gDocumentModified = kFalse;
    }
    void TearDown() override { testentry::ResetAll(); }
    static void Dest(int16_t n, const std::string& text, const std::string& data) {
        SetDestSignField(n, 2, 1, text);
        SetDestSection(n, 2, 1, data);
        gDestList[static_cast<size_t>(n)].Code = "000" + std::to_string(n);
    }

    testentry::Window window;
    testmarkup::Ui ui;
    ToolWindow tools{window};
};

TEST_F(RouteTools, GenerationWritesOnlyDestinationsWithARouteNumberAsAnswered) {
    struct Case {
        const char* what;
        std::deque<int32_t> answers;
        int questions;
        const char *line1, *line2, *line3;  // LINE's section afterwards
    };
    const Case cases[] = {
        {"yes to all", {kReplaceYesToAll}, 1, "\xffLINE# 12", "", "\xffLINE# 7A"},
        {"no to all", {kReplaceNoToAll}, 1, "", "", ""},
        {"yes, then no", {kReplaceYes, kReplaceNo}, 2, "\xffLINE# 12", "", ""},
        {"the question closed", {-1, -1}, 2, "", "", ""},
    };
    const auto before = gDestList;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        gDestList = before;
        tools.answers = c.answers;
        tools.asked.clear();
        gDocumentModified = kFalse;
        const int16_t shownBefore = SignInfoOf(5).Shown;
        OpenRouteTool();
        GenerateRouteNumbers(2, {9}, tools);
        ASSERT_EQ(static_cast<int>(tools.asked.size()), c.questions);
        EXPECT_EQ(tools.asked[0], "Sign 9, LINE / Destination 1 already exists, replace ?");
        EXPECT_EQ(testentry::TextOf(gDestList[1], 9), c.line1);
        EXPECT_EQ(testentry::TextOf(gDestList[2], 9), c.line2);
        EXPECT_EQ(testentry::TextOf(gDestList[3], 9), c.line3);
        // The route-number sign's data is its route number; the other signs
        // keep theirs.
        if (*c.line1) {
            EXPECT_EQ(testentry::DataOf(gDestList[1], 9), "\xff\x09" "12");
        }
        for (int16_t n = 1; n <= 3; ++n) {
            EXPECT_EQ(testentry::TextOf(gDestList[n], 2), testentry::TextOf(before[n], 2)) << n;
            EXPECT_EQ(testentry::DataOf(gDestList[n], 5), testentry::DataOf(before[n], 5)) << n;
        }
        EXPECT_EQ(gDocumentModified != 0, *c.line1 != 0);
        // The window as it was: shown signs, current sign, no forwarding.
        EXPECT_EQ(SignInfoOf(5).Shown, shownBefore);
        EXPECT_EQ(SignInfoOf(9).Shown, kTrue);
        EXPECT_EQ(gCurrentSign, 2);
        EXPECT_EQ(gK1000Shown, kFalse);
        EXPECT_EQ(gGeneratingRouteNumbers, kFalse);
    }
    EXPECT_EQ(tools.restores, 4);
}

TEST_F(RouteTools, GenerationTypesIntoAGraphicSignInItsRouteNumberFont) {
    OpenRouteTool();
    tools.answers = {kReplaceYesToAll};
    GenerateRouteNumbers(2, {10, 9}, tools);
    EXPECT_EQ(tools.typedInto, (std::vector<int16_t>{10, 9}));
    // Typed into BACK through the editor in the route-number font of its
    // height, committed as Save and new commits.
    const std::string back = testentry::TextOf(gDestList[1], 10);
    EXPECT_EQ(back, "\xff" "BACK# 12");
    EXPECT_EQ(testentry::TextOf(gDestList[3], 10), "\xff" "BACK# 7A");
    // The run's font command names the route-number font.
    const std::string data = testentry::DataOf(gDestList[1], 10);
    ASSERT_GE(data.size(), 8u);
    EXPECT_EQ(data[2 + 5], 'i') << data;
    EXPECT_EQ(testentry::TextOf(gDestList[2], 10), "");
    EXPECT_EQ(testentry::TextOf(gDestList[3], 9), "\xffLINE# 7A");
    // "Yes to all" held for the second target too.
    EXPECT_EQ(tools.asked.size(), 1u);
    // The list lines follow.
    EXPECT_NE(DestList.List(0).find("BACK# "), std::string::npos);
}

TEST_F(RouteTools, GenerationDoesNothingWhileTheExtraTextsAreActive) {
    gDestListActive = kFalse;
    const auto before = gDestList;
    GenerateRouteNumbers(2, {9}, tools);
    EXPECT_EQ(tools.layouts, 0);
    for (int16_t n = 1; n <= 3; ++n) EXPECT_EQ(gDestList[n].Text, before[n].Text);
}

TEST_F(RouteTools, SuperCopyCopiesEveryPageAndAsksOncePerDestination) {
    // FRONT of destination 1 gets a second page.
    SetDestSignField(1, 2, 2, "LINJE 12");
    SetDestSection(1, 2, 2, "\x05");
    const auto before = gDestList;

    struct Case {
        const char* what;
        std::deque<int32_t> answers;
        std::vector<int16_t> targets;
        const char* rear1;
        const char* rear3;
        bool modified;
        size_t messages;
    };
    const Case cases[] = {
        {"into an empty target without a question, then asked for destination 3", {kReplaceYes}, {5},
         "\xffREAR# <L/12>CENTRUM# LINJE 12", "\xffREAR# <L/7A>SKOLA", true, 0},
        {"no for destination 3 writes none of its pages", {kReplaceNo}, {5}, "\xffREAR# <L/12>CENTRUM# LINJE 12",
         "\xffREAR# OLD", true, 0},
        {"the master as a target is skipped", {kReplaceNoToAll}, {2, 5}, "\xffREAR# <L/12>CENTRUM# LINJE 12",
         "\xffREAR# OLD", true, 1},
        {"only the master: nothing written", {}, {2}, "", "\xffREAR# OLD", false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        gDestList = before;
        DestList.Clear();
        for (int16_t n = 1; n <= 3; ++n) AddListLine(n, true);
        tools.answers = c.answers;
        tools.asked.clear();
        ui.messages.clear();
        gDocumentModified = kFalse;
        OpenRouteTool();
        SuperCopy(2, c.targets, tools);
        EXPECT_EQ(testentry::TextOf(gDestList[1], 5), c.rear1);
        EXPECT_EQ(testentry::TextOf(gDestList[3], 5), c.rear3);
        if (*c.rear1) {
            int16_t page = 2, multi = 0;
            EXPECT_EQ(GetActiveRow(1, 5, page, multi), "\x05");
        }
        EXPECT_EQ(gDocumentModified != 0, c.modified);
        ASSERT_EQ(ui.messages.size(), c.messages);
        if (c.messages) {
            EXPECT_EQ(ui.messages[0].text, "Same address!");
            EXPECT_EQ(ui.messages[0].style, vbInformation);
        }
        // The list keeps its order, and its last line the highest number.
        if (c.modified) {
            EXPECT_EQ(DestList.ListCount(), 3);
            EXPECT_EQ(ListLineNumber(DestList.List(2)), 3);
        }
    }
    EXPECT_EQ(tools.captions.back(), "Super copy.... (5: 3)");
}

TEST_F(RouteTools, SuperCopyAnswerForTheFirstPageHoldsForEveryPageOfTheDestination) {
    // Destination 3 has two pages on FRONT, and REAR already holds text on
    // both of them: the question is asked once, and its answer decides both.
    SetDestSignField(3, 2, 2, "SKOLA 2");
    SetDestSection(3, 2, 2, "\x06");
    SetDestSignField(3, 5, 2, "OLD 2");
    SetDestSection(3, 5, 2, "\x0a");
    const auto before = gDestList;
    for (const int32_t answer : {kReplaceNo, kReplaceYes}) {
        SCOPED_TRACE(answer == kReplaceNo ? "no" : "yes");
        gDestList = before;
        DestList.Clear();
        for (int16_t n = 1; n <= 3; ++n) AddListLine(n, true);
        // A second answer would only be taken by a second question.
        tools.answers = {answer, kReplaceYes};
        tools.asked.clear();
        OpenRouteTool();
        SuperCopy(2, {5}, tools);
        ASSERT_EQ(tools.asked.size(), 1u);
        EXPECT_EQ(tools.asked[0], "Sign 5, REAR / Destination 3 already exists, replace ?");
        int16_t page1 = 1, page2 = 2, multi = 0;
        if (answer == kReplaceNo) {
            EXPECT_EQ(gDestList[3].Text, before[3].Text);
            EXPECT_EQ(gDestList[3].SignData, before[3].SignData);
            EXPECT_EQ(GetActiveRow(3, 5, page1, multi), "\x09");
            EXPECT_EQ(GetActiveRow(3, 5, page2, multi), "\x0a");
        } else {
            EXPECT_EQ(testentry::TextOf(gDestList[3], 5), "\xffREAR# <L/7A>SKOLA# SKOLA 2");
            EXPECT_EQ(GetActiveRow(3, 5, page1, multi), "\x04");
            EXPECT_EQ(GetActiveRow(3, 5, page2, multi), "\x06");
        }
        // FRONT itself is never touched.
        EXPECT_EQ(testentry::TextOf(gDestList[3], 2), testentry::TextOf(before[3], 2));
        EXPECT_EQ(testentry::DataOf(gDestList[3], 2), testentry::DataOf(before[3], 2));
    }
}

TEST_F(RouteTools, SuperCopyPageTexts) {
    const std::string one = "\xff" "FRONT# A# B";
    EXPECT_EQ(SuperCopyPageText(one, 1, 1), "A# B");
    const std::string three = "\xff" "FRONT# A# B# C";
    EXPECT_EQ(SuperCopyPageText(three, 1, 3), "A");
    EXPECT_EQ(SuperCopyPageText(three, 2, 3), "B");
    EXPECT_EQ(SuperCopyPageText(three, 3, 3), "C");
    EXPECT_EQ(SuperCopyPageText("\xff" "FRONT#A", 1, 1), "");
}

TEST_F(RouteTools, TheSignListsOfEachMode) {
    gLanguage = "English";
    gLanguageFile = std::string(KIVAR_DATA_DIR) + "/English.lng";
    Configure(2, "FRONT", "K4000", "112x16");
    Configure(5, "REAR", "K4000", "48x8");
    Configure(9, "LINE", "K1000", "3");
    Configure(10, "BACK", "K4000", "24x8");
    SignInfoOf(4).Model = "K4000";  // configured but not used: not listed

    gSuperCopyMode = kFalse;
    RouteToolLists g = RouteToolSignLists();
    ASSERT_EQ(g.targets.size(), 2u);
    EXPECT_EQ(g.targets[0].line, "9\tLINE    \t3     ");
    EXPECT_EQ(g.targets[1].address, 10);
    ASSERT_EQ(g.masters.size(), 2u);
    EXPECT_EQ(g.masters[0].line, "2    FRONT      112x16");
    EXPECT_EQ(g.masters[1].address, 5);
    EXPECT_TRUE(g.targetsSelected);
    EXPECT_EQ(RouteToolCaptions().caption, LangText("S2900", "Generate routenumbers"));

    gSuperCopyMode = kTrue;
    RouteToolLists c = RouteToolSignLists();
    std::vector<int16_t> targets, masters;
    for (const RouteToolSign& s : c.targets) targets.push_back(s.address);
    for (const RouteToolSign& s : c.masters) masters.push_back(s.address);
    EXPECT_EQ(targets, (std::vector<int16_t>{2, 5, 10}));
    EXPECT_EQ(masters, (std::vector<int16_t>{2, 5, 10}));
    EXPECT_FALSE(c.targetsSelected);
    EXPECT_EQ(RouteToolCaptions().from, "Copy text from sign:");
}

TEST_F(RouteTools, TheZoomDialogStartsFromTheSignsZoomAndOkStoresTheChoice) {
    SignInfo& s = SignInfoOf(2);
    for (auto [zoom, start] : {std::pair<int32_t, int16_t>{0, 0}, {1, 1}, {4, 4}, {7, 0}}) {
        s.Zoom = zoom;
        EXPECT_EQ(SignScaleStart(), start) << zoom;
    }
    for (auto [chosen, dotSize] : {std::pair<int16_t, int16_t>{3, 2}, {1, 4}, {4, 1}, {0, 5}}) {
        const int painted = window.shown;
        ApplySignScale(chosen);
        EXPECT_EQ(s.Zoom, chosen);
        EXPECT_EQ(s.DotSize, dotSize);
        EXPECT_EQ(window.shown, painted + 1);
    }
    // A selected area keeps its frame on the picture.
    gAreaSelected = kTrue;
    gEditorActive = 2;
    window.frames.clear();
    ApplySignScale(2);
    EXPECT_EQ(window.frames, (std::vector<int32_t>{0xFFFFFF}));

    // The sample: every lit dot as the picture paints it at that zoom.
    SetGraphicPixel(0, 0, 0, kTrue);
    SetGraphicPixel(0, 3, 1, kTrue);
    for (int16_t zoom = 1; zoom <= 4; ++zoom) {
        std::vector<std::array<int32_t, 4>> rects;
        ForEachSampleRect(zoom, [&](int32_t x1, int32_t y1, int32_t x2, int32_t y2) { rects.push_back({x1, y1, x2, y2}); });
        std::vector<std::array<int32_t, 4>> expected;
        for (auto [col, row] : {std::pair<int, int>{1, 1}, {4, 2}}) {
            const DotShape d = DotShapeAt(col, row, zoom);
            for (int i = 0; i < d.count; ++i) expected.push_back({d.rects[i].x1, d.rects[i].y1, d.rects[i].x2, d.rects[i].y2});
        }
        EXPECT_EQ(rects, expected) << zoom;
    }
}

class DefaultFonts : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAllState();
        gSettingsFile = dir.file("kivar.lib");
        testutil::WriteFile(gSettingsFile, testutil::ReadFile(std::string(KIVAR_DATA_DIR) + "/kivar.lib"));
        ReadSignFontSection();
        gFontCount = 3;
        gFontList = {"", "1 Normal 07", "7 Normal 16", "e Route no. 16"};
    }
    void TearDown() override { ResetAllState(); }
    testutil::TempDir dir;
    FakeUi ui;
};

TEST_F(DefaultFonts, OkRewritesTheSectionOnlyWhenAPairChanged) {
    const std::string original = testutil::ReadFile(gSettingsFile);
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    std::filesystem::last_write_time(gSettingsFile, old);

    DefaultFontsWork w = LoadDefaultFontsWork();
    EXPECT_EQ(w.Start(16), "7");
    EXPECT_EQ(w.Route(16), "e");
    EXPECT_FALSE(SaveDefaultFonts(w));
    EXPECT_EQ(std::filesystem::last_write_time(gSettingsFile), old);

    // Height 16 takes the route-number font 1: that one line changes, every
    // other byte stays.
    w.Route(16) = "1";
    ASSERT_TRUE(SaveDefaultFonts(w));
    std::string expected = original;
    const std::string pair = "Start- and routenumber font for 16-height sign\r\n7,e\r\n";
    const size_t at = expected.find(pair);
    ASSERT_NE(at, std::string::npos);
    expected.replace(at, pair.size(), "Start- and routenumber font for 16-height sign\r\n7,1\r\n");
    EXPECT_EQ(testutil::ReadFile(gSettingsFile), expected);
    EXPECT_EQ(DefaultRouteNoFontOfHeight(16), "1");
    EXPECT_TRUE(ui.messages.empty());

    EXPECT_EQ(FontListEntryOf("e"), 3);
    EXPECT_EQ(FontListEntryOf("x"), 0);
    const std::vector<std::string> heights = FontDialogHeights();
    ASSERT_EQ(heights.size(), 26u);
    EXPECT_EQ(heights.front(), "07");
    EXPECT_EQ(heights.back(), "32");
    EXPECT_EQ(DefaultFontsHint("Height", "&Save"),
              "Select height to change font, save the changes by clicking 'Save'");
}

}  // namespace
