// The copy buffers of whole entries: copying the selected list lines and
// pasting them back under their own or an asked number.
#include <gtest/gtest.h>

#include <deque>

#include "app/copybuffer.h"
#include "data/destcodes.h"
#include "data/destlist.h"
#include "data/records.h"
#include "data/settings.h"
#include "platform/reset.h"
#include "platform/vb.h"
#include "support/fake_ui.h"

using namespace kv;

namespace {

class CopyBufferTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAllState();
        gDestListActive = kTrue;
        gExtraPerSign = kTrue;
    }
    void TearDown() override { ResetAllState(); }

    static void Dest(int16_t n, const std::string& text) {
        DestRecord& r = gDestList[static_cast<size_t>(n)];
        r.Text = "\xff" "FRONT# " + text;
        r.SignData = "\xff\x02" + text;
        r.ChangeTime = 5;
        r.Code = PadCode(std::to_string(n));
        PlaceListLine(r.Text, n, DestList);
    }
    static void Extra(int16_t n, const std::string& text) {
        DestRecord& r = gExtraList[static_cast<size_t>(n)];
        r.Text = "\xff" "FRONT# " + text;
        r.SignData = "\xff\x02" + text;
        PlaceListLine(r.Text, n, ExtraList);
    }
    static std::string Line(const ListModel& list, int16_t n) { return list.List(FindListIndexByNumber(list, n)); }
    // Answers the number prompts in turn and records them.
    NumberAsker Answers(std::deque<std::string> answers) {
        return [this, answers](const std::string& prompt, const std::string& title,
                               const std::string& proposed) mutable {
            asked.push_back(prompt + "|" + title + "|" + proposed);
            if (answers.empty()) return std::string();
            std::string a = answers.front();
            answers.pop_front();
            return a;
        };
    }

    FakeUi ui;
    std::vector<std::string> asked;
};

TEST_F(CopyBufferTest, AFreeNumberTakesTheRecordWithoutAQuestion) {
    for (int16_t n : {1, 2, 3, 5}) Dest(n, "D" + std::to_string(n));
    CopyDestRecords({Line(DestList, 5)});
    ASSERT_TRUE(DestBufferFilled());
    const DestRecord copied = gDestList[5];
    gDestList[5] = DestRecord{};
    DestList.RemoveItem(FindListIndexByNumber(DestList, 5));

    PasteDestRecords(Answers({}));
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(gDestList[5].Text, copied.Text);
    EXPECT_EQ(gDestList[5].SignData, copied.SignData);
    EXPECT_EQ(gDestList[5].Code, "5   ");
    EXPECT_EQ(gDestList[5].ChangeTime, 5);
    // The line stands in number order, the last still naming the highest.
    EXPECT_EQ(DestList.Lines(), (std::vector<std::string>{"   1   FRONT# D1", "   2   FRONT# D2", "   3   FRONT# D3",
                                                           "   5   FRONT# D5"}));
}

TEST_F(CopyBufferTest, ATakenNumberAsksUntilAFreeNumberInTheTableIsGiven) {
    for (int16_t n = 1; n <= 7; ++n) Dest(n, "D" + std::to_string(n));
    CopyDestRecords({Line(DestList, 2), Line(DestList, 5)});
    // Letters, a taken number, numbers outside the table: asked again.
    PasteDestRecords(Answers({"abc", "3", "10000", "-1", " 17 ", "", "x"}));
    ASSERT_EQ(asked.size(), 6u);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(asked[i], "Enter new destnumber|Kivar32|8") << i;
    EXPECT_EQ(asked[5], "Enter new destnumber|Kivar32|18");
    // 2 went to 17 with its number as code; 5 was skipped by the empty answer.
    EXPECT_EQ(gDestList[17].Text, gDestList[2].Text);
    EXPECT_EQ(gDestList[17].SignData, gDestList[2].SignData);
    EXPECT_EQ(gDestList[17].Code, "17  ");
    EXPECT_EQ(gDestList[2].Code, "2   ");
    EXPECT_EQ(DestList.ListCount(), 8);
    EXPECT_EQ(LastUsedNumber(DestList), 17);
    EXPECT_TRUE(gDestList[8].Text.empty());

    // The buffer stays: a second paste asks again, now proposing 18.
    asked.clear();
    PasteDestRecords(Answers({"9.4", "20"}));
    EXPECT_EQ(asked.at(0), "Enter new destnumber|Kivar32|18");
    EXPECT_EQ(gDestList[9].Code, "9   ");
    EXPECT_EQ(gDestList[20].Text, gDestList[5].Text);
}

TEST_F(CopyBufferTest, WithCodesTheLinesNameTheirDestinationsByCode) {
    gTxlVersion = 6;
    gDestCodesOn = kTrue;
    Dest(1, "ONE");
    Dest(2, "TWO");
    gDestList[2].Code = "AB  ";
    DestList.Clear();
    for (int16_t n : {1, 2}) PlaceListLine(gDestList[static_cast<size_t>(n)].Text, n, DestList);
    ASSERT_EQ(DestList.List(1).substr(0, 4), "AB  ");
    CopyDestRecords({DestList.List(1)});
    PasteDestRecords(Answers({"3"}));
    EXPECT_EQ(gDestList[3].Text, gDestList[2].Text);
    // The new line shows the code the record took, in code order.
    EXPECT_EQ(DestList.Lines(), (std::vector<std::string>{"1    FRONT# ONE", "3    FRONT# TWO", "AB   FRONT# TWO"}));
}

TEST_F(CopyBufferTest, ExtraTextsPasteInOneToNineHundredNinetyNine) {
    for (int16_t n : {1, 2}) Extra(n, "E" + std::to_string(n));
    CopyExtraRecords({Line(ExtraList, 1)});
    ASSERT_TRUE(ExtraBufferFilled());
    PasteExtraRecords(Answers({"0", "1000", "2", "999"}));
    ASSERT_EQ(asked.size(), 4u);
    EXPECT_EQ(asked[0], "Enter new extranumber|Kivar32|3");
    EXPECT_EQ(gExtraList[999].Text, gExtraList[1].Text);
    EXPECT_TRUE(gExtraList[0].Text.empty());
    // Extra texts keep their code.
    EXPECT_EQ(gExtraList[999].Code, gExtraList[1].Code);
    EXPECT_EQ(Line(ExtraList, 999), " 999   FRONT# E1");
}

TEST_F(CopyBufferTest, AnExtraTextBufferOfTheOtherPerSignModeIsDropped) {
    Dest(1, "D1");
    Extra(1, "E1");
    CopyDestRecords({Line(DestList, 1)});
    CopyExtraRecords({Line(ExtraList, 1)});
    SetCopyBufferTexts({"dropped", "d?", "e?"});

    // The same mode keeps it, without a message.
    CheckCopyBuffer();
    EXPECT_TRUE(ExtraBufferFilled());
    EXPECT_TRUE(ui.messages.empty());

    gExtraPerSign = kFalse;
    CheckCopyBuffer();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "dropped");
    EXPECT_EQ(ui.messages[0].style, vbInformation);
    EXPECT_EQ(ui.messages[0].title, kMsgTitle);
    EXPECT_FALSE(ExtraBufferFilled());
    EXPECT_TRUE(DestBufferFilled());

    // Nothing is left to paste of the extra texts.
    gExtraList[1] = DestRecord{};
    PasteExtraRecords(Answers({}));
    EXPECT_TRUE(gExtraList[1].Text.empty());
}

}  // namespace
