#include <gtest/gtest.h>

#include "data/headmode.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/routenumber.h"
#include "files/outoptions.h"
#include "files/outrecords.h"
#include "platform/reset.h"
#include "platform/vb.h"
#include "support/fake_ui.h"
#include "support/outfixtures.h"
#include "support/signs_state.h"

using namespace kv;
using testsigns::B;
using testsigns::Mark;
using testsigns::Sec;

namespace {

int ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const VbError& e) {
        return e.number;
    }
    return 0;
}

// Signs: 2 graphic 112x16, 3 two-row text sign 16+12, 4 route-number sign,
// 5 graphic 84x8. Addresses 6.. are free.
class OutRecordsTest : public ::testing::Test {
protected:
    void SetUp() override {
        kv::ResetAllState();
        ParseSignDefinition(testsigns::SignLine("Front", "K4000", "112x16", "2"));
        ParseSignDefinition(testsigns::SignLine("Side", "K2000_2R", "16+12", "3"));
        ParseSignDefinition(testsigns::SignLine("Route", "K1000", "4", "4"));
        ParseSignDefinition(testsigns::SignLine("Rear", "K4000", "84x8", "5"));
        gLineNoFieldCount = 3;
    }
    void TearDown() override {
        kv::ResetAllState();
    }
    // Flags of the sub-records of a record and their third bytes (addresses).
    static std::string Shape(const std::vector<std::string>& subs) {
        std::string s;
        for (const std::string& r : subs)
            s += std::to_string(static_cast<unsigned char>(r[0])) + "@" + std::to_string(static_cast<unsigned char>(r[2])) + " ";
        return s;
    }
    static std::vector<std::string> Dest(const std::string& data, int16_t flag = 0, int n = 7) {
        return DestSubrecords(data, 3, flag, n, OutLayout::Ver1_5);
    }
    FakeUi ui;
};

}  // namespace

TEST_F(OutRecordsTest, SevenSegmentCodes) {
    const std::string chars = " 1234567890AbCdEFHL";
    const int codes[] = {0, 6, 91, 79, 102, 109, 125, 7, 127, 111, 63, 119, 124, 57, 94, 121, 113, 118, 56};
    for (size_t i = 0; i < chars.size(); ++i)
        EXPECT_EQ(static_cast<unsigned char>(SevenSegmentCode(chars[i])), codes[i]) << chars[i];
    for (char c : std::string("aBcDeGhl\0x", 10)) EXPECT_EQ(SevenSegmentCode(c), 0) << c;

    // The last character first, dark digits in front, only the last four shown.
    EXPECT_EQ(DigitCodes("12"), B({91, 6, 0, 0}));
    EXPECT_EQ(DigitCodes("12345"), B({109, 102, 79, 91}));
    EXPECT_EQ(DigitCodes(std::string(4, '\0')), B({0, 0, 0, 0}));
    EXPECT_EQ(DigitCodes("AbCd"), B({94, 57, 124, 119}));
    EXPECT_EQ(DigitCodes("ab"), B({124, 0, 0, 0}));
}

TEST_F(OutRecordsTest, RouteNumberSignSubrecords) {
    // flag, 1, address, 174, four codes, 255.
    EXPECT_EQ(EncodeK1000(132, 4, 12), B({132, 1, 4, 174, 0, 0, 0, 0, 255}));  // table off: dark
    EXPECT_EQ(K1000BlankSubrecord(9), B({4, 1, 9, 174, 0, 0, 0, 0, 255}));
    EXPECT_EQ(EncodeK1000Old(4, 4, Sec(2) + "x" + Sec(4) + "42", 12), B({4, 1, 4, 174, 91, 102, 0, 0, 255}));
    gLineNoTableOn = kTrue;
    gLineNoTable[12] = "7";
    EXPECT_EQ(EncodeK1000(4, 4, 12), B({4, 1, 4, 174, 7, 0, 0, 0, 255}));
    EXPECT_EQ(EncodeK1000Old(4, 4, Sec(4) + "42", 12), B({4, 1, 4, 174, 7, 0, 0, 0, 255}));  // the table wins
    EXPECT_EQ(ErrorOf([] { EncodeK1000(4, 4, 1000); }), 9);
    EXPECT_EQ(ErrorOf([] { EncodeK1000Old(4, 4, "", -1); }), 9);
}

