// The choice of shown signs: the rows offered and what OK makes of the ticks.
#include <gtest/gtest.h>

#include "data/headmode.h"
#include "data/records.h"
#include "data/signtable.h"
#include "app/signcontrols.h"
#include "platform/reset.h"
#include "platform/vb.h"
#include "app/signsel.h"
#include "support/fake_ui.h"

using namespace kv;

namespace {

struct SignDef {
    int address;
    const char* model;
    int width;
    bool shown;
    bool routeNoShown = false;
};

class SignSel : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }
    static void Reset() {
        kv::ResetAllState();
        gLineNoTableOn = kFalse;
    }
    static void Configure(const std::vector<SignDef>& signs) {
        Reset();
        for (const SignDef& d : signs) {
            SignInfo& s = SignInfoOf(d.address);
            s.Model = d.model;
            s.Width = static_cast<int16_t>(d.width);
            s.Height = d.model == std::string("K4000") ? 16 : 1;
            s.Name = "S" + std::to_string(d.address);
            s.Shown = VbBool(d.shown);
            s.RouteNoShown = VbBool(d.routeNoShown);
        }
    }
    static std::string Describe(const SignSelRows& r) {
        std::string out;
        for (const SignSelRow& row : r.rows) {
            if (!out.empty()) out += " | ";
            out += "GTR"[row.kind];
            out += row.ticked ? "+" : "-";
            out += row.caption;
            if (row.hasRouteNoBox) out += std::string(" [") + (row.routeNoTicked ? "+" : "-") + row.routeNoCaption + "]";
        }
        return out;
    }
    FakeUi ui;
};

}  // namespace

