#include <gtest/gtest.h>

#include "data/records.h"
#include "data/signtable.h"
#include "files/outbytes.h"
#include "files/outoptions.h"
#include "files/telegram.h"
#include "platform/reset.h"
#include "platform/vb.h"
#include "support/signs_state.h"

using namespace kv;
using testsigns::B;
using testsigns::Mark;
using testsigns::Sec;

namespace {

class TelegramTest : public ::testing::Test {
protected:
    void SetUp() override {
        kv::ResetAllState();
        ParseSignDefinition(testsigns::SignLine("Front", "K4000", "112x16", "2"));
        ParseSignDefinition(testsigns::SignLine("Side", "K2000_1R", "20", "3"));
        ParseSignDefinition(testsigns::SignLine("Rear", "K4000", "84x8", "5"));
    }
    void TearDown() override {
        kv::ResetAllState();
    }
};

}  // namespace

TEST_F(TelegramTest, ChecksumEscapes) {
    // The sum leaves out the leading 255; 254 and 255 go out as two bytes.
    EXPECT_EQ(TelegramChecksum(B({255, 200, 53})), B({253}));
    EXPECT_EQ(TelegramChecksum(B({255, 200, 54})), B({254, 0}));
    EXPECT_EQ(TelegramChecksum(B({255, 200, 55})), B({254, 1}));
    EXPECT_EQ(TelegramChecksum(B({255, 200, 56})), B({0}));
    EXPECT_EQ(TelegramChecksum(B({255})), B({0}));
    // The whole-text checksum of the out-file: the first character is not
    // counted either; 510 is 254 modulo 256.
    EXPECT_EQ(MakeChecksum(B({9, 255, 255})), B({254, 0}));
    EXPECT_EQ(MakeChecksum(B({9, 255, 0})), B({254, 1}));
}

TEST_F(TelegramTest, OneTelegramPerSubrecord) {
    // Three sub-records, in their order; each body from the address on.
    const std::string data = BuildDestTelegramData(Sec(2) + "A" + Sec(3) + "B" + Sec(5) + "C", 3, 0, 1);
    const auto t = SplitTelegrams(data);
    ASSERT_EQ(t.size(), 3u);
    // 2+162+240+65 = 469 = 213 modulo 256.
    EXPECT_EQ(t[0], B({255, 2, 162, 240, 'A', 213, 255}));
    EXPECT_EQ(t[1], B({255, 3, 162, 240, 'B', 215, 255}));
    EXPECT_EQ(t[2], B({255, 5, 162, 240, 'C', 218, 255}));
    // A body summing to 254 (2+162+90) or 255 ends in the escape.
    EXPECT_EQ(SplitTelegrams(B({4, 3, 2, 162, 90, 255})), std::vector<std::string>{B({255, 2, 162, 90, 254, 0, 255})});
    EXPECT_EQ(SplitTelegrams(B({132, 3, 2, 162, 91, 255})), std::vector<std::string>{B({255, 2, 162, 91, 254, 1, 255})});
    // A single sub-record: one telegram.
    EXPECT_EQ(SplitTelegrams(BuildDestTelegramData(Sec(3) + "B", 3, 0, 1)).size(), 1u);
    EXPECT_TRUE(SplitTelegrams("").empty());
}

TEST_F(TelegramTest, PageTimeZeroGoesOutAsOne) {
    const std::string data = BuildDestTelegramData(Sec(3) + "A" + Mark(0) + "B" + Mark(2) + "C", 3, 0, 1);
    ASSERT_EQ(data, B({132, 3, 3, 162, 241, 'A', 176, 0, 'B', 176, 2, 'C', 255}));
    const auto t = SplitTelegrams(data);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].substr(0, 11), B({255, 3, 162, 241, 'A', 176, 1, 'B', 176, 2, 'C'}));
}

TEST_F(TelegramTest, DestinationTelegrams) {
    gDestList[12].SignData = Sec(5) + "R" + Sec(2) + "F";
    gDestList[12].ChangeTime = 4;
    gDestList[12].Flag = kTrue;  // the text sign gets its blank
    const auto t = DestTelegrams(12);
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[0].substr(0, 5), B({255, 5, 162, 240, 'R'}));
    EXPECT_EQ(t[1].substr(0, 5), B({255, 3, 162, 240, ' '}));
    EXPECT_EQ(t[2].substr(0, 5), B({255, 2, 162, 240, 'F'}));
    EXPECT_TRUE(DestTelegrams(13).empty());  // nothing committed
}
