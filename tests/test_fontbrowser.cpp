// The font browser's row: which characters it holds, where they stand and
// how far it scrolls each way.
#include <gtest/gtest.h>

#include "app/fontbrowser.h"
#include "data/charmap.h"
#include "platform/reset.h"

using namespace kv;

namespace {

class FontBrowserTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAllState();
        // The placeholders always map to themselves.
        for (int c = kFirstPlaceholder; c <= kLastPlaceholder; ++c) gCharMap[c - 32] = static_cast<int16_t>(c);
    }
    void TearDown() override { ResetAllState(); }
    static void Map(std::initializer_list<int> codes) {
        for (int c : codes) gCharMap[c - 32] = static_cast<int16_t>(c - 30);
    }
    // The visible elements as code@x.
    static std::string Shown(const FontBrowserRow& row) {
        std::string s;
        for (int k = row.First(); k >= 1 && k <= row.Last(); ++k)
            s += std::to_string(row.Codes()[static_cast<size_t>(k - 1)]) + "@" + std::to_string(row.X(k)) + " ";
        return s;
    }
};

}  // namespace

TEST_F(FontBrowserTest, ScrollsOneCharacterAtATimeWithinTheMappedCodes) {
    Map({65, 66, 67, 68, 249});
    FontBrowserRow row(25, [](int16_t) { return 10; });
    row.Build();
    EXPECT_EQ(Shown(row), "65@0 66@10 67@20 ");
    EXPECT_EQ(row.Codes().size(), 3u);

    const char* right[] = {"66@0 67@10 68@20 ", "67@0 68@10 249@20 ", "68@0 249@10 ", "249@0 ", "249@0 "};
    for (const char* expected : right) {
        row.ScrollRight();
        EXPECT_EQ(Shown(row), expected);
    }
    // The placeholders 250..254 never join the row.
    EXPECT_EQ(row.Codes().back(), 249);
    EXPECT_EQ(row.Codes().size(), 5u);

    for (int i = 0; i < 6; ++i) row.ScrollLeft();
    EXPECT_EQ(Shown(row), "65@0 66@10 67@20 ");
    EXPECT_EQ(row.First(), 1);
    EXPECT_EQ(row.X(4), -1);  // made, but out of sight
}

TEST_F(FontBrowserTest, ElementsOfTheirOwnWidthAndAnEmptyMap) {
    Map({40, 41, 42});
    FontBrowserRow row(30, [](int16_t code) { return code == 40 ? 25 : 4; });
    row.Build();
    // The next element is made while it starts inside the area.
    EXPECT_EQ(Shown(row), "40@0 41@25 42@29 ");

    gCharMap[40 - 32] = gCharMap[41 - 32] = gCharMap[42 - 32] = 0;
    FontBrowserRow empty(30, [](int16_t) { return 4; });
    empty.Build();
    empty.ScrollRight();
    empty.ScrollLeft();
    EXPECT_TRUE(empty.Codes().empty());
    EXPECT_EQ(empty.First(), 0);
    EXPECT_EQ(Shown(empty), "");
}
