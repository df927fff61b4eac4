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

    struct Case {
        const char* golden;
        std::vector<std::string> args;  // NUMBER ADDRESS PAGE [--extra]
    };
    const Case cases[] = {
        {"text", {"1", "2", "1"}},
        {"two_rows", {"2", "2", "1"}},
        {"placeholder", {"3", "2", "1"}},
        {"field", {"4", "2", "1"}},
        {"graphic_caption", {"5", "2", "1"}},
        {"symbols", {"6", "2", "1"}},
        {"route_area", {"7", "2", "1"}},
        {"second_page", {"8", "2", "2"}},
        {"typed_252", {"9", "2", "1"}},
        {"route_area_font", {"10", "2", "1"}},
        {"field_font", {"11", "2", "1"}},
        {"extra_text", {"1", "2", "1", "--extra"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.golden);
        std::vector<std::string> args = {"page", "--data", dir.path(), project};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const testutil::ProbeResult r = testutil::RunProbe(args);
        ASSERT_EQ(r.exitCode, 0) << r.err;
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