TEST_F(OutRecordsTest, TextSubrecords) {
    // F, t, address, 162, 240 (no page mark) or 241, the text, 255.
    const std::string text = B({210, 0, 211, 7, 212, '1'}) + "AB";
    EXPECT_EQ(K4000Subrecord(text, 3, 2, 1, false), B({4, 3, 2, 162, 240}) + text + "\xFF");
    EXPECT_EQ(K4000Subrecord(text + Mark(5) + "C", 3, 2, 1, true), B({132, 3, 2, 162, 241}) + text + Mark(5) + "C\xFF");
    // The old layout adds the sign's size and drops nothing.
    EXPECT_EQ(K4000SubrecordOld(text + B({211, 7}), 3, 5, 1, false),
              B({4, 3, 5, 162, 240, 208, 84, 209, 8}) + text + B({211, 7, 255}));
    // Text signs: the text as it is.
    EXPECT_EQ(K2000Subrecord(B({211, 7, 211, 7}) + "  ", 9, 3, true), B({132, 9, 3, 162, 240, 211, 7, 211, 7, 32, 32, 255}));
    // Extra texts of the whole project: always 132, 176, 241, no address.
    EXPECT_EQ(K4000ExtraSubrecord(B({211, 7, 211, 7, 65}), 2), B({132, 2, 176, 241, 211, 7, 65, 255}));
    EXPECT_EQ(K2000ExtraSubrecord("HI", 2), B({132, 2, 176, 241, 'H', 'I', 255}));
    // Graphic sections of per-sign extra texts: 176 and 241 after the address.
    EXPECT_EQ(K4Extra1_6("A", 2, 5, "c"), B({4, 2, 5, 176, 241, 'A', 255}));
    EXPECT_EQ(K4Extra1_6("A", 2, 5, "L"), B({132, 2, 5, 176, 241, 'A', 255}));
    EXPECT_EQ(K4Extra1_6("A", 2, 5, "X"), "");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Fel i PROMFILE.K4Extra1_6");
    EXPECT_EQ(ui.messages[0].style, vbExclamation);

    EXPECT_EQ(ErrorOf([] { K2000Subrecord("", 256, 3, false); }), 5);
    EXPECT_EQ(ErrorOf([] { K2000Subrecord("", -1, 3, false); }), 5);
}

TEST_F(OutRecordsTest, DestinationRecordOrderAndFlags) {
    const std::string g2 = Sec(2) + "G", t3 = Sec(3) + "T", r4 = Sec(4) + "12", g5 = Sec(5) + "R";
    // Ascending order, the last flagged 132; the route-number sign's own
    // section gives its digits (the record is not destination 0's data).
    EXPECT_EQ(Shape(Dest(g2 + t3 + r4 + g5)), "4@2 4@3 4@4 132@5 ");
    EXPECT_EQ(Dest(g2 + r4 + g5)[1], B({4, 1, 4, 174, 91, 6, 0, 0, 255}));
    // The sign to show moves to the end; without a section nothing moves.
    gSignToShow = " 3: \"Side\", K2000_2R";
    EXPECT_EQ(Shape(Dest(g2 + t3 + g5)), "4@2 4@5 132@3 ");
    gSignToShow = " 9: \"None\", K4000";
    EXPECT_EQ(Shape(Dest(g2 + t3 + g5)), "4@2 4@3 132@5 ");
    // A section of an address without a sign adds nothing.
    EXPECT_EQ(Shape(Dest(g2 + Sec(7) + "zz" + g5)), "4@2 132@5 ");

    // With Flag: the missing signs get their defaults before the last
    // section, every route-number sign a blank one (also when it has its own).
    gSignToShow.clear();
    const auto one = Dest(g5, kTrue);
    EXPECT_EQ(Shape(one), "4@2 4@3 4@4 132@5 ");
    EXPECT_EQ(one[0], B({4, 3, 2, 162, 240, 210, 0, 211, 19, 212, 'x', ' ', 255}));
    EXPECT_EQ(one[1], B({4, 3, 3, 162, 240, ' ', 255}));
    EXPECT_EQ(one[2], K1000BlankSubrecord(4));
    // The old layout's default text stands at y 0 and carries the size.
    EXPECT_EQ(DestSubrecords(g5, 3, kTrue, 7, OutLayout::Old)[0],
              B({4, 3, 2, 162, 240, 208, 112, 209, 16, 210, 0, 211, 0, 212, 'x', ' ', 255}));
}

