// The numbers of the main window's layout and of a sign picture's frame.
#include <gtest/gtest.h>

#include <utility>

#include "app/headlayout.h"

using namespace kv;

TEST(HeadLayout, ListsKeepTheirSizeAtOrBelowTheMinimum) {
    struct Case {
        int w, h;
        Box list;
    };
    const Case cases[] = {
        {641, 398, {8, 288, 625, 100}}, {500, 300, {8, 288, 625, 100}}, {642, 398, {8, 288, 626, 100}},
        {641, 399, {8, 288, 625, 101}}, {1024, 700, {8, 288, 1008, 402}},
    };
    for (const Case& c : cases) {
        HeadGeometry g = DesignedHeadGeometry();
        LayoutHead(c.w, c.h, g);
        EXPECT_EQ(g.DestList, c.list) << c.w << "x" << c.h;
        EXPECT_EQ(g.ExtraList, c.list) << c.w << "x" << c.h;
    }
}

TEST(HeadLayout, ButtonsAlignRightAndTheNumberGroupFollows) {
    HeadGeometry g = DesignedHeadGeometry();
    LayoutHead(641, 398, g);
    EXPECT_EQ(g.SizeFrame.left, 481);
    EXPECT_EQ(g.Remove.left, 556);
    EXPECT_EQ(g.SaveDestOrExtra.left, 468);
    EXPECT_EQ(g.SaveAndNew.left, 355);
    EXPECT_EQ(g.Ch_Frame.left, 34);
    EXPECT_EQ(g.CurrNoTxt.left, 588);  // client width - 100 + its width
    // The group keeps its inner distances; tops never change.
    EXPECT_EQ(g.Label3.left - g.CurrNoTxt.left, 352 - 520);
    EXPECT_EQ(g.LineNo_txt.left, g.CurrNoTxt.left);
    EXPECT_EQ(g.LineNo_lbl.left, g.Label3.left);
    EXPECT_EQ(g.Remove.top, 192);
    EXPECT_EQ(g.CurrNoTxt.top, 224);

    // Widths are read as they stand; a second layout at the same size moves nothing.
    g.SaveAndNew.width = 120;
    LayoutHead(1024, 768, g);
    HeadGeometry again = g;
    LayoutHead(1024, 768, again);
    EXPECT_EQ(again.CurrNoTxt, g.CurrNoTxt);
    EXPECT_EQ(g.SizeFrame.left, 864);
    EXPECT_EQ(g.Remove.left, 939);
    EXPECT_EQ(g.SaveDestOrExtra.left, 851);
    EXPECT_EQ(g.SaveAndNew.left, 723);
    EXPECT_EQ(g.Ch_Frame.left, 402);
    EXPECT_EQ(g.CurrNoTxt.left, 971);

    // Narrow windows push the right-hand controls off the left edge.
    HeadGeometry narrow = DesignedHeadGeometry();
    LayoutHead(200, 200, narrow);
    EXPECT_LT(narrow.Ch_Frame.left, 0);
}

TEST(HeadLayout, ControlsBelowTheSignAreaMoveDownWithIt) {
    // The sign area reaches 60 below the designed top of the controls.
    HeadGeometry g = DesignedHeadGeometry();
    const HeadGeometry d = DesignedHeadGeometry();
    LayoutHead(1024, 700, g, 60);
    const std::pair<Box, Box> pairs[] = {
        {g.Remove, d.Remove},         {g.SaveAndNew, d.SaveAndNew},   {g.Ch_Frame, d.Ch_Frame},
        {g.CurrNoTxt, d.CurrNoTxt},   {g.LineNo_lbl, d.LineNo_lbl},   {g.Ch_Check, d.Ch_Check},
        {g.BlackOut_chk, d.BlackOut_chk}, {g.lblBlackOut, d.lblBlackOut}, {g.cmdMatrix16, d.cmdMatrix16},
        {g.cmdX, d.cmdX},             {g.Label2, d.Label2}};
    for (const auto& [moved, designed] : pairs) EXPECT_EQ(moved.top, designed.top + 60);
    EXPECT_EQ(g.DestList, (Box{8, 348, 1008, 342}));
    EXPECT_EQ(g.SizeFrame.top, 26);  // above the area: stays
    // Lists keep their least height when the window is too low for them.
    LayoutHead(1024, 450, g, 60);
    EXPECT_EQ(g.ExtraList, (Box{8, 348, 1008, 100}));
    LayoutHead(1024, 459, g, 60);
    EXPECT_EQ(g.ExtraList, (Box{8, 348, 1008, 101}));
    // Back to no extra: the designed tops.
    LayoutHead(1024, 700, g);
    EXPECT_EQ(g.Remove.top, 192);
    EXPECT_EQ(g.Label2.top, 270);
}

