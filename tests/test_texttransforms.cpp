#include <gtest/gtest.h>

#include "data/headmode.h"
#include "data/signtable.h"
#include "engine/routenumber.h"
#include "files/outoptions.h"
#include "files/texttransforms.h"
#include "platform/reset.h"
#include "platform/vb.h"
#include "support/outfixtures.h"
#include "support/signs_state.h"

using namespace kv;
using testsigns::B;

namespace {

class TextTransformsTest : public ::testing::Test {
protected:
    void SetUp() override {
        kv::ResetAllState();
        ParseSignDefinition(testsigns::SignLine("Front", "K4000", "112x16", "2"));
        ParseSignDefinition(testsigns::SignLine("Side", "K4000", "84x8", "3"));
        gDefaultRouteNoFont[16 - 7] = "e";
        gDefaultRouteNoFont[8 - 7] = "i";
        gLineNoFieldCount = 3;
    }
    void TearDown() override {
        kv::ResetAllState();
    }
};

}  // namespace

TEST_F(TextTransformsTest, MoveSectionToEnd) {
    const std::string s2 = "\xFF\x02" "AB", s3 = "\xFF\x03" "C", s4 = "\xFF\x04" "DE";
    EXPECT_EQ(MoveSectionToEnd(2, s2 + s3 + s4), s3 + s4 + s2);
    EXPECT_EQ(MoveSectionToEnd(3, s2 + s3 + s4), s2 + s4 + s3);
    EXPECT_EQ(MoveSectionToEnd(4, s2 + s3 + s4), s2 + s3 + s4);  // already last
    EXPECT_EQ(MoveSectionToEnd(5, s2 + s3 + s4), s2 + s3 + s4);  // absent
    EXPECT_EQ(MoveSectionToEnd(0, ""), "");
}

TEST_F(TextTransformsTest, RouteNumberHeadersBecomeTheRecordsRouteNumber) {
    // 210 x 211 y 212 f 242 is the header; it becomes 210 0 211 y 212 r and
    // the route-number text, r the route-number font of the sign's height.
    const std::string header = B({210, 4, 211, 12, 212, 'e', 242});
    gLineNoTable[7] = "12";
    const std::string expected = B({210, 0, 211, 0, 212, 'e'}) + " 12";  // padded to 3
    EXPECT_EQ(ExpandRouteNumberPlaceholder(header + "AB", 2, 7), expected + "AB");
    // Two headers: both replaced alike; bytes around them stay.
    EXPECT_EQ(ExpandRouteNumberPlaceholder("Q" + header + "X" + header, 2, 7), "Q" + expected + "X" + expected);
    // The 8-dot sign takes its own route-number font.
    EXPECT_EQ(ExpandRouteNumberPlaceholder(header, 3, 7), B({210, 0, 211, 0, 212, 'i'}) + " 12");
    // A longer text stays whole; a negative number gives no text.
    gLineNoTable[8] = "12345";
    EXPECT_EQ(ExpandRouteNumberPlaceholder(header, 2, 8), B({210, 0, 211, 0, 212, 'e'}) + "12345");
    EXPECT_EQ(ExpandRouteNumberPlaceholder(header, 2, -1), B({210, 0, 211, 0, 212, 'e'}));
    // No header: unchanged, whatever the address or number.
    EXPECT_EQ(ExpandRouteNumberPlaceholder("ABC", 99, 5000), "ABC");

    // The sign to show in layout 1.5 keeps the y of the text's first 211.
    gSignToShow = " 2: \"Front\", K4000";
    gCommandRowOn = 1;
    EXPECT_EQ(ExpandRouteNumberPlaceholder(header, 2, 7), B({210, 0, 211, 12, 212, 'e'}) + " 12");
    EXPECT_EQ(ExpandRouteNumberPlaceholder(header, 3, 7), B({210, 0, 211, 0, 212, 'i'}) + " 12");
    gCommandRowOn = 0;
    EXPECT_EQ(ExpandRouteNumberPlaceholder(header, 2, 7), expected);
}

