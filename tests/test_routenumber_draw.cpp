// The route number drawn into the route-number area of a graphic sign. The
// default route-number font of a 16-dot sign is set to "h": digits 6 dots
// wide (30) and 7 high (35).
#include <gtest/gtest.h>

#include "engine/dotlayers.h"
#include "support/markup_state.h"

using namespace kv;

namespace {

class RouteNoDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        testmarkup::ResetAll();
        testtext::LoadShippedFonts();
        testgfx::MakeSign(40, 16);
        ResizeTextLayer(0, 41, 17);
        gDefaultRouteNoFont[16 - kMinFontHeight] = "h";
        gShowLineNo = -1;
        gRouteNoX = 10;
        gRouteNoY = 0;
    }
    void TearDown() override { testmarkup::ResetAll(); }
    // The columns of row 3 of the text layer that are lit.
    std::string Row3() { return testgfx::Art(0, 40, 16, 0, testgfx::Layer::Text).substr(41 * 3, 40); }
    void ClearText() {
        for (int x = 0; x <= 41; ++x)
            for (int y = 0; y <= 17; ++y) SetTextPixel(0, x, y, 0);
    }
    testmarkup::Head head;
};

TEST_F(RouteNoDrawTest, CharactersSideBySideAtEitherEnd) {
    gRouteNoText = "12";
    gLineNoFieldCount = 2;
    gRouteNoLeft = -1;
    DisplayLineNumber();
    EXPECT_EQ(gRouteNoFont, "h");
    EXPECT_EQ(gRouteNoCells[1].X, 10);
    EXPECT_EQ(gRouteNoCells[2].X, 40);
    EXPECT_EQ(gRouteNoCells[1].Width, 30);
    EXPECT_EQ(gRouteNoCells[1].Height, 35);
    EXPECT_EQ(gRouteNoCells[2].CharCode, '2');
    EXPECT_EQ(gRouteNoCells[2].Next, 0);
    EXPECT_EQ(gRouteNoAreaDots, 14);
    EXPECT_EQ(gRouteNoAreaHeight, 35);
    EXPECT_EQ(gRouteNoAreaWidth, 60);
    EXPECT_EQ(head.routeBox, "");
    const std::string left = Row3();
    EXPECT_NE(left.find('#', 2), std::string::npos);
    EXPECT_EQ(left.substr(0, 2), "..");  // nothing left of column 2

    // At the right end each character moves on by its own width: the same
    // columns with digits of one width.
    ClearText();
    gRouteNoLeft = 0;
    DisplayLineNumber();
    EXPECT_EQ(Row3(), left);
    EXPECT_EQ(gRouteNoAreaDots, 14);
}

TEST_F(RouteNoDrawTest, PerDestinationTextsSetTheCount) {
    gLineNoTableOn = -1;
    gLineNoTable[17] = "7";
    gDestListActive = kTrue;
    gCurrentDest = 17;
    gLineNoFieldCount = 3;
    gRouteNoText = "456";
    DisplayLineNumber();
    EXPECT_EQ(gLineNoFieldCount, 1);
    EXPECT_EQ(head.routeBox, "7");
    EXPECT_EQ(gRouteNoCells[1].CharCode, '7');
    EXPECT_EQ(gRouteNoAreaWidth, 30);
    EXPECT_EQ(gRouteNoAreaDots, 8);

    // An extra text has no route number: nothing is drawn.
    gDestListActive = kFalse;
    gRouteNoCells[1] = SignCell{};
    ClearText();
    DisplayLineNumber();
    EXPECT_EQ(gLineNoFieldCount, 0);
    EXPECT_EQ(gRouteNoCells[1].CharCode, 0);
    EXPECT_EQ(gRouteNoAreaDots, 2);
    EXPECT_EQ(Row3(), std::string(40, '.'));
}

TEST_F(RouteNoDrawTest, CountBeyondTheRouteNumber) {
    gRouteNoText = "12";
    gLineNoFieldCount = 3;  // the area is measured for three
    gRouteNoLeft = -1;
    DisplayLineNumber();
    EXPECT_EQ(gRouteNoAreaWidth, 90);
    EXPECT_EQ(gRouteNoAreaDots, 14);  // two characters drawn
    EXPECT_EQ(gRouteNoCells[2].Next, 0);
}

}  // namespace
