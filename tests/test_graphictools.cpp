#include <gtest/gtest.h>

#include <functional>

#include "data/inverted.h"
#include "engine/dotlayers.h"
#include "engine/graphictools.h"
#include "platform/reset.h"
#include "support/fake_ui.h"
#include "support/graphics_state.h"
#include "support/testutil.h"

using namespace kv;
using testgfx::Art;
using testgfx::PutArt;

namespace {

constexpr int W = 12, H = 9;

class GraphicToolsTest : public ::testing::Test {
protected:
    void SetUp() override { Fresh(); }
    void TearDown() override { kv::ResetAllState(); }
    void Fresh() {
        kv::ResetAllState();
        testgfx::MakeSign(W, H);
        head.ForgetPainting();
    }
    void FillSign() {
        for (int x = 0; x <= W + 5; ++x)
            for (int y = 0; y <= H + 5; ++y) SetGraphicPixel(0, x, y, -1);
    }
    // Every dot painted on the picture shows what the layer holds.
    void ExpectPictureMatchesLayer(const std::string& what) {
        for (const auto& [dot, lit] : head.painted)
            EXPECT_EQ(lit, GetGraphicPixel(0, dot.first, dot.second) != 0)
                << what << ": dot " << dot.first << "," << dot.second;
    }
    // A line or rectangle end point as the picture handlers store it.
    static void Ends(int xa, int ya, int xb, int yb) {
        gSelX1 = static_cast<int16_t>(5 * xa + 2);
        gSelY1 = static_cast<int16_t>(5 * ya + 2);
        gSelX2 = static_cast<int16_t>(5 * xb + 2);
        gSelY2 = static_cast<int16_t>(5 * yb + 2);
    }
    static void At(int x, int y) {
        gSelX1 = static_cast<int16_t>(5 * x);
        gSelY1 = static_cast<int16_t>(5 * y);
    }
    FakeUi ui;
    testgfx::FakeHead head;
};

struct Scenario {
    std::string name;
    std::function<void()> run;
};

TEST_F(GraphicToolsTest, EveryToolNearTheEdgesMatchesGolden) {
    std::vector<Scenario> scenarios;
    const std::pair<int, int> spots[] = {{0, 0}, {W - 1, 0}, {6, 4}, {0, H - 1}, {W - 1, H - 1}};
    for (int16_t pen = 0; pen <= 3; ++pen) {
        scenarios.push_back({"point pen " + std::to_string(pen) + " button 1 at the corners and (6,4)", [=] {
                                 gPenSize = pen;
                                 for (auto [x, y] : spots) {
                                     At(x, y);
                                     DrawGraphicPoint(1);
                                 }
                             }});
        scenarios.push_back({"point pen " + std::to_string(pen) + " button 2 on a lit sign", [=, this] {
                                 FillSign();
                                 gPenSize = pen;
                                 for (auto [x, y] : spots) {
                                     At(x, y);
                                     DrawGraphicPoint(2);
                                 }
                             }});
    }
    struct LineCase {
        const char* name;
        int xa, ya, xb, yb;
    } lines[] = {
        {"line (0,0)-(1,1): end dots only", 0, 0, 1, 1},
        {"line (0,0)-(2,0)", 0, 0, 2, 0},
        {"line (0,0)-(4,2): 0.5 and 1.5 round to even", 0, 0, 4, 2},
        {"line (4,2)-(0,0): the same dots", 4, 2, 0, 0},
        {"line (1,0)-(3,8) steep", 1, 0, 3, 8},
        {"line (11,1)-(2,7) flat, drawn right to left", 11, 1, 2, 7},
        {"line (5,8)-(5,1) vertical upward", 5, 8, 5, 1},
        {"line (7,1)-(7,8) vertical downward", 7, 1, 7, 8},
        {"line (2,3)-(20,6) past the right edge: slope from the real end", 2, 3, 20, 6},
        {"line (-2,-1)-(5,12) from above the left edge", -2, -1, 5, 12},
        {"line (3,20)-(3,-4) vertical through the whole sign", 3, 20, 3, -4},
    };
    for (const auto& l : lines)
        scenarios.push_back({l.name, [=] {
                                 Ends(l.xa, l.ya, l.xb, l.yb);
                                 DrawGraphicLine(1);
                             }});
    scenarios.push_back({"line button 4 clears", [=, this] {
                             FillSign();
                             Ends(0, 8, 11, 0);
                             DrawGraphicLine(4);
                         }});
    struct RectCase {
        const char* name;
        int xa, ya, xb, yb;
    } rects[] = {
        {"rectangle (1,1)-(6,4)", 1, 1, 6, 4},
        {"rectangle (6,4)-(1,1): the same outline", 6, 4, 1, 1},
        {"rectangle (8,5)-(20,20): sides beyond the layer dropped", 8, 5, 20, 20},
        {"rectangle (-1,-1)-(3,3): the left and top sides dropped", -1, -1, 3, 3},
        {"rectangle (5,2)-(5,6): one column", 5, 2, 5, 6},
    };
    for (const auto& r : rects)
        scenarios.push_back({r.name, [=] {
                                 Ends(r.xa, r.ya, r.xb, r.yb);
                                 DrawGraphicRect(1);
                             }});
    scenarios.push_back({"rectangle button 2 clears", [=, this] {
                             FillSign();
                             Ends(2, 2, 9, 6);
                             DrawGraphicRect(2);
                         }});
    scenarios.push_back({"fill an empty sign: all but the corner (W,H)", [] {
                             At(4, 4);
                             FloodFillGraphic(1);
                         }});
    scenarios.push_back({"fill inside a closed outline", [] {
                             PutArt(0, {"", ".#####", ".#...#", ".#..#", ".#.#", ".##"});
                             At(3, 2);
                             FloodFillGraphic(1);
                         }});
    scenarios.push_back({"fill stops at a diagonal outline", [] {
                             PutArt(0, {"...#", "..#", ".#", "#"});
                             At(0, 0);
                             FloodFillGraphic(1);
                         }});
    scenarios.push_back({"fill outside an outline with a gap leaks in", [] {
                             PutArt(0, {"", ".#####", ".#...#", ".#....", ".#####"});
                             At(0, 8);
                             FloodFillGraphic(1);
                         }});
    scenarios.push_back({"fill button 2 clears a lit region only", [] {
                             PutArt(0, {"####", "#..#", "####", "", "..##", "..##"});
                             At(1, 0);
                             FloodFillGraphic(2);
                         }});
    scenarios.push_back({"fill seeded in column W fills that dot only", [] {
                             At(W, 3);
                             FloodFillGraphic(1);
                         }});

    std::string out;
    for (const auto& s : scenarios) {
        Fresh();
        s.run();
        ExpectPictureMatchesLayer(s.name);
        out += "## " + s.name + "\n" + Art(0, W, H) + "\n";
    }
    std::string diff;
    EXPECT_TRUE(testutil::MatchesGolden("graphics/tools.txt", out, &diff)) << diff;

    // Worked out by hand from the tool rules:
    // - the flat line (0,0)-(4,2) has m = 0.5: y = 0, 0.5, 1, 1.5, 2 rounds
    //   (halves to even) to 0, 0, 1, 2, 2;
    // - a fill of the empty sign reaches column W = 12 and row H = 9 but not
    //   the corner (12, 9), which only a dot of that row or column could
    //   reach, and they do not spread.
    auto lit = [](int x, int y) { return GetGraphicPixel(0, x, y) != 0; };
    Fresh();
    Ends(0, 0, 4, 2);
    DrawGraphicLine(1);
    for (auto [x, y] : std::initializer_list<std::pair<int, int>>{{0, 0}, {1, 0}, {2, 1}, {3, 2}, {4, 2}})
        EXPECT_TRUE(lit(x, y)) << x << "," << y;
    EXPECT_FALSE(lit(1, 1));
    EXPECT_FALSE(lit(3, 1));
    Fresh();
    At(4, 4);
    FloodFillGraphic(1);
    EXPECT_TRUE(lit(W, H - 1));
    EXPECT_TRUE(lit(W - 1, H));
    EXPECT_FALSE(lit(W, H));
    EXPECT_FALSE(lit(W + 1, 0));
}

TEST_F(GraphicToolsTest, ToolsThatWriteSetTheModifiedAndGraphicFlags) {
    struct Case {
        const char* what;
        std::function<void()> run;
        bool sets;
    } cases[] = {
        {"point button 1", [] { At(1, 1); DrawGraphicPoint(1); }, true},
        {"point button 2", [] { At(1, 1); DrawGraphicPoint(2); }, true},
        {"point button 4 does nothing", [] { At(1, 1); DrawGraphicPoint(4); }, false},
        {"line", [] { Ends(0, 0, 3, 3); DrawGraphicLine(1); }, true},
        {"rectangle", [] { Ends(0, 0, 3, 3); DrawGraphicRect(2); }, true},
        {"fill", [] { At(1, 1); FloodFillGraphic(1); }, true},
        {"fill on a dot that already has the colour", [] { At(1, 1); FloodFillGraphic(2); }, false},
        {"undo", [] { UndoGraphic(); }, true},
        {"undo copy", [] { SaveUndo(); }, false},
    };
    for (const auto& c : cases) {
        Fresh();
        gGraphicModified = 0;
        gHasGraphic = 0;
        const std::string before = Art(0, W, H);
        c.run();
        EXPECT_EQ(gGraphicModified, c.sets ? -1 : 0) << c.what;
        EXPECT_EQ(gHasGraphic, c.sets ? -1 : 0) << c.what;
        if (!c.sets) {
            EXPECT_EQ(Art(0, W, H), before) << c.what;
        }
    }
}

TEST_F(GraphicToolsTest, LinesAndRectanglesRemoveTheRubberBand) {
    Ends(0, 0, 5, 5);
    DrawGraphicLine(1);
    DrawGraphicRect(1);
    EXPECT_EQ(head.frames, (std::vector<int32_t>{kBlack, kBlack}));
}

TEST_F(GraphicToolsTest, FillVisitsSeedThenAboveRightBelowLeft) {
    At(5, 5);
    FloodFillGraphic(1);
    ASSERT_GE(head.order.size(), 9u);
    std::vector<std::pair<int, int>> first(head.order.begin(), head.order.begin() + 9);
    std::vector<std::pair<int, int>> expected{{5, 5}, {5, 4}, {6, 5}, {5, 6}, {4, 5},
                                              {5, 3}, {6, 4}, {4, 4}, {7, 5}};
    EXPECT_EQ(first, expected);
    EXPECT_EQ(head.order.size(), static_cast<size_t>((W + 1) * (H + 1) - 1));
}

TEST_F(GraphicToolsTest, FillOfALargeSignNeedsNoRecursion) {
    testgfx::MakeSign(175, 48);
    At(0, 0);
    FloodFillGraphic(1);
    EXPECT_EQ(GetGraphicPixel(0, 174, 47), -1);
    EXPECT_EQ(GetGraphicPixel(0, 175, 48), 0);
}

TEST_F(GraphicToolsTest, UndoReturnsTheStateOfTheLastCopy) {
    PutArt(0, {"#..", ".#.", "..#"});
    SetGraphicPixel(0, W + 5, H + 5, -1);  // the whole layer is copied, margin too
    SaveUndo();
    At(1, 0);
    FloodFillGraphic(1);
    SetGraphicPixel(0, W + 5, H + 5, 0);
    UndoGraphic();
    const std::string restored = Art(0, W + 6, H + 6, 0);
    EXPECT_EQ(restored.substr(0, 4), "#...");
    EXPECT_EQ(GetGraphicPixel(0, W + 5, H + 5), -1);
    EXPECT_TRUE(head.painted.size() > 0);
    head.painted.clear();
    // A second undo restores the same state once more; undo does not repaint.
    At(1, 0);
    DrawGraphicPoint(1);
    head.painted.clear();
    UndoGraphic();
    EXPECT_EQ(Art(0, W + 6, H + 6, 0), restored);
    EXPECT_TRUE(head.painted.empty());
    // Clearing the graphic empties the undo layer too.
    ClearGraphicLayer();
    UndoGraphic();
    EXPECT_EQ(GetGraphicPixel(0, 0, 0), 0);
}

TEST_F(GraphicToolsTest, SelectionHelpers) {
    gSelX1 = 40;
    gSelY1 = 30;
    gSelX2 = 5;
    gSelY2 = -10;
    NormalizeSelection();
    EXPECT_EQ((std::vector<int>{gSelX1, gSelY1, gSelX2, gSelY2}), (std::vector<int>{5, -10, 40, 30}));
    gSelX2 = 5 * W + 7;
    ClampSelection();
    EXPECT_EQ((std::vector<int>{gSelX1, gSelY1, gSelX2, gSelY2}), (std::vector<int>{5, 0, 5 * W, 30}));
    EXPECT_EQ(ClampDotCoordinate(-1, 1), 0);
    EXPECT_EQ(ClampDotCoordinate(W + 2, 1), W + 1);
    EXPECT_EQ(ClampDotCoordinate(W + 2, 2), H + 1);
    EXPECT_EQ(ClampDotCoordinate(4, 2), 4);
}

}  // namespace