TEST_F(SignSel, RowsAreGraphicThenTextThenRouteNumberSignsByAddress) {
    struct Case {
        const char* name;
        std::vector<SignDef> signs;
        bool lineNoTable;
        const char* rows;
    };
    const Case cases[] = {
        {"none", {}, false, ""},
        {"mixed",
         {{2, "K1000", 4, true}, {9, "K4000", 96, false}, {4, "K4000", 112, true}, {6, "K2000_1R", 16, false},
          {3, "K2000_2R", 12, true}},
         false, "G+&1 -- S4 | G-&2 -- S9 | T+&3 -- S3 | T-&4 -- S6 | R+&5 -- S2"},
        {"route-number texts per destination: no route-number rows, a route-number box per graphic row",
         {{2, "K1000", 4, true}, {9, "K4000", 96, false, true}, {4, "K4000", 112, true, true}, {6, "K2000_1R", 16, false}},
         true, "G+&1 -- S4 [+&A] | G-&2 -- S9 [+&B] | T-&3 -- S6"},
        {"the only sign, a graphic one, is offered ticked", {{7, "K4000", 96, false}}, false, "G+&1 -- S7"},
        {"not when a route-number sign is offered too", {{7, "K4000", 96, false}, {8, "K1000", 3, false}}, false,
         "G-&1 -- S7 | R-&2 -- S8"},
        {"but when it is not offered", {{7, "K4000", 96, false}, {8, "K1000", 3, false}}, true, "G+&1 -- S7 [-&A]"},
        {"a text sign alone keeps its flag", {{5, "K2000_1R", 16, false}}, false, "T-&1 -- S5"},
        {"a route-number sign at the last address", {{16, "K1000", 3, false}}, false, "R-&1 -- S16"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Configure(c.signs);
        gLineNoTableOn = VbBool(c.lineNoTable);
        EXPECT_EQ(Describe(BuildSignSelRows()), c.rows);
    }
}

TEST_F(SignSel, RowsFromTenOnHaveNoAccessKeys) {
    std::vector<SignDef> signs;
    for (int a = 2; a <= 12; ++a) signs.push_back({a, "K4000", 28, false});
    Configure(signs);
    gLineNoTableOn = kTrue;
    const SignSelRows r = BuildSignSelRows();
    ASSERT_EQ(r.Total(), 11);
    EXPECT_EQ(r.rows[8].caption, "&9 -- S10");
    EXPECT_EQ(r.rows[8].routeNoCaption, "&I");
    EXPECT_EQ(r.rows[9].caption, "S11");
    EXPECT_EQ(r.rows[9].routeNoCaption, "");
    EXPECT_TRUE(r.rows[10].hasRouteNoBox);
}

TEST_F(SignSel, ModelWalksAndCounts) {
    Configure({{3, "K2000_2R", 12, false}, {5, "K4000", 96, false}, {9, "K1000", 3, false}, {11, "K2000_1R", 16, false}});
    EXPECT_EQ(IsK4000Type(1), 5);
    EXPECT_EQ(IsK4000Type(5), 17);
    EXPECT_EQ(IsK2000Type(1), 3);
    EXPECT_EQ(IsK2000Type(3), 11);
    EXPECT_EQ(IsK2000Type(11), 17);
    EXPECT_EQ(IsK1000Type(1), 9);
    EXPECT_EQ(IsK1000Type(9), 16);  // the route-number walk stops at 16
    EXPECT_EQ(IsK4000Sign(), 1);
    EXPECT_EQ(IsK2000Sign(), 2);
    EXPECT_EQ(IsK1000Sign(), 1);
}

TEST_F(SignSel, RowOneIsTheSignADocumentStartsWith) {
    Configure({});
    EXPECT_EQ(SignSelFirstRow(), 0);
    Configure({{4, "K1000", 3, false}});
    EXPECT_EQ(SignSelFirstRow(), 4);
    gLineNoTableOn = kTrue;
    EXPECT_EQ(SignSelFirstRow(), 0);
    Configure({{4, "K1000", 3, false}, {6, "K2000_2R", 10, false}, {5, "K2000_1R", 16, false}});
    EXPECT_EQ(SignSelFirstRow(), 5);
    Configure({{4, "K1000", 3, false}, {5, "K2000_1R", 16, false}, {12, "K4000", 96, true}, {9, "K4000", 96, false}});
    EXPECT_EQ(SignSelFirstRow(), 9);
    EXPECT_EQ(FirstListedSign(), 9);
}

TEST_F(SignSel, OkWritesTheFlagsAndRefusesAnEmptyChoice) {
    const SignSelTexts texts{"NONE", "ONLY-K1000", "K1000-LABEL"};
    // Graphic 4 and 9, text 3, route-number signs 2 (4 wide) and 5 (3 wide).
    const std::vector<SignDef> signs = {{4, "K4000", 112, true, true}, {9, "K4000", 96, false}, {3, "K2000_1R", 16, false},
                                        {2, "K1000", 4, false}, {5, "K1000", 3, true}};
    struct Case {
        const char* name;
        bool lineNoTable;
        std::vector<SignSelTick> ticks;  // rows 4, 9, 3, 2, 5
        SignSelOutcome::Result result;
        int16_t current;
        const char* shown;  // Shown of 2, 3, 4, 5, 9
        const char* routeNoShown;
        bool k1000Shown;
        int16_t boxLength;
        const char* message;
    };
    const Case cases[] = {
        // A refused choice writes nothing: the box shows the signs as they are.
        {"nothing ticked", false, {{4}, {9}, {3}, {2}, {5}}, SignSelOutcome::NothingTicked, 7, "--++-", "--+--",
         true, 3, "NONE"},
        {"only route-number signs", false, {{4}, {9}, {3}, {2, true}, {5, true}}, SignSelOutcome::OnlyRouteNumberSigns,
         7, "--++-", "--+--", true, 3, "ONLY-K1000"},
        {"the lowest graphic or text sign becomes current, not a lower route-number sign", false,
         {{4}, {9, true}, {3, true}, {2, true}, {5}}, SignSelOutcome::Accepted, 3, "++--+", "--+--", true, 4, ""},
        {"a graphic sign", false, {{4, true}, {9, true}, {3}, {2}, {5}}, SignSelOutcome::Accepted, 4, "--+-+",
         "--+--", false, 0, ""},
        {"route-number boxes are written while per-destination texts are on", true,
         {{4, true, false}, {9, true, true}, {3}}, SignSelOutcome::Accepted, 4, "--+++", "----+", false, 0, ""},
        {"no rows", false, {}, SignSelOutcome::Closed, 7, "--++-", "--+--", false, 0, ""},
    };
    const int16_t addresses[] = {2, 3, 4, 5, 9};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Configure(signs);
        gLineNoTableOn = VbBool(c.lineNoTable);
        gCurrentSign = 7;
        gK1000Shown = kTrue;
        ui.messages.clear();
        std::vector<SignSelTick> ticks = c.ticks;
        const int16_t order[] = {4, 9, 3, 2, 5};
        for (size_t i = 0; i < ticks.size(); ++i) ticks[i].address = order[i];
        const SignSelOutcome out = ApplySignSel(ticks, texts);
        EXPECT_EQ(out.result, c.result);
        EXPECT_EQ(out.Closes(), c.result == SignSelOutcome::Closed || c.result == SignSelOutcome::Accepted);
        EXPECT_EQ(out.Relayout(), c.result == SignSelOutcome::Accepted);
        EXPECT_EQ(gCurrentSign, c.current);
        std::string shown, routeNo;
        for (int16_t a : addresses) {
            shown += SignInfoOf(a).Shown ? '+' : '-';
            routeNo += SignInfoOf(a).RouteNoShown ? '+' : '-';
        }
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(routeNo, c.routeNoShown);
        EXPECT_EQ(gK1000Shown != 0, c.k1000Shown);
        EXPECT_EQ(out.routeNoBoxShown, c.k1000Shown);
        EXPECT_EQ(out.routeNoBoxLength, c.boxLength);
        if (*c.message) {
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_EQ(ui.messages[0].text, c.message);
            EXPECT_EQ(ui.messages[0].style, vbExclamation);
            EXPECT_EQ(ui.messages[0].title, "Kivar32\xAE");
        } else {
            EXPECT_TRUE(ui.messages.empty());
        }
    }
}

