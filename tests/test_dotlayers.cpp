#include <gtest/gtest.h>

#include "data/language.h"
#include "engine/dotlayers.h"
#include "engine/graphictools.h"
#include "engine/routenumber.h"
#include "platform/reset.h"
#include "support/fake_ui.h"
#include "support/graphics_state.h"

using namespace kv;
using testgfx::Art;
using testgfx::Layer;

namespace {

class DotLayersTest : public ::testing::Test {
protected:
    void SetUp() override {
        kv::ResetAllState();
        testgfx::MakeSign(W, H);
    }
    void TearDown() override { kv::ResetAllState(); }
    static constexpr int W = 10, H = 6;
    FakeUi ui;
    testgfx::FakeHead head;
};

TEST_F(DotLayersTest, GraphicIndexOutsideZeroToTwoShowsS150AndDoesNothing) {
    gTextS150 = "";  // not loaded: the built-in text
    for (int16_t k : {-1, 3, 7}) {
        ui.messages.clear();
        SetGraphicPixel(k, 0, 0, -1);
        SetTextPixel(k, 0, 0, -1);
        SetUndoPixel(k, 0, 0, -1);
        ResizeGraphicLayer(k, 5, 5);
        EXPECT_EQ(GetGraphicPixel(k, 0, 0), 0);
        EXPECT_EQ(GetTextPixel(k, 0, 0), 0);
        EXPECT_EQ(GetUndoPixel(k, 0, 0), 0);
        EXPECT_EQ(GraphicLayerBound(k, 1), 0);
        EXPECT_EQ(TextLayerBound(k, 2), 0);
        ASSERT_EQ(ui.messages.size(), 9u) << k;
        EXPECT_EQ(ui.messages[0].text, "Max 3 signs!");
        EXPECT_EQ(ui.messages[0].style, vbOKOnly);
    }
    gTextS150 = "Höchstens 3";
    GetGraphicPixel(3, 0, 0);
    EXPECT_EQ(ui.messages.back().text, "Höchstens 3");
    gTextS150.clear();
}

TEST_F(DotLayersTest, LayerOperationsOnABadCurrentGraphicWarnOnce) {
    SignInfoOf(2).GraphicIndex = 3;
    gGraphicModified = -1;
    ClearGraphicLayer();
    GraphicHasDots();
    PrepareTextLayer();
    RefreshGraphic();
    EXPECT_EQ(ui.messages.size(), 4u);
}

TEST_F(DotLayersTest, AccessorsKeepValuesAndIgnoreDotsOutsideTheLayer) {
    EXPECT_EQ(GraphicLayerBound(0, 1), W + 5);
    EXPECT_EQ(GraphicLayerBound(0, 2), H + 5);
    EXPECT_EQ(TextLayerBound(0, 1), 0);  // never dimensioned
    SetGraphicPixel(0, W + 5, H + 5, 7);
    EXPECT_EQ(GetGraphicPixel(0, W + 5, H + 5), 7);  // any 16-bit value is kept
    SetGraphicPixel(0, W + 6, 0, -1);
    SetGraphicPixel(0, -1, 0, -1);
    EXPECT_EQ(GetGraphicPixel(0, W + 6, 0), 0);
    EXPECT_EQ(GetGraphicPixel(0, -1, 0), 0);
    SetTextPixel(0, 0, 0, -1);  // no text layer yet: nothing stored
    EXPECT_EQ(GetTextPixel(0, 0, 0), 0);
    // The three graphics are separate.
    ResizeGraphicLayer(1, 3, 3);
    SetGraphicPixel(1, 1, 1, -1);
    EXPECT_EQ(GetGraphicPixel(0, 1, 1), 0);
    EXPECT_EQ(GetGraphicPixel(1, 1, 1), -1);
    ResizeGraphicLayer(1, 3, 3);  // re-dimensioning clears
    EXPECT_EQ(GetGraphicPixel(1, 1, 1), 0);
}

TEST_F(DotLayersTest, GraphicHasDotsCountsColumnWAndRowHButNotBeyond) {
    struct Case {
        int x, y;
        bool has;
    } cases[] = {{0, 0, true}, {W - 1, H - 1, true}, {W, 2, true}, {3, H, true}, {W, H, true},
                 {W + 1, 0, false}, {0, H + 1, false}, {W + 5, H + 5, false}};
    EXPECT_FALSE(GraphicHasDots());
    for (const auto& c : cases) {
        ResizeGraphicLayer(0, W + 5, H + 5);
        SetGraphicPixel(0, c.x, c.y, -1);
        EXPECT_EQ(GraphicHasDots(), c.has) << c.x << "," << c.y;
    }
}

TEST_F(DotLayersTest, ClearGraphicLayerClearsSignAndFirstMarginOfBothLayers) {
    for (int x = 0; x <= W + 5; ++x)
        for (int y = 0; y <= H + 5; ++y) {
            SetGraphicPixel(0, x, y, -1);
            SetUndoPixel(0, x, y, -1);
        }
    gGraphicModified = -1;
    ClearGraphicLayer();
    EXPECT_EQ(gGraphicModified, 0);
    ASSERT_EQ(head.undoEnabled, std::vector<bool>{false});
    for (int x = 0; x <= W + 5; ++x)
        for (int y = 0; y <= H + 5; ++y) {
            const int16_t expected = (x <= W + 1 && y <= H + 1) ? 0 : -1;
            EXPECT_EQ(GetGraphicPixel(0, x, y), expected) << x << "," << y;
            EXPECT_EQ(GetUndoPixel(0, x, y), expected) << x << "," << y;
        }
    EXPECT_TRUE(head.painted.empty());  // no repaint
}

TEST_F(DotLayersTest, PrepareTextLayerDimensionsAndDrawsTheRouteNumberOnce) {
    int drawn = 0;
    SetDisplayLineNumberHook([&] {
        ++drawn;
        for (int x = 0; x < 3; ++x) SetTextPixel(0, x, 1, -1);
        gRouteNoAreaDots = 3;
    });
    gShowLineNo = -1;
    gRouteNoLeft = -1;
    PrepareTextLayer();
    EXPECT_EQ(drawn, 1);
    EXPECT_EQ(TextLayerBound(0, 1), W + 1);
    EXPECT_EQ(TextLayerBound(0, 2), H + 1);
    EXPECT_EQ(GetTextPixel(0, 2, 1), -1);  // the area survives the clearing
    // A second call keeps the layer and the area and clears the rest.
    SetTextPixel(0, 3, 1, -1);
    SetTextPixel(0, W + 1, H + 1, -1);
    PrepareTextLayer();
    EXPECT_EQ(drawn, 1);
    EXPECT_EQ(Art(0, W, H, 2, Layer::Text),
              "..........::\n"
              "###.......::\n"
              "..........::\n"
              "..........::\n"
              "..........::\n"
              "..........::\n"
              "::::::::::::\n"
              "::::::::::::\n");
    // A sign of another size gets a fresh layer and the route number again.
    SignInfoOf(2).Width = W + 2;
    PrepareTextLayer();
    EXPECT_EQ(drawn, 2);
    EXPECT_EQ(TextLayerBound(0, 1), W + 3);
}

TEST_F(DotLayersTest, PrepareTextLayerSparesTheAreaAtEitherEnd) {
    struct Case {
        const char* what;
        int16_t show, left, routeX;
        int32_t areaDots;
        const char* row;  // row 0 after filling it and preparing again
    } cases[] = {
        {"left, area 12 of a wide sign: nothing cleared", -1, -1, 0, 12, "############"},
        {"left, area 4", -1, -1, 0, 4, "####........"},
        {"right, x 35: columns 0..6 cleared", -1, 0, 35, 3, ".......#####"},
        {"right, x 37 rounds to column 7", -1, 0, 37, 3, ".......#####"},
        {"right, x 32 rounds to column 6", -1, 0, 32, 3, "......######"},
        {"right, x 2 rounds to column 0: no column", -1, 0, 2, 3, "############"},
        {"right, x 12 rounds to column 2", -1, 0, 12, 3, "..##########"},
        {"area shown but none drawn: all cleared", -1, -1, 0, 0, "............"},
        {"area hidden: all cleared", 0, -1, 0, 12, "............"},
    };
    for (const auto& c : cases) {
        gShowLineNo = c.show;
        gRouteNoLeft = c.left;
        gRouteNoX = c.routeX;
        ResizeTextLayer(0, W + 1, H + 1);
        for (int x = 0; x <= W + 1; ++x) SetTextPixel(0, x, 0, -1);
        gRouteNoAreaDots = c.areaDots;
        PrepareTextLayer();
        std::string row;
        for (int x = 0; x <= W + 1; ++x) row += GetTextPixel(0, x, 0) ? '#' : '.';
        EXPECT_EQ(row, c.row) << c.what;
    }
}

TEST_F(DotLayersTest, RefreshGraphicPaintsLitDotsUpToColumnWAndRowH) {
    testgfx::PutArt(0, {"#.........#", "", "", "", "", "", "...#"});  // (10,0) and (3,6) in the margin
    SetGraphicPixel(0, W + 1, 0, -1);                                // beyond: not painted
    RefreshGraphic();
    std::map<std::pair<int, int>, bool> expected{{{0, 0}, true}, {{10, 0}, true}, {{3, 6}, true}};
    EXPECT_EQ(head.painted, expected);
    EXPECT_TRUE(head.frames.empty());
    gAreaSelected = -1;
    RefreshGraphic();
    EXPECT_EQ(head.frames, std::vector<int32_t>{kWhite});
}

}  // namespace
