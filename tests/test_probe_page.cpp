// kivar-probe page: stored pages of a project, one for every form of markup,
// loaded, drawn and encoded again. The project is typed and committed here
// as the main window does it, written as a project file and read by the
// probe; the golden files show the stored page, its dots and what it encodes
// to, and the two encodings must agree.
#include <gtest/gtest.h>

#include "data/destcodes.h"
#include "data/destlist.h"
#include "data/language.h"
#include "data/userfields.h"
#include "files/outoptions.h"
#include "files/txlformat.h"
#include "files/txlread.h"
#include "files/txlwrite.h"
#include "data/settings.h"
#include "platform/paths.h"
#include "support/markup_state.h"
#include "support/signs_state.h"
#include "support/testutil.h"

using namespace kv;
using testtext::Type;

namespace {

void SignLine(const std::string& name, const std::string& dim, int address) {
    testsigns::Sign(testsigns::SignLine(name, "K4000", dim, std::to_string(address)));
}

// Starts an empty page of the sign in font "1".
void NewPage() {
    gShowLineNo = 0;
    RefreshEditor(0, 0);
    ReadCharMap("1");
}

// Builds the project of the golden pages into `path`; the data folder gives
// the fonts and the default fonts per sign height.
void BuildProject(const std::string& dataDir, const std::string& path) {
    testmarkup::StartProjectOn(dataDir);
    gCurrentSign = 0;
    SignLine("FRONT", "48x16", 2);
    SignInfo& sign = SignInfoOf(2);
    sign.Shown = -1;
    sign.GraphicIndex = 0;
    gCurrentSign = 2;
    ResizeGraphicLayer(0, sign.Width + 5, sign.Height + 5);
    ResizeUndoLayer(0, sign.Width + 5, sign.Height + 5);

    ClearLists();
    DestList.Clear();
    ExtraList.Clear();
    InitOutFileDefaults();
    gTxlVersion = 7;
    gDestCodesOn = kFalse;
    gExtraPerSign = kTrue;
    gRouteNoLeft = kTrue;
    gRouteNoPos = 0;
    gLineNoFieldCount = 3;
    gLineNoFields = "4567";
    gRouteNoText = gLineNoFields;
    RecalcRouteNoArea();
    gDestListActive = kTrue;

    auto commit = [](int16_t dest, int16_t page = 1) {
        testmarkup::Commit(dest, page);
        if (page == 1) AddListLine(dest, true);
    };
    NewPage();
    Type("AB");
    commit(1);

    NewPage();
    Type("AB\nCD");
    commit(2);

    NewPage();
    Type("A");
    InsertLineNoField(2);
    Type("\nC");
    commit(3);

    NewPage();
    Type("AB");
    Type("12", 1);
    Type("\nC");
    commit(4);

    NewPage();
    testgfx::PutArt(0, {"#####", "#...#", "#.#.#", "#...#", "#####", "..#..", "..#.."}, 38, 6);
    MarkGraphicChanged();
    Type("A");
    const std::string caption = "<Bus stop>A";
    testmarkup::Ui ui;
    ui.caption = &caption;
    commit(5);
    ui.caption = nullptr;

    NewPage();
    Type("A");
    ReadCharMap("g");
    Type("R");
    ReadCharMap("1");
    Type("B");
    commit(6);

    NewPage();
    gShowLineNo = -1;
    RefreshEditor(0, 0);
    ReadCharMap("1");
    Type("AB");
    commit(7);

    NewPage();
    Type("AB");
    commit(8, 1);
    NewPage();
    Type("CD");
    commit(8, 2);

    NewPage();
    Type("\xBD" "A");  // a typed 252, kept as 189
    commit(9);

    // The route-number area in a font that is not the default of the
    // sign's height (the default changed since the page was stored).
    std::string& byHeight = gDefaultRouteNoFont[16 - kMinFontHeight];
    const std::string defaultFont = byHeight;
    byHeight = "i";
    RecalcRouteNoArea();
    NewPage();
    gShowLineNo = -1;
    RefreshEditor(0, 0);
    ReadCharMap("1");
    Type("AB");
    commit(10);
    byHeight = defaultFont;
    RecalcRouteNoArea();

    // A route-number field in a route-number font.
    NewPage();
    Type("AB");
    ReadCharMap("i");
    Type("12", 1);
    ReadCharMap("1");
    Type("\nC");
    commit(11);

    gDestListActive = kFalse;
    gCurrentExtra = 1;
    gCurrentPage = 1;
    NewPage();
    Type("EX");
    SetExtraSignField(1, 2, 1, EncodeSignObjects(false));
    SetActiveSection(1, 2, 1, BuildSignData(PageFirstCell()));
    FormatListLine(gExtraList[1].Text, 1, ExtraList);
    gDestListActive = kTrue;

    gBackupOn = kFalse;
    ASSERT_TRUE(SaveTxlFile(path));
}

// The value after "name: " on its line of the probe's output.
std::string Field(const std::string& out, const std::string& name) {
    const size_t p = out.find("\n" + name + ": ");
    if (p == std::string::npos) return "<none>";
    const size_t from = p + name.size() + 3;
    return out.substr(from, out.find('\n', from) - from);
}

TEST(ProbePage, StoredPagesLoadAndEncodeAsStored) {
    testutil::TempDir dir;
    testutil::StageDataFolder(dir.path());
    const std::string project = dir.file("markup.txl");
    testmarkup::Head head;
    BuildProject(dir.path(), project);
    testmarkup::ResetAll();

    // The stored bytes, worked out by hand from the byte commands (a run is
    // d2 x d3 y d4 f: x its left dot column, y its bottom dot row, f the
    // font id) and the glyph sources in fonts/glyphs (the dots themselves are
    // checked by tests/check/page_check.py):
    // - "1" is 7 dots high and 5 wide per letter (4 and a spacing column):
    //   a first row starts d2 00 d3 06 d4 31 (bottom row 6), the second row
    //   7 rows lower (d3 0d); A B C D E X are their character codes 41..58.
    // - a placeholder for the last two route-number characters is 249 + 2
    //   = fb and stays in its row's run; a route-number field's "12" in "1"
    //   too (31 32), but in the route font "i" (8 dots high, after A B at
    //   column 10) it is a run of its own: d2 0a d3 07 d4 69.
    // - the picture (5 x 7 dots at column 38 = 26, row 6) lies in the strips
    //   of rows 5..9 (y 09) and 10..14 (y 0e): its first column lights rows
    //   6..10, so bits 1..4 of the first strip (3e ">") and bit 0 of the
    //   second (21 "!"), five blank slices (20) to the sign's right edge.
    // - the symbol R of "g" (16 x 16 dots) follows A at column 5 with its
    //   bottom on row 15 (d2 05 d3 0f d4 67 52), so B stands at 5 + 16 = 21.
    // - the route-number header is d2 x d3 y d4 f f2: x 0, y the area's
    //   bottom row 15 (the sign's last), f the route font of height 16
    //   (e, 65) or the one the page keeps (i, 8 dots: y 07). The text then
    //   starts one dot after the area of three digits: "0" of e is 9 dots
    //   wide, so at column 28 (1c); of i 7 dots, so at 22 (16).
    // - a typed 252 is held as 189, which "1" draws with its glyph 126 (7e).
    struct Case {
        const char* golden;
        std::vector<std::string> args;  // NUMBER ADDRESS PAGE [--extra]
        const char* bytes;
    };
    const Case cases[] = {
        {"text", {"1", "2", "1"}, "d2 00 d3 06 d4 31 41 42"},
        {"two_rows", {"2", "2", "1"}, "d2 00 d3 06 d4 31 41 42 d2 00 d3 0d d4 31 43 44"},
        {"placeholder", {"3", "2", "1"}, "d2 00 d3 06 d4 31 41 fb d2 00 d3 0d d4 31 43"},
        {"field", {"4", "2", "1"}, "d2 00 d3 06 d4 31 41 42 31 32 d2 00 d3 0d d4 31 43"},
        {"graphic_caption", {"5", "2", "1"},
         "d2 26 d3 09 d4 77 3e 22 2a 22 3e 20 20 20 20 20 d2 26 d3 0e d4 77 21 21 27 21 21 20 20 20 20 20 "
         "d2 00 d3 06 d4 31 41"},
        {"symbols", {"6", "2", "1"}, "d2 00 d3 06 d4 31 41 d2 05 d3 0f d4 67 52 d2 15 d3 06 d4 31 42"},
        {"route_area", {"7", "2", "1"}, "d2 00 d3 0f d4 65 f2 d2 1c d3 06 d4 31 41 42"},
        {"second_page", {"8", "2", "2"}, "d2 00 d3 06 d4 31 43 44"},
        {"typed_252", {"9", "2", "1"}, "d2 00 d3 06 d4 31 7e 41"},
        {"route_area_font", {"10", "2", "1"}, "d2 00 d3 07 d4 69 f2 d2 16 d3 06 d4 31 41 42"},
        {"field_font", {"11", "2", "1"}, "d2 00 d3 06 d4 31 41 42 d2 0a d3 07 d4 69 31 32 d2 00 d3 0d d4 31 43"},
        {"extra_text", {"1", "2", "1", "--extra"}, "d2 00 d3 06 d4 31 45 58"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.golden);
        std::vector<std::string> args = {"page", "--data", dir.path(), project};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const testutil::ProbeResult r = testutil::RunProbe(args);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(Field(r.out, "stored bytes"), c.bytes);
        EXPECT_EQ(Field(r.out, "markup"), Field(r.out, "stored markup"));
        EXPECT_EQ(Field(r.out, "bytes"), Field(r.out, "stored bytes"));
        std::string diff;
        EXPECT_TRUE(testutil::MatchesGolden(std::string("markup/") + c.golden + ".txt", r.out, &diff)) << diff;
    }
}

TEST(ProbePage, RefusesWhatItCannotLoad) {
    testutil::TempDir dir;
    testutil::StageDataFolder(dir.path());
    EXPECT_EQ(testutil::RunProbe({"page", "--data", dir.path(), "x.txl", "1", "2"}).exitCode, 2);
    EXPECT_EQ(testutil::RunProbe({"page", "--data", dir.path(), "x.txl", "1", "17", "1"}).exitCode, 2);
    EXPECT_EQ(testutil::RunProbe({"page", "--data", dir.path(), dir.file("none.txl"), "1", "2", "1"}).exitCode, 1);
}

}  // namespace
