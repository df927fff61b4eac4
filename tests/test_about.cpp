// The About window's texts: the "REPLACE" rules of the address blocks, the
// product word's mark in the disclaimer, and the key phrases.
#include <gtest/gtest.h>

#include "app/about.h"

using namespace kv;

namespace {

// S1100..S1113 with the given replacements.
std::vector<std::string> Keys(std::initializer_list<std::pair<int, std::string>> set) {
    std::vector<std::string> s;
    for (int n = 1100; n <= 1113; ++n) s.push_back("T" + std::to_string(n));
    for (const auto& [key, text] : set) s[static_cast<size_t>(key - 1100)] = text;
    return s;
}

std::string Maker(const std::vector<std::string>& lines) {
    std::string out = kMakerLine;
    for (const auto& l : lines) out += "\r\n" + l;
    return out + "\r\n" + kMakerWebAddress;
}

}  // namespace

TEST(AboutTexts, ReplaceRules) {
    const std::string rep = "T1112\r\nT1113\r\nT1107\r\nT1108\r\nT1109\r\nT1110\r\nT1111";
    struct Case {
        std::vector<std::string> keys;
        std::string description;
        bool representative;
        std::string repAddress;
    };
    const Case cases[] = {
        {Keys({}), Maker({"T1100", "T1103", "T1101", "T1102"}), true, rep},
        {Keys({{1103, "REPLACE"}}), Maker({"T1100", "T1101", "T1102"}), true, rep},
        {Keys({{1103, "REPLACE me"}, {1107, "REPLACE"}}), Maker({"T1100", "T1101", "T1102"}), false, ""},
        {Keys({{1107, "REPLACE with the dealer"}}), Maker({"T1100", "T1103", "T1101", "T1102"}), false, ""},
        // Only the start counts, and only in capitals.
        {Keys({{1103, "Replace"}, {1107, "No REPLACE"}}),
         Maker({"T1100", "Replace", "T1101", "T1102"}), true,
         "T1112\r\nT1113\r\nNo REPLACE\r\nT1108\r\nT1109\r\nT1110\r\nT1111"},
    };
    for (const Case& c : cases) {
        const AboutTexts t = ComposeAboutTexts(c.keys);
        EXPECT_EQ(t.description, c.description) << c.keys[3] << " / " << c.keys[7];
        EXPECT_EQ(t.representative, c.representative) << c.keys[7];
        EXPECT_EQ(t.repAddress, c.repAddress) << c.keys[7];
    }
}

TEST(AboutTexts, DisclaimerMarksEveryProductWord) {
    EXPECT_EQ(ComposeAboutTexts(Keys({{1104, "Kivar is "}, {1105, "free; "}, {1106, "KIVAR32 and kivar."}})).disclaimer,
              "Kivar\xAE is free; KIVAR\xAE" "32 and kivar\xAE.");
    EXPECT_EQ(MarkProductWord("no word here"), "no word here");
    EXPECT_EQ(MarkProductWord("KivarKivar"), "Kivar\xAEKivar\xAE");
}

TEST(AboutTexts, KeyPhrasesNeedShiftCtrlAndAlt) {
    AboutKeySequence k;
    auto type = [&](const std::string& keys, int shift) {
        std::string last;
        for (char c : keys) last = k.KeyDown(c, shift);
        return last;
    };
    EXPECT_EQ(type("TOWEL", 3), "");
    EXPECT_EQ(k.Typed(), "");
    // One phrase in two parts, the Shift key itself between them.
    EXPECT_EQ(type("TOW", 7), "");
    EXPECT_EQ(k.KeyDown(16, 7), "");
    EXPECT_FALSE(type("EL", 7).empty());
    EXPECT_EQ(k.Typed(), "");
    EXPECT_FALSE(type("XPALMCOVERS", 7).empty());
    EXPECT_NE(type("PALMCOVERS", 7), type("TOWEL", 7));
    // A long run of other keys is forgotten.
    type(std::string(100, 'Q'), 7);
    EXPECT_EQ(k.Typed().size(), 100u);
    type("Q", 7);
    EXPECT_EQ(k.Typed(), "");
}
