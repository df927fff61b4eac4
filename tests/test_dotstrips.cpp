#include <gtest/gtest.h>

#include <random>

#include "data/inverted.h"
#include "data/language.h"
#include "engine/dotlayers.h"
#include "engine/dotstrips.h"
#include "engine/graphicfile.h"
#include "engine/graphictools.h"
#include "platform/reset.h"
#include "platform/safefile.h"
#include "support/fake_ui.h"
#include "support/graphics_state.h"
#include "support/testutil.h"

using namespace kv;
using testgfx::Art;
using testgfx::Hex;
using testgfx::PutArt;

namespace {

class DotStripsTest : public ::testing::Test {
protected:
    void SetUp() override { Fresh(12, 10); }
    void TearDown() override {
        SetSafeWriteFault(nullptr);
        kv::ResetAllState();
    }
    void Fresh(int w, int h) {
        kv::ResetAllState();
        testgfx::MakeSign(w, h);
        W = w;
        H = h;
    }
    static void Select(int x1, int y1, int x2, int y2) {
        gSelX1 = static_cast<int16_t>(5 * x1);
        gSelY1 = static_cast<int16_t>(5 * y1);
        gSelX2 = static_cast<int16_t>(5 * x2);
        gSelY2 = static_cast<int16_t>(5 * y2);
    }
    int W = 0, H = 0;
    FakeUi ui;
    testgfx::FakeHead head;
};

// One run per line, in hex.
std::string Runs(const std::string& text) {
    std::string out;
    size_t p = 0;
    while (p < text.size()) {
        size_t next = text.find('\xD2', p + 1);
        if (next == std::string::npos) next = text.size();
        out += "  " + Hex(text.substr(p, next - p)) + "\n";
        p = next;
    }
    return out.empty() ? "  (empty)\n" : out;
}

std::string StripRun(int x, int y, const std::string& slices) {
    return std::string{'\xD2', static_cast<char>(x), '\xD3', static_cast<char>(y), '\xD4', 'w'} + slices;
}

TEST_F(DotStripsTest, EncodingMatchesGolden) {
    struct Case {
        std::string name;
        int w, h;
        std::vector<std::string> picture;
        int selection[4];  // dots; all 0 = the whole graphic
    } cases[] = {
        {"a gap of five blank columns stays inside the run", 12, 5, {"...#.....#"}, {}},
        {"a gap of six starts a new run; the first run has one slice", 12, 5, {"...#......#"}, {}},
        {"the run ends with the two blank columns left before the edge", 12, 5, {".........#"}, {}},
        {"five blanks and the edge: all five stay", 12, 5, {"......#"}, {}},
        {"slice codes: row i of the strip adds 2^i", 12, 5, {"##...#", "#...#", "#..#", "#.#", "##"}, {}},
        {"strip tops at rows 0, 5, 10; y is the strip's bottom row", 12, 12,
         {"#", "", "", "", "", "", "", "", "", "", ".#", "", "..#"}, {}},
        {"the last strip of a 12-row sign reads the margin rows 12..14", 12, 12,
         {"", "", "", "", "", "", "", "", "", "", "", "", "", "...#"}, {}},
        {"a 19-row sign: four strips, the last reads row 19", 8, 19,
         {"", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "#", "", "", "", ".#"}, {}},
        {"selection (0,0)-(10,5) with only its top-left dot lit", 12, 10, {"#"}, {0, 0, 10, 5}},
        {"selection positions are relative to its top-left dot", 12, 10,
         {"", "", "...#.#", "....#"}, {2, 2, 9, 8}},
        {"a selection five rows high has one strip and an empty last strip", 12, 10,
         {"", "#", "", "", "", "#", "#"}, {0, 1, 4, 6}},
        {"a selection seven rows high: the last strip has two rows, y = its top + 4", 12, 10,
         {"", "", "", "", "", "", "", ".#", "..#"}, {0, 2, 4, 9}},
        {"the selection's right edge ends the run after two blanks", 12, 10, {"..#"}, {0, 0, 5, 5}},
        {"corners reversed and beyond the sign are normalised and clamped", 12, 10,
         {"", "", "", "", "", "", "", "", "", "..........##"}, {20, 20, 5, 8}},
    };
    std::string out;
    for (const auto& c : cases) {
        Fresh(c.w, c.h);
        PutArt(0, c.picture);
        std::string text;
        const int* s = c.selection;
        if (s[0] == 0 && s[1] == 0 && s[2] == 0 && s[3] == 0) {
            gGraphicModified = -1;
            text = GraphicToText();
        } else {
            Select(s[0], s[1], s[2], s[3]);
            text = SelectionToText();
        }
        out += "## " + c.name + "\n" + Art(0, c.w, c.h, 5) + Runs(text) + "\n";
    }
    std::string diff;
    EXPECT_TRUE(testutil::MatchesGolden("graphics/strips.txt", out, &diff)) << diff;

    // Worked out by hand from the strip rules:
    // - rows 0..4 of column 0 lit give 32 + 31 = 3f; column 1 rows 0 and 4
    //   give 32 + 1 + 16 = 31; then rows 3, 2, 1, 0 alone: 28, 24, 22, 21;
    //   the six blank columns up to the edge end the run without a trace;
    // - a dot on row 10 starts the third strip (rows 10..14), whose runs
    //   carry y = 14 (0e); row 12 is its bit 2 (24).
    Fresh(12, 5);
    PutArt(0, {"##...#", "#...#", "#..#", "#.#", "##"});
    gGraphicModified = -1;
    EXPECT_EQ(Hex(GraphicToText()), "d2 00 d3 04 d4 77 3f 31 28 24 22 21");
    Fresh(12, 12);
    PutArt(0, {"#", "", "", "", "", "", "", "", "", "", ".#", "", "..#"});
    gGraphicModified = -1;
    EXPECT_EQ(Hex(GraphicToText()), "d2 00 d3 04 d4 77 21 d2 01 d3 0e d4 77 21 24");
}

TEST_F(DotStripsTest, TheRunOfASingleDot) {
    PutArt(0, {"#"});
    gSelX1 = 0;
    gSelY1 = 0;
    gSelX2 = 50;
    gSelY2 = 25;
    EXPECT_EQ(SelectionToText(), StripRun(0, 4, "!"));
}

TEST_F(DotStripsTest, AnUnchangedGraphicIsHandedOutAsItWasRead) {
    // Runs as another encoder made them: a break inside a gap this encoder
    // would keep, and an explicit blank slice.
    const std::string stored = StripRun(0, 4, "!") + StripRun(2, 4, " !");
    DrawTextRun(StripRun(0, 4, "!"), 0, 0);
    DrawTextRun(StripRun(2, 4, " !"), 0, 0);
    EXPECT_EQ(gGraphicText, stored);
    EXPECT_EQ(GraphicToText(), stored);
    gGraphicModified = -1;
    EXPECT_EQ(GraphicToText(), StripRun(0, 4, "!  !"));
    EXPECT_EQ(gGraphicText, stored);  // re-encoding leaves the stored text alone
}

TEST_F(DotStripsTest, DrawTextRunShiftsClipsAndOnlyAdds) {
    PutArt(0, {"", "", "", "", "", "", "", "", "", "####"});
    const std::string run = StripRun(10, 4, "?!0");  // '0' = 16: bottom row only
    DrawTextRun(run, 1, 5);
    EXPECT_EQ(gGraphicText, run);  // appended unshifted
    EXPECT_EQ(Art(0, W, H, 2),
              "............::\n"
              "............::\n"
              "............::\n"
              "............::\n"
              "............::\n"
              "...........##:\n"  // column 11 and column W = 12; 13 is dropped
              "...........#::\n"
              "...........#::\n"
              "...........#::\n"
              "####.......#::\n"  // the old dots stay
              "::::::::::::::\n"
              "::::::::::::::\n");
    // Dots above the top and left of the layer are dropped.
    DrawTextRun(StripRun(0, 1, "?"), -1, 0);
    DrawTextRun(StripRun(0, 1, "?"), 0, 0);
    EXPECT_EQ(GetGraphicPixel(0, 0, 0), -1);
    EXPECT_EQ(GetGraphicPixel(0, 0, 1), -1);
    EXPECT_EQ(GetGraphicPixel(0, 0, 2), 0);
    // Short runs draw nothing but are kept.
    const std::string before = Art(0, W, H);
    gGraphicText.clear();
    DrawTextRun("\xD2\x01\xD3\x04\xD4w", 0, 0);
    DrawTextRun("\xD2\x01", 0, 0);
    EXPECT_EQ(Art(0, W, H), before);
    EXPECT_EQ(gGraphicText, std::string("\xD2\x01\xD3\x04\xD4w\xD2\x01"));
    // Every run drawn is painted where it lands.
    EXPECT_TRUE(head.painted.count({12, 5}));
    EXPECT_FALSE(head.painted.count({13, 5}));
}

TEST_F(DotStripsTest, PasteDrawsEveryRunAtTheSelectionAndSetsTheFlags) {
    const std::string text = "junk" + StripRun(0, 4, "#") + StripRun(3, 9, "!!");
    gSelX1 = 10;  // dot 2
    gSelY1 = 7;   // dot 1
    PasteGraphicText(text);
    EXPECT_EQ(Art(0, W, H, 0),
              "............\n"
              "..#.........\n"  // '#' = 3: the strip's rows 0 and 1, bottom row 4 + 1
              "..#.........\n"
              "............\n"
              "............\n"
              "............\n"
              ".....##.....\n"  // the second run's top row: 9 + 1 - 4
              "............\n"
              "............\n"
              "............\n");
    EXPECT_EQ(gHasGraphic, -1);
    EXPECT_EQ(gGraphicModified, -1);
    const std::string once = Art(0, W, H);
    PasteGraphicText(text);
    EXPECT_EQ(Art(0, W, H), once);
    // No run at all still marks the page as holding a graphic.
    gHasGraphic = 0;
    PasteGraphicText("nothing");
    EXPECT_EQ(gHasGraphic, -1);
}

TEST_F(DotStripsTest, RandomPicturesRoundTripThroughStripsAndPaste) {
    std::mt19937 rng(testutil::TestSeed(7));
    for (int round = 0; round < 40; ++round) {
        const int w = 1 + static_cast<int>(rng() % 40), h = 1 + static_cast<int>(rng() % 20);
        Fresh(w, h);
        const unsigned density = 1 + rng() % 4;
        for (int x = 0; x < w; ++x)
            for (int y = 0; y < h; ++y)
                if (rng() % 8 < density) SetGraphicPixel(0, x, y, -1);
        const std::string picture = Art(0, w, h, 0);
        gGraphicModified = -1;
        const std::string whole = GraphicToText();
        Select(0, 0, w, h);
        EXPECT_EQ(SelectionToText(), whole) << round;  // the same runs when the selection is the sign

        ClearGraphicLayer();
        gGraphicText.clear();
        gSelX1 = gSelY1 = 0;
        PasteGraphicText(whole);
        EXPECT_EQ(Art(0, w, h, 0), picture) << round;
    }
}

// ---- graphic files

TEST_F(DotStripsTest, GraphicFileHasTheLengthInFront) {
    const std::string text = StripRun(0, 4, std::string(294, '?'));
    ASSERT_EQ(text.size(), 300u);
    const std::string file = EncodeGraphicFile(text);
    EXPECT_EQ(Hex(file.substr(0, 3)), "01 2c d2");
    EXPECT_EQ(file.size(), 302u);
    EXPECT_EQ(DecodeGraphicFile(file), text);
    EXPECT_EQ(EncodeGraphicFile(std::string(65536, '!')), "");
}

TEST_F(DotStripsTest, WriteAndReadAGraphicFileMatchesGolden) {
    testutil::TempDir dir;
    PutArt(0, {"", "..##....#", "..#.#..##", "..##..#.#", "..#......", "..#......", "...###"});
    Select(2, 1, 10, 7);
    ASSERT_TRUE(WriteGraphicFile(dir.file("logo.grf")));
    const std::string bytes = testutil::ReadFile(dir.file("logo.grf"));
    std::string diff;
    EXPECT_TRUE(testutil::MatchesGolden("graphics/logo.grf.txt", Hex(bytes) + "\n", &diff)) << diff;
    std::string text;
    ASSERT_TRUE(ReadGraphicFile(dir.file("LOGO.GRF"), text));  // found whatever the case
    Select(2, 1, 10, 7);
    EXPECT_EQ(text, SelectionToText());
    // Imported elsewhere it draws the same dots from the selection's corner.
    ClearGraphicLayer();
    gSelX1 = 0;
    gSelY1 = 0;
    PasteGraphicText(text);
    EXPECT_EQ(Art(0, W, H, 0).substr(0, 4 * 13),
              "##....#.....\n"
              "#.#..##.....\n"
              "##..#.#.....\n"
              "#...........\n");
}

TEST_F(DotStripsTest, AnEmptySelectionWritesNothingAndShowsS39) {
    testutil::TempDir dir;
    testutil::WriteFile(dir.file("old.grf"), "old");
    gTextS39 = "Nothing selected";
    Select(0, 0, 4, 4);
    EXPECT_FALSE(WriteGraphicFile(dir.file("old.grf")));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Nothing selected");
    EXPECT_EQ(ui.messages[0].style, vbExclamation);
    EXPECT_EQ(ui.messages[0].title, kMsgTitle);
    EXPECT_EQ(testutil::ReadFile(dir.file("old.grf")), "old");
    gTextS39.clear();
}

TEST_F(DotStripsTest, AFailedWriteKeepsTheOldFileAndIsReported) {
    testutil::TempDir dir;
    testutil::WriteFile(dir.file("old.grf"), "old");
    PutArt(0, {"#"});
    Select(0, 0, 4, 4);
    SetSafeWriteFault([](SafeWriteStage s, const std::string&) { return s == SafeWriteStage::Rename; });
    EXPECT_FALSE(WriteGraphicFile(dir.file("old.grf")));
    EXPECT_EQ(testutil::ReadFile(dir.file("old.grf")), "old");
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(DotStripsTest, OlderAndDamagedGraphicFilesAreRead) {
    const std::string run = StripRun(1, 4, "?!");  // 8 characters
    struct Case {
        const char* what;
        std::string bytes;
        std::string text;
    } cases[] = {
        {"length header", std::string("\x00\x08", 2) + run, run},
        {"header length not matching the file: read as text form", std::string("\x00\x07", 2) + run, ""},
        {"text form: number, comma, text", "8," + run, run},
        {"text form: number, line end, text", "8\r\n" + run, run},
        {"text form: number, blank, text", "8 " + run, run},
        {"text form with leading junk: the text from the first 210 at position 4 on",
         "8,xxxxxxxx" + run + "tail", run},
        {"text form: a 210 too close to the end is not taken", "8,abcdefghijk" + std::string("\xD2\x01\xD3", 3),
         "abcdefgh"},
        {"text form shorter than its number", "20,abc", "abc"},
        {"empty file", "", ""},
        {"one byte", "\xD2", ""},
        {"negative number", "-5,abc", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(DecodeGraphicFile(c.bytes), c.text) << c.what;
}

TEST_F(DotStripsTest, AMissingGraphicFileReadsAsNone) {
    testutil::TempDir dir;
    std::string text = "old";
    EXPECT_FALSE(ReadGraphicFile(dir.file("none.grf"), text));
    EXPECT_EQ(text, "");
    EXPECT_EQ(ui.messages.size(), 0u);
}

}  // namespace

namespace {

TEST(GraphicProbe, StripsAndGrfDump) {
    testutil::TempDir dir;
    testutil::WriteFile(dir.file("art.txt"), "..##....#\n..#.#..##\n..##..#.#\n..#......\n..#......\n...###\n");
    const testutil::ProbeResult strips = testutil::RunProbe({"strips", dir.file("art.txt")});
    ASSERT_EQ(strips.exitCode, 0) << strips.err;
    EXPECT_EQ(strips.out,
              "d2 02 d3 04 d4 77 3f 25 22 20 24 22 27 d2 03 d3 09 d4 77 21 21 21 20 20 20\n");

    const std::string text = std::string("\xD2\x00\xD3\x04\xD4w?%\" $\"' \xD2\x01\xD3\x09\xD4w!!!    ", 27);
    testutil::WriteFile(dir.file("logo.grf"), EncodeGraphicFile(text));
    const testutil::ProbeResult dump = testutil::RunProbe({"grf-dump", dir.file("logo.grf")});
    ASSERT_EQ(dump.exitCode, 0) << dump.err;
    EXPECT_EQ(dump.out,
              "form: length header\n"
              "length: 27\n"
              "runs: 2\n"
              "size: 7 x 6\n"
              "##....#\n"
              "#.#..##\n"
              "##..#.#\n"
              "#......\n"
              "#......\n"
              ".###...\n");
    EXPECT_EQ(testutil::RunProbe({"grf-dump", dir.file("none.grf")}).exitCode, 1);
}

}  // namespace