TEST_F(OutRecordsTest, RouteNumberSignAsLastSection) {
    const std::string g2 = Sec(2) + "G", r4 = Sec(4) + "12";
    // The last section's route-number sign sends its own text (without the
    // table its encoding would be four dark digits): "12", the last first.
    EXPECT_EQ(Dest(g2 + r4).back(), B({132, 1, 4, 174, 91, 6, 0, 0, 255}));
    gLineNoTableOn = kTrue;
    gLineNoTable[7] = "35";
    // With the table on every route-number sign gets its digits before the
    // last section (so the record has two of them).
    const auto subs = Dest(g2 + r4);
    EXPECT_EQ(Shape(subs), "4@2 4@4 132@4 ");
    EXPECT_EQ(subs[1], B({4, 1, 4, 174, 109, 79, 0, 0, 255}));
    EXPECT_EQ(subs[2], B({132, 1, 4, 174, 109, 79, 0, 0, 255}));
    EXPECT_EQ(ErrorOf([&] { Dest(g2 + r4, 0, 1000); }), 9);
}

TEST_F(OutRecordsTest, EveryRecordEndsWithAFlaggedSubrecord) {
    const std::string g2 = Sec(2) + "G", t3 = Sec(3) + "T", r4 = Sec(4) + "12";
    // The last section's route-number sign adds nothing when the record has
    // one already; the sub-record written last then ends the record.
    EXPECT_EQ(Shape(Dest(t3 + r4, kTrue)), "4@3 4@2 4@4 132@5 ");
    EXPECT_EQ(Shape(Dest(r4 + g2 + r4.substr(0, 2) + "3")), "4@4 132@2 ");
    // The last section belongs to no sign: the one before ends the record,
    // its text as it was written.
    const auto subs = Dest(g2 + Sec(8) + "x");
    ASSERT_EQ(subs.size(), 1u);
    EXPECT_EQ(subs[0], B({132, 3, 2, 162, 240, 'G', 255}));
    // Nothing for any sign: no record at all.
    EXPECT_TRUE(WriteDestRecordVer1_5(Sec(8) + "x" + Sec(9) + "y", 3, 0, 7).empty());
    EXPECT_EQ(WriteDestRecordVer1_5(g2 + t3, 3, 0, 7), B({4, 3, 2, 162, 240, 'G', 255, 132, 3, 3, 162, 240, 'T', 255}));
}

TEST_F(OutRecordsTest, DestinationZerosRouteNumberSign) {
    // Destination 0's data, as the default destination builds it: the route-
    // number sign's four zero bytes are not taken as digits.
    gDestList[0].SignData = Sec(4) + std::string(4, '\0') + Sec(2) + "G";
    EXPECT_EQ(Dest(gDestList[0].SignData, 0, 0)[0], B({4, 1, 4, 174, 0, 0, 0, 0, 255}));
    EXPECT_EQ(Dest(Sec(4) + "42" + Sec(2) + "G", 0, 0)[0], B({4, 1, 4, 174, 91, 102, 0, 0, 255}));
}

TEST_F(OutRecordsTest, BadSectionsStopTheBuild) {
    EXPECT_EQ(ErrorOf([] { Dest(Sec(2) + "G" + Sec(17) + "x"); }), 9);
    EXPECT_EQ(ErrorOf([] { Dest(Sec(1) + "x" + Sec(2) + "G"); }), 9);
    EXPECT_EQ(ErrorOf([] { Dest("\xFF"); }), 9);  // no address byte
    EXPECT_EQ(ErrorOf([] { WriteExtraK4000(Sec(0) + "x", 3); }), 9);
    EXPECT_EQ(ErrorOf([] { Dest(Sec(2) + "G", 0, 7); DestSubrecords(Sec(2) + "G", 300, 0, 7, OutLayout::Ver1_5); }), 5);
}