TEST(HeadLayout, SignAreaTakesWhatItsContentNeedsUpToTheRoomLeft) {
    struct Case {
        const char* what;
        int clientHeight, top, content;
        SignAreaPlace area;
    };
    const Case cases[] = {
        {"small content: down to the controls' top", 700, 64, 50, {116, 0, false}},
        {"content of 200: 84 below", 700, 64, 200, {200, 84, false}},
        {"content up to the room left", 700, 64, 418, {418, 302, false}},
        {"more than the room: it scrolls", 700, 64, 600, {418, 302, true}},
        {"a window too low for more keeps the designed area", 350, 64, 200, {116, 0, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(LayoutSignArea(c.clientHeight, c.top, c.content), c.area);
        // The lists below keep at least 100 whenever the window has room.
        HeadGeometry g = DesignedHeadGeometry();
        LayoutHead(1024, c.clientHeight, g, c.area.extra);
        EXPECT_GE(g.DestList.height, 100);
        if (c.clientHeight >= 398 + c.area.extra) {
            EXPECT_LE(g.DestList.top + g.DestList.height, c.clientHeight - 10);
        }
    }
}

TEST(HeadLayout, TextStrip) {
    EXPECT_EQ(TextStripWidth(16), 477);
    EXPECT_EQ(TextStripWidth(12), 357);
    // Alone: centred in the area and on the editor picture's height.
    EXPECT_EQ(TextStripPlace(357, 37, 1000, 71, 0), (Box{321, 17, 357, 37}));
    EXPECT_EQ(TextStripPlace(357, 79, 1000, 71, 0), (Box{321, 0, 357, 79}));
    // Below the rows of graphic sign frames, centred.
    EXPECT_EQ(TextStripPlace(717, 37, 1000, 71, 115), (Box{141, 115, 717, 37}));
    // Wider than the area: from its left edge.
    EXPECT_EQ(TextStripPlace(717, 37, 600, 71, 115), (Box{0, 115, 717, 37}));
}

TEST(SignFrameLayout, FrameAroundThePicture) {
    SignFrameGeometry f = LayoutSignFrame(315, 71, 30, 40, 20);
    EXPECT_EQ(f.frameWidth, 321);
    EXPECT_EQ(f.frameHeight, 96);
    EXPECT_EQ(f.picture, (Box{2, 2, 315, 71}));
    EXPECT_EQ(f.label, (Box{4, 4, 101, 13}));
    EXPECT_EQ(f.statusBar, (Box{2, 73, 317, 19}));
    EXPECT_EQ(f.zoomButton, (Box{321 - 23 - 4, 75, 23, 17}));
    // Enough room: panels keep their widths and panel 5 takes the rest.
    EXPECT_EQ(f.panelWidths, (std::array<int, 5>{30, 40, 20, 15, 317 - 105 - 23 - 7}));
}

TEST(SignFrameLayout, ADeficitIsTakenFromPanelOneThenTwoThenThree) {
    // Status bar width 317; the fixed parts take 15 + 23 + 7.
    auto spareFor = [](int p1, int p2, int p3) { return 317 - (p1 + p2 + p3 + 15) - 23 - 7; };
    ASSERT_EQ(spareFor(50, 132, 100), -10);
    SignFrameGeometry f = LayoutSignFrame(315, 71, 50, 132, 100);
    EXPECT_EQ(f.panelWidths, (std::array<int, 5>{39, 132, 100, 15, 1}));

    // Panel 1 cannot absorb it: panel 2 goes to one pixel first.
    ASSERT_EQ(spareFor(20, 200, 100), -48);
    f = LayoutSignFrame(315, 71, 20, 200, 100);
    EXPECT_EQ(f.panelWidths, (std::array<int, 5>{170, 1, 100, 15, 1}));

    // Nor panel 2: panel 3 goes to one pixel too.
    ASSERT_EQ(spareFor(20, 5, 280), -33);
    f = LayoutSignFrame(315, 71, 20, 5, 280);
    EXPECT_EQ(f.panelWidths, (std::array<int, 5>{269, 1, 1, 15, 1}));

    // Too narrow for anything: panel 1 keeps one pixel.
    f = LayoutSignFrame(40, 16, 20, 30, 40);
    EXPECT_EQ(f.panelWidths[0], 1);
    EXPECT_EQ(f.panelWidths[1], 1);
    EXPECT_EQ(f.panelWidths[2], 1);
}

TEST(SignFrameLayout, PanelTexts) {
    EXPECT_EQ(SignSizeText(128, 16), "128x16 ");
    EXPECT_EQ(SignAddressText(5), "5  ");
    EXPECT_EQ(SignAddressText(16), "16  ");
}