TEST_F(TextTransformsTest, RouteNumberHeaderFailures) {
    const std::string header = B({210, 4, 211, 12, 212, 'e', 242});
    auto errorOf = [](auto f) {
        try {
            f();
        } catch (const VbError& e) {
            return e.number;
        }
        return 0;
    };
    EXPECT_EQ(errorOf([&] { ExpandRouteNumberPlaceholder(header, 1, 7); }), 9);
    EXPECT_EQ(errorOf([&] { ExpandRouteNumberPlaceholder(header, 17, 7); }), 9);
    EXPECT_EQ(errorOf([&] { ExpandRouteNumberPlaceholder(header, 4, 7); }), 9);  // no sign: height 0
    EXPECT_EQ(errorOf([&] { ExpandRouteNumberPlaceholder(header, 2, 1000); }), 9);
    EXPECT_EQ(errorOf([&] { ExpandRouteNumberPlaceholder(B({1, 2, 3, 4, 5, 242}), 2, 7); }), 5);
    // A route-number text holding 242 does not make the scan endless.
    gLineNoTable[9] = "\xF2";
    EXPECT_EQ(ExpandRouteNumberPlaceholder(header, 2, 9), B({210, 0, 211, 0, 212, 'e', ' ', ' ', 242}));
}

TEST_F(TextTransformsTest, TrimBlankRuns) {
    const std::string head = B({210, 0, 211, 7, 212, '1'}) + "HELLO_WORLD_ABC";  // 21 bytes
    const std::string blankTail = B({210, 40, 211, 15, 212, 'x'}) + "   ";
    struct Case {
        const char* what;
        std::string in, out;
    } cases[] = {
        {"25 bytes stay", head + B({210, 40}) + "  ", head + B({210, 40}) + "  "},
        {"26 bytes are trimmed", head + B({212, 'x'}) + "   ", head},
        {"a blank run goes with its commands", head + blankTail, head},
        {"an empty run at the end goes too", head + B({210, 40, 211, 15, 212, 'x', 212, 'y'}), head},
        {"the font id is no part of the run", head + B({210, 40, 211, 15, 212, ' '}) + "   ", head},
        {"a run keeps its text and loses trailing blanks", head + "    " + B({212, '2'}) + "AB  ",
         head + B({212, '2'}) + "AB"},
        {"a blank run between two texts", head + blankTail + B({210, 50, 211, 15, 212, '2'}) + "XY",
         head + B({210, 50, 211, 15, 212, '2'}) + "XY"},
        {"211 without 210 before it", head + B({7, 211, 15, 212, 'x'}) + "   ", head + B({7})},
        {"210 needs the 211 after it", head + B({210, 40, 212, 'x'}) + "         ", head + B({210, 40})},
        {"no font command: trailing blanks only", std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZ") + "   ",
         "ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
        {"no font command, all blank", std::string(30, ' '), ""},
        {"the first run before any font command", "   AB   " + B({212, 'x'}) + std::string(20, 'Q') + "  ",
         "   AB" + B({212, 'x'}) + std::string(20, 'Q')},
        {"page marks belong to their run", head + B({176, 3, 210, 0, 211, 7, 212, 'x'}) + "  ",
         head + B({176, 3})},
    };
    for (const Case& c : cases) EXPECT_EQ(TrimBlankRuns(c.in), c.out) << c.what;
}

TEST_F(TextTransformsTest, DropRepeatedCommands) {
    struct Case {
        const char* what;
        std::string in, out;
    } cases[] = {
        {"repeated y and font dropped, 210 kept", B({210, 5, 211, 7, 212, 97, 88, 210, 9, 211, 7, 212, 97, 89}),
         B({210, 5, 211, 7, 212, 97, 88, 210, 9, 89})},
        {"a page mark starts again", B({211, 7, 212, 97, 65, 176, 3, 211, 7, 212, 97, 66}),
         B({211, 7, 212, 97, 65, 176, 3, 211, 7, 212, 97, 66})},
        {"162 starts again too", B({211, 7, 162, 211, 7}), B({211, 7, 162, 211, 7})},
        {"the start state is y 255 and font blank", B({212, 32, 65, 211, 255, 66}), B({65, 66})},
        {"a last byte taken as argument", B({211, 7, 65, 211, 7}), B({211, 7, 65})},
        {"a lone last command byte is copied", B({65, 211}), B({65, 211})},
        {"empty", "", ""},
        {"one byte", "A", "A"},
    };
    for (const Case& c : cases) EXPECT_EQ(DropRepeatedCommands(c.in), c.out) << c.what;
}