TEST_F(OutRecordsTest, ExtraTextRecords) {
    // Without per-sign sections: one sub-record for the lowest text or graphic sign.
    EXPECT_EQ(WriteExtraRecord(B({211, 7, 211, 7, 65}), 4), B({132, 4, 176, 241, 211, 7, 65, 255}));
    gSignInfo[0].Model.clear();  // address 2 gone: the text sign at 3 shows it
    EXPECT_EQ(WriteExtraRecord(B({211, 7, 211, 7, 65}), 4), B({132, 4, 176, 241, 211, 7, 211, 7, 65, 255}));
    gSignInfo[1].Model = "K1000";
    gSignInfo[3].Model.clear();
    EXPECT_EQ(ErrorOf([] { WriteExtraRecord("A", 4); }), 9);  // no sign can show it
}

TEST_F(OutRecordsTest, ExtraTextWithSectionsBuiltWithoutThem) {
    // Written while the per-sign option was on, built after it was switched
    // off (or in the old layout): the showing sign's own section goes out,
    // never the section marks.
    const std::string data = Sec(3) + "T" + Sec(2) + "A";
    EXPECT_EQ(WriteExtraRecord(data, 4), B({132, 4, 176, 241, 'A', 255}));
    gSignInfo[0].Model.clear();  // the text sign at 3 shows it now
    EXPECT_EQ(WriteExtraRecord(data, 4), B({132, 4, 176, 241, 'T', 255}));
    // No section of the showing sign: the first one.
    EXPECT_EQ(WriteExtraRecord(Sec(5) + "R", 4), B({132, 4, 176, 241, 'R', 255}));
}

TEST_F(OutRecordsTest, PerSignExtraTextRecords) {
    // Graphic sections: 176 241; text sections as destinations (162, 240/241);
    // route-number sections nothing; no defaults.
    const std::string data = Sec(2) + "A  " + Sec(3) + "T" + Mark(2) + "U" + Sec(4) + "12" + Sec(5) + "R";
    EXPECT_EQ(WriteExtraK4000(data, 6), B({4, 6, 2, 176, 241, 'A', ' ', ' ', 255, 4, 6, 3, 162, 241, 'T', 176, 2, 'U',
                                           255, 132, 6, 5, 176, 241, 'R', 255}));
    gSignToShow = " 2: \"Front\", K4000";
    EXPECT_EQ(WriteExtraK4000(Sec(2) + "A" + Sec(3) + "T", 6),
              B({4, 6, 3, 162, 240, 'T', 255, 132, 6, 2, 176, 241, 'A', 255}));
    // A last section that gives nothing: the text sign's sub-record ends it.
    EXPECT_EQ(WriteExtraK4000(Sec(3) + "T" + Sec(4) + "1", 6), B({132, 6, 3, 162, 240, 'T', 255}));
}

TEST_F(OutRecordsTest, FillAndBlankTexts) {
    const std::string xFill = B({210, 0, 211, 19, 212, 'x'}) + std::string(20, '"') + B({210, 0, 211, 27}) +
                              std::string(20, '"');  // the second font command repeats "x" and is dropped
    const std::string a = BuildAllSignsTextA();
    EXPECT_EQ(a, B({4, 3, 2, 162, 240}) + xFill + "\xFF" + B({4, 3, 3, 162, 240}) + std::string(28, '"') + "\xFF" +
                     B({132, 3, 5, 162, 240}) + xFill + "\xFF");
    const std::string blank = B({210, 0, 211, 19, 212, 'x', ' '});
    EXPECT_EQ(BuildAllSignsTextB(), B({4, 3, 2, 162, 240}) + blank + "\xFF" + B({4, 3, 3, 162, 240, ' ', 255}) +
                                        B({132, 3, 5, 162, 240}) + blank + "\xFF");
    EXPECT_TRUE(ui.messages.empty());
    for (auto& s : gSignInfo)
        if (s.Model != "K1000") s.Model.clear();
    EXPECT_EQ(BuildAllSignsTextA(), "");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "ERROR!!!!");
}
