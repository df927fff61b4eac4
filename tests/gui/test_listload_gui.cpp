// Loading list entries into the sign pictures: a project whose pages were
// typed and committed as the window does it is opened, its destinations and
// extra texts are loaded into every shown graphic sign by the keys of the
// lists, and each picture shows the dots that kivar-probe page draws for the
// same page.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>

#include <cstdlib>
#include <sstream>

#include "data/userfields.h"
#include "engine/editorslots.h"
#include "engine/render.h"
#include "files/txlread.h"
#include "files/txlwrite.h"
#include "gui/head_fixture.h"
#include "gui/project_build.h"
#include "ui/headwidgets_qt.h"
#include "support/markup_state.h"
#include "support/signs_state.h"

using namespace kv;
using namespace testproject;

namespace {

// Makes the sign shown and current on graphic 0 and starts an empty page in
// the font.
void NewPage(int16_t address, const std::string& font) {
    SignInfoOf(address).Shown = -1;
    StartGraphicPage(address, font);
}

// The fixture project: FRONT (address 2, 112 x 16) and REAR (address 5, 48 x 8).
// Destination 1: FRONT "LINE 1" and a second page "CITY", REAR "R1".
// Destination 2: FRONT two rows "AB" / "CD" in the 7-dot font, REAR a
// picture and "X". Extra text 1: FRONT "EX", REAR "E".
void BuildProject(const std::string& dataDir, const std::string& path) {
    testmarkup::StartProjectOn(dataDir);
    SignLine("FRONT", "K4000", "112x16", 2);
    SignLine("REAR", "K4000", "48x8", 5);
    StartLists(kTrue, 4);

    NewPage(2, "7");
    testtext::Type("LINE 1");
    testmarkup::Commit(1, 1);
    NewPage(2, "7");
    testtext::Type("CITY");
    testmarkup::Commit(1, 2);
    NewPage(5, "1");
    testtext::Type("R1");
    testmarkup::Commit(1, 1);
    AddListLine(1, true);

    NewPage(2, "1");
    testtext::Type("AB\nCD");
    testmarkup::Commit(2, 1);
    NewPage(5, "1");
    testgfx::PutArt(0, {"###", "#.#", "###"}, 40, 2);
    MarkGraphicChanged();
    testtext::Type("X");
    const std::string caption = "<Stop>X";
    testmarkup::Ui ui;
    ui.caption = &caption;
    testmarkup::Commit(2, 1);
    AddListLine(2, true);

    gDestListActive = kFalse;
    gCurrentExtra = 1;
    for (auto [address, text] : {std::pair<int16_t, const char*>{2, "EX"}, {5, "E"}}) {
        NewPage(address, "1");
        testtext::Type(text);
        gCurrentPage = 1;
        SetExtraSignField(1, address, 1, EncodeSignObjects(false));
        SetActiveSection(1, address, 1, BuildSignData(PageFirstCell()));
    }
    FormatListLine(gExtraList[1].Text, 1, kv::ExtraList);
    gDestListActive = kTrue;

    SaveProjectFile(path);
}

class ListLoadGui : public HeadGui {
protected:
    frmHead& Open(const std::string& project) {
        ShowActivated();
        head->ChooseFile = [project](const frmHead::FileDialogRequest&) {
            return frmHead::FileDialogChoice{false, project, 1};
        };
        head->mnuÖppna_Click();
        // Both signs shown, as the shown-signs dialog leaves them.
        SignInfoOf(5).Shown = kTrue;
        head->LayoutSignPictures(true, false);
        head->ActivePictureIndex = -1;
        head->ChangeAddress(0, true, true);
        return *head;
    }
    // The dots kivar-probe page draws for a page, row by row.
    std::vector<std::string> ProbeDots(const std::string& project, int number, int address, bool extra = false) {
        std::vector<std::string> args = {"page", "--data", dir.path(), project, std::to_string(number),
                                         std::to_string(address), "1"};
        if (extra) args.push_back("--extra");
        const testutil::ProbeResult r = testutil::RunProbe(args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        std::vector<std::string> rows;
        std::istringstream in(r.out);
        for (std::string line; std::getline(in, line);)
            if (!line.empty() && line.find_first_not_of("#.") == std::string::npos) rows.push_back(line);
        return rows;
    }
    // The dots of picture k as the picture paints them: a lit dot's pixels
    // are in the foreground colour at the sign's zoom.
    std::vector<std::string> PaintedDots(int16_t k, int16_t address) {
        const SignInfo& s = SignInfoOf(address);
        const QImage& img = head->picSign[k]->Surface();
        const QColor fore = head->picSign[k]->ForeColor();
        std::vector<std::string> rows;
        for (int y = 0; y < s.Height; ++y) {
            std::string line;
            for (int x = 0; x < s.Width; ++x) {
                const DotShape d = DotShapeAt(x + 1, y + 1, s.Zoom);
                bool lit = false;
                for (int i = 0; i < d.count && !lit; ++i)
                    lit = img.pixelColor(d.rects[i].x1, d.rects[i].y1) == fore;
                line += lit ? '#' : '.';
            }
            rows.push_back(line);
        }
        return rows;
    }
    static int LitCount(const std::vector<std::string>& rows) {
        int n = 0;
        for (const std::string& r : rows) n += static_cast<int>(std::count(r.begin(), r.end(), '#'));
        return n;
    }
};

}  // namespace

TEST_F(ListLoadGui, EntriesLoadIntoEveryShownSignAsThePageProbeDrawsThem) {
    // The fixture project; KIVAR_UPDATE_GOLDEN=1 makes it again.
    const std::string fixture = std::string(KIVAR_FIXTURE_DIR) + "/projects/lines.txl";
    if (testutil::UpdatingGoldens()) {
        BuildProject(dir.path(), dir.file("made.txl"));
        testutil::RewriteGolden(fixture, testutil::ReadFile(dir.file("made.txl")));
        Restart();
    }
    const std::string project = dir.file("lines.txl");
    testutil::WriteFile(project, testutil::ReadFile(fixture));
    frmHead& h = Open(project);
    ASSERT_TRUE(h.PicSignFrame[0]->isVisible());
    ASSERT_TRUE(h.PicSignFrame[1]->isVisible());
    ASSERT_EQ(SignInfoOf(5).GraphicIndex, 1);
    ASSERT_EQ(h.DestList->count(), 2);

    // Destination 1 by the keys of the list.
    h.DestList->setFocus();
    QApplication::processEvents();
    QTest::keyClick(h.DestList, Qt::Key_Down);
    QTest::keyClick(h.DestList, Qt::Key_Return);
    EXPECT_EQ(gCurrentDest, 1);
    EXPECT_EQ(gCurrentSign, 2);
    EXPECT_EQ(h.ActivePictureIndex, 0);
    for (auto [k, address] : {std::pair<int16_t, int16_t>{0, 2}, {1, 5}}) {
        SCOPED_TRACE(address);
        const std::vector<std::string> dots = ProbeDots(project, 1, address);
        ASSERT_EQ(dots.size(), static_cast<size_t>(SignInfoOf(address).Height));
        EXPECT_GT(LitCount(dots), 10);
        EXPECT_EQ(PaintedDots(k, address), dots);
    }
    // Two pages on the current sign: the page options offer them.
    EXPECT_TRUE(h.Ch_Frame->isVisible());
    EXPECT_TRUE(h.TNo_op[2]->isEnabled());
    EXPECT_FALSE(h.TNo_op[3]->isEnabled());
    EXPECT_EQ(gChangeTime, 4);
    EXPECT_EQ(gTextModified, kFalse);
    // Each sign's editor slot holds its own page.
    EXPECT_EQ(gEditorSlots[1].cells[1].CharCode, 'R');
    EXPECT_EQ(gCells[1].CharCode, 'L');
    h.ChangeAddress(1, true, true);
    EXPECT_EQ(gCells[1].CharCode, 'R');
    h.ChangeAddress(0, true, true);
    EXPECT_EQ(gCells[1].CharCode, 'L');

    // Destination 2: two rows on FRONT, a picture and text on REAR.
    QTest::keyClick(h.DestList, Qt::Key_Down);
    QTest::keyClick(h.DestList, Qt::Key_Return);
    EXPECT_EQ(gCurrentDest, 2);
    EXPECT_EQ(gCurrentPage, 1);
    for (auto [k, address] : {std::pair<int16_t, int16_t>{0, 2}, {1, 5}}) {
        SCOPED_TRACE(address);
        EXPECT_EQ(PaintedDots(k, address), ProbeDots(project, 2, address));
    }
    EXPECT_NE(PaintedDots(0, 2), ProbeDots(project, 1, 2));
    EXPECT_EQ(gRows[gStartRow].CellCount, 2);  // "AB", then the row "CD"
    EXPECT_EQ(gEditorSlots[1].pictureTagName, "Stop");

    // The extra texts and back.
    h.MenuItem("mnuTextExtratext")->trigger();
    h.ExtraList->setFocus();
    QApplication::processEvents();
    QTest::keyClick(h.ExtraList, Qt::Key_Down);
    QTest::keyClick(h.ExtraList, Qt::Key_Return);
    EXPECT_EQ(gCurrentExtra, 1);
    EXPECT_EQ(h.CurrNoTxt->text(), "1");
    for (auto [k, address] : {std::pair<int16_t, int16_t>{0, 2}, {1, 5}}) {
        SCOPED_TRACE(address);
        EXPECT_EQ(PaintedDots(k, address), ProbeDots(project, 1, address, true));
    }
    h.MenuItem("mnuTextDesttext")->trigger();
    EXPECT_TRUE(h.DestList->isVisible());
    h.DestList->setFocus();
    QApplication::processEvents();
    QTest::keyClick(h.DestList, Qt::Key_Return);
    EXPECT_EQ(gCurrentDest, 2);
    EXPECT_EQ(PaintedDots(0, 2), ProbeDots(project, 2, 2));
}
