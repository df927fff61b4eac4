#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "data/inverted.h"
#include "engine/dotlayers.h"
#include "engine/graphictools.h"
#include "engine/transforms.h"
#include "platform/reset.h"
#include "support/fake_ui.h"
#include "support/graphics_state.h"
#include "support/testutil.h"

using namespace kv;
using testgfx::Art;
using testgfx::PutArt;

namespace {

constexpr int W = 10, H = 8;

class TransformsTest : public ::testing::Test {
protected:
    void SetUp() override { Fresh(); }
    void TearDown() override { kv::ResetAllState(); }
    void Fresh() {
        kv::ResetAllState();
        testgfx::MakeSign(W, H);
        head.ForgetPainting();
        ui.beeps = 0;
    }
    // The selection in dots: columns x1..x2 - 1, rows y1..y2 - 1.
    static void Select(int x1, int y1, int x2, int y2) {
        gSelX1 = static_cast<int16_t>(5 * x1);
        gSelY1 = static_cast<int16_t>(5 * y1);
        gSelX2 = static_cast<int16_t>(5 * x2);
        gSelY2 = static_cast<int16_t>(5 * y2);
        gAreaSelected = -1;
    }
    static std::vector<int> Sel() { return {gSelX1, gSelY1, gSelX2, gSelY2}; }
    void ExpectPictureMatchesLayer(const std::string& what) {
        for (const auto& [dot, lit] : head.painted)
            EXPECT_EQ(lit, GetGraphicPixel(0, dot.first, dot.second) != 0)
                << what << ": dot " << dot.first << "," << dot.second;
    }
    FakeUi ui;
    testgfx::FakeHead head;
};

// Two pictures side by side, line by line.
std::string SideBySide(const std::string& a, const std::string& b) {
    std::istringstream sa(a), sb(b);
    std::string la, lb, out;
    while (std::getline(sa, la) && std::getline(sb, lb)) out += la + "   " + lb + "\n";
    return out;
}

const std::vector<std::string> kPicture = {
    "..........",
    ".###......",
    ".#.#......",
    ".##.......",
    "..........",
    "......####",
    "......####",
    "..........",
};

TEST_F(TransformsTest, EveryTransformMatchesGolden) {
    struct Scenario {
        std::string name;
        std::vector<std::string> picture;
        std::function<void()> run;
    };
    const std::vector<std::string> letter = {
        "..........", ".###......", ".#........", ".##.......", ".#........", "..........",
    };
    std::vector<Scenario> scenarios = {
        {"clear the block (1,1)-(3,3), corners given reversed", kPicture,
         [] { Select(4, 4, 1, 1); ClearSelectionArea(); }},
        {"transparent move of the ring onto the lit block: the hole keeps what lies under it", kPicture,
         [] { Select(1, 1, 4, 4); MoveSelectedDots(30, 20, 0, 0); }},
        {"opaque move of the ring onto the lit block: the hole clears it", kPicture,
         [] { Select(1, 1, 4, 4); MoveSelectedDots(30, 20, -1, 0); }},
        {"copy: the ring stays and a copy lands beside it", kPicture,
         [] { Select(1, 1, 4, 4); MoveSelectedDots(20, -5, 0, -1); }},
        {"move past the right edge: columns beyond W+1 are lost", kPicture,
         [] { Select(6, 5, 10, 7); MoveSelectedDots(15, 0, 0, 0); }},
        {"move of 7 fifths moves the dots one column", kPicture,
         [] { Select(1, 1, 4, 4); MoveSelectedDots(7, 0, 0, 0); }},
        {"mirror top to bottom, five rows: rows 0-4 and 1-3 swap, 2 stays", letter,
         [] { Select(1, 1, 4, 6); MirrorVertically(); }},
        {"mirror top to bottom, four rows", letter,
         [] { Select(1, 1, 4, 5); MirrorVertically(); }},
        {"mirror left to right, three columns", letter,
         [] { Select(1, 1, 4, 5); MirrorHorizontally(); }},
        {"mirror left to right, four columns", letter,
         [] { Select(0, 1, 4, 5); MirrorHorizontally(); }},
        {"invert the block (0,0)-(4,4)", kPicture, [] { Select(0, 0, 5, 5); InvertGraphic(); }},
        {"rotate 90: a 3 x 2 block becomes 2 x 3; top-left to top-right, top-right to bottom-right",
         {"", ".#.#", ".#.."},
         [] { Select(1, 1, 4, 3); RotateGraphic(90); }},
        {"rotate 270: a 3 x 2 block becomes 2 x 3; top-left to bottom-left", {"", ".#.#", ".#.."},
         [] { Select(1, 1, 4, 3); RotateGraphic(270); }},
        {"rotate 90 near the bottom: only H - ys + 1 columns are kept", {"", "", "", "", "", ".######", ".#....#"},
         [] { Select(1, 5, 7, 7); RotateGraphic(90); }},
        {"rotate 270 near the right edge: the turned block is cut at column W", {"", "", "", "", "", "", "", "", },
         [] {
             PutArt(0, {"#.", "##", "#.", "##", "#.", "##", "#.", "##"}, 7, 0);
             Select(7, 0, 9, 8);
             RotateGraphic(270);
         }},
    };
    std::string out;
    for (const auto& s : scenarios) {
        Fresh();
        PutArt(0, s.picture);
        const std::string before = Art(0, W, H);
        s.run();
        ExpectPictureMatchesLayer(s.name);
        out += "## " + s.name + "\n" + SideBySide(before, Art(0, W, H)) + "\n";
    }
    std::string diff;
    EXPECT_TRUE(testutil::MatchesGolden("graphics/transforms.txt", out, &diff)) << diff;

    // Worked out by hand: the block of columns 1..3 and rows 1..2 holds
    // (1,1), (3,1) and (1,2). Turned by 90 degrees about its top-left dot it
    // is two columns wide and three rows high, and dot (u, v) of the block
    // goes to (1 - v, u): (0,0) to (1,0), (2,0) to (1,2), (0,1) to (0,0), so
    // the dots (2,1), (2,3) and (1,1) are lit and nothing else.
    Fresh();
    PutArt(0, {"", ".#.#", ".#.."});
    Select(1, 1, 4, 3);
    RotateGraphic(90);
    std::vector<std::pair<int, int>> lit;
    for (int x = 0; x <= W + 1; ++x)
        for (int y = 0; y <= H + 1; ++y)
            if (GetGraphicPixel(0, x, y)) lit.push_back({x, y});
    EXPECT_EQ(lit, (std::vector<std::pair<int, int>>{{1, 1}, {2, 1}, {2, 3}}));
}

TEST_F(TransformsTest, MoveCarriesTheSelectionAndItsFrame) {
    PutArt(0, kPicture);
    Select(1, 1, 4, 4);
    MoveSelectedDots(7, -3, 0, 0);
    EXPECT_EQ(Sel(), (std::vector<int>{12, 2, 27, 17}));  // fifths, not clamped
    EXPECT_EQ(head.frames, (std::vector<int32_t>{kBlack, kWhite}));
    EXPECT_EQ(gGraphicModified, -1);
    EXPECT_EQ(gHasGraphic, -1);
}

TEST_F(TransformsTest, RotationsKeepTheBlockAndReshapeTheSelection) {
    PutArt(0, {"", ".#..", ".##.", "", ""});
    const std::string start = Art(0, W, H);
    Select(1, 1, 4, 3);
    RotateGraphic(90);
    EXPECT_EQ(Sel(), (std::vector<int>{5, 5, 15, 20}));  // 2 wide, 3 high
    for (int i = 0; i < 3; ++i) RotateGraphic(90);
    EXPECT_EQ(Art(0, W, H), start);
    EXPECT_EQ(Sel(), (std::vector<int>{5, 5, 20, 15}));
    RotateGraphic(270);
    RotateGraphic(90);
    EXPECT_EQ(Art(0, W, H), start);
    // Without a shown selection the rectangle is left as it is.
    gAreaSelected = 0;
    RotateGraphic(90);
    EXPECT_EQ(Sel(), (std::vector<int>{5, 5, 20, 15}));
    // Other angles do nothing.
    const std::string now = Art(0, W, H);
    RotateGraphic(180);
    EXPECT_EQ(Art(0, W, H), now);
}

TEST_F(TransformsTest, InvertTwiceGivesTheBlockBack) {
    PutArt(0, kPicture);
    const std::string start = Art(0, W, H);
    Select(2, 1, 9, 7);
    InvertGraphic();
    EXPECT_NE(Art(0, W, H), start);
    InvertGraphic();
    EXPECT_EQ(Art(0, W, H), start);
    EXPECT_EQ(head.frames, (std::vector<int32_t>{kWhite, kWhite}));
}

TEST_F(TransformsTest, ThinAndEmptyBlocksLeaveTheLayerAlone) {
    struct Case {
        const char* what;
        int x1, y1, x2, y2;
        std::function<void()> run;
        int beeps;
    } cases[] = {
        {"mirror top to bottom, one row", 1, 1, 4, 2, [] { MirrorVertically(); }, 1},
        {"mirror left to right, one column", 1, 1, 2, 4, [] { MirrorHorizontally(); }, 1},
        {"mirror top to bottom, no rows", 1, 1, 4, 1, [] { MirrorVertically(); }, 1},
        {"mirror left to right, no columns", 2, 1, 2, 4, [] { MirrorHorizontally(); }, 1},
        {"rotate, no rows", 1, 3, 4, 3, [] { RotateGraphic(90); }, 0},
        {"rotate, no columns", 2, 1, 2, 4, [] { RotateGraphic(270); }, 0},
        {"invert, no columns", 2, 1, 2, 4, [] { InvertGraphic(); }, 0},
        {"clear, empty at the top-left corner", 0, 0, 0, 0, [] { ClearSelectionArea(); }, 0},
        {"clear, no rows at the top edge", 0, 0, 4, 0, [] { ClearSelectionArea(); }, 0},
        {"move, empty selection", 0, 0, 0, 0, [] { MoveSelectedDots(10, 10, -1, 0); }, 0},
    };
    for (const auto& c : cases) {
        Fresh();
        PutArt(0, {"##########", "##########", "##########", "##########", "##########"});
        const std::string start = Art(0, W, H);
        gGraphicModified = 0;
        Select(c.x1, c.y1, c.x2, c.y2);
        c.run();
        EXPECT_EQ(Art(0, W, H), start) << c.what;
        EXPECT_EQ(ui.beeps, c.beeps) << c.what;
    }
}

TEST_F(TransformsTest, TransformsThatChangeTheLayerSetTheFlags) {
    const std::function<void()> ops[] = {
        [] { ClearSelectionArea(); },        [] { MoveSelectedDots(5, 0, 0, 0); },
        [] { MirrorVertically(); },          [] { MirrorHorizontally(); },
        [] { InvertGraphic(); },             [] { RotateGraphic(90); },
    };
    int i = 0;
    for (const auto& op : ops) {
        Fresh();
        PutArt(0, kPicture);
        gGraphicModified = 0;
        gHasGraphic = 0;
        Select(1, 1, 4, 4);
        op();
        EXPECT_EQ(gGraphicModified, -1) << i;
        EXPECT_EQ(gHasGraphic, -1) << i;
        ++i;
    }
}

}  // namespace
