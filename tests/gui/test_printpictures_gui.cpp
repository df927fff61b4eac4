// The sign pictures of a project printed to PDF and looked at as a reader
// would, with pdfinfo and pdftoppm: a graphic sign, a two-row text sign and
// a route-number sign, a destination with a second page written as a bitmap
// import writes it, and extra texts. In every picture the dots are those
// kivar-probe page draws for the page; entries stand whole on their page;
// the window shows after every print run what it showed before.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <sstream>

#include "data/charmap.h"
#include "data/destlist.h"
#include "data/fieldtext.h"
#include "data/records.h"
#include "data/signdata.h"
#include "engine/editorslots.h"
#include "engine/markup.h"
#include "engine/render.h"
#include "engine/signcommands.h"
#include "engine/signpictures.h"
#include "engine/textstrip.h"
#include "files/outoptions.h"
#include "files/txlread.h"
#include "files/txlwrite.h"
#include "gui/print_fixture.h"
#include "gui/project_build.h"
#include "support/markup_state.h"
#include "ui/frmPrintOptions.h"
#include "ui/frmSignSel.h"
#include "ui/headwidgets_qt.h"

using namespace kv;
using namespace testproject;
using namespace pdfpictures;

namespace {

constexpr int16_t kSide = 2, kFront = 3, kRoute = 9;

// ------------------------------------------------------------------ the fixture project

// SIDE's row as the window commits the character line: row 1, then row 2.
void SidePage(int16_t dest, const std::string& first, const std::string& second) {
    ReadCharMap("2");
    gCurrentSign = kSide;
    std::string text = first;
    if (!second.empty()) text += std::string(static_cast<size_t>(SignInfoOf(kSide).Width) - first.size(), ' ') + second;
    gCodeCount = static_cast<int16_t>(text.size());
    for (size_t i = 0; i < text.size(); ++i) gCodeTable[i + 1] = static_cast<unsigned char>(text[i]);
    SetDestSignField(dest, kSide, 1, CharArrayToString());
    SetDestSection(dest, kSide, 1, PadRowText(kSide));
}

// The route number as the window commits the route-number box.
void RoutePage(int16_t dest, const std::string& text) {
    SetDestSignField(dest, kRoute, 1, text);
    SetDestSection(dest, kRoute, 1, text);
}

// A whole extra text's page on FRONT.
void ExtraPage(int16_t n, int16_t page, const std::string& font, const std::string& text) {
    StartGraphicPage(kFront, font);
    testtext::Type(text);
    gCurrentExtra = n;
    gCurrentPage = page;
    SetExtraField(n, kFront, page, EncodeSignObjects(false));
    SetExtraSection(n, page, BuildSignData(PageFirstCell()));
}

// SIDE, a two-row text sign of 12 + 12 places (address 2); FRONT, a graphic
// sign of 96 x 16 (address 3); ROUTE, a route-number sign of 4 digits
// (address 9). Destination 1: SIDE "CENTRAL" / "STATION", FRONT "CITY" in
// font 7 and a second page that is a picture as the bitmap import stores it
// (caption "<1_02>", its last dot strip reaching row 19), ROUTE "42". Destination 2:
// SIDE "HARBOUR", FRONT "HARBOUR", ROUTE "17". Destinations 3 to 10: "STOP n"
// on SIDE and FRONT and n on ROUTE, with a second FRONT page "VIA PARK" on
// 3, 6 and 9 (enough to fill a landscape page). Extra texts without sections
// per sign, stored for FRONT: 1 "NOT IN SERVICE" in font 1; 2 "SPECIAL" and
// a second page "TRIP" in font 5.
void BuildProject(const std::string& dataDir, const std::string& path) {
    testmarkup::StartProjectOn(dataDir);
    SignLine("SIDE", "K2000_2R", "12+12", kSide);
    SignLine("FRONT", "K4000", "96x16", kFront);
    SignLine("ROUTE", "K1000", "4", kRoute);
    StartLists(kFalse);

    SidePage(1, "CENTRAL", "STATION");
    GraphicPage(1, kFront, "CITY");
    StartGraphicPage(kFront, "7");
    testgfx::PutArt(0, {"....####....", "..##....##..", ".#........#.", "#..##..##..#", "#..........#",
                        "#..#....#..#", ".#..####..#.", "..##....##..", "....####...."},
                    40, 8);
    MarkGraphicChanged();
    gPictureImportActive = kTrue;
    gPictureImportCaption = "<1_02>";
    testmarkup::Commit(1, 2);
    gPictureImportActive = kFalse;
    RoutePage(1, "42");
    AddListLine(1, true);

    SidePage(2, "HARBOUR", "");
    GraphicPage(2, kFront, "HARBOUR");
    RoutePage(2, "17");
    AddListLine(2, true);

    for (int16_t n = 3; n <= 10; ++n) {
        const std::string stop = "STOP " + std::to_string(n);
        SidePage(n, stop, "");
        GraphicPage(n, kFront, stop);
        if (n % 3 == 0) GraphicPage(n, kFront, "VIA PARK", "7", 2);
        RoutePage(n, std::to_string(n));
        AddListLine(n, true);
    }

    gDestListActive = kFalse;
    ExtraPage(1, 1, "1", "NOT IN SERVICE");
    FormatListLine(gExtraList[1].Text, 1, kv::ExtraList);
    ExtraPage(2, 1, "5", "SPECIAL");
    ExtraPage(2, 2, "5", "TRIP");
    FormatListLine(gExtraList[2].Text, 2, kv::ExtraList);
    gDestListActive = kTrue;

    SaveProjectFile(path);
}

// ------------------------------------------------------------------ the window

// What the window shows: the current sign, the font box, the entry and its
// page, the strip's characters and every sign picture.
struct WindowState {
    int16_t sign = 0, dest = 0, page = 0, active = 0, textSign = 0;
    QString font;
    std::vector<int16_t> strip;
    std::vector<QImage> pictures;
    QImage stripPicture;
    bool operator==(const WindowState&) const = default;
};

WindowState StateOf(const frmHead& h) {
    WindowState s;
    s.sign = gCurrentSign;
    s.dest = gCurrentDest;
    s.page = gCurrentPage;
    s.active = h.ActivePictureIndex;
    s.textSign = gTextSignActive;
    s.font = h.size_lbl->text();
    s.strip.assign(gCodeTable.begin() + 1, gCodeTable.begin() + 1 + gCodeCount);
    for (int k = 0; k < kMaxSignPictures; ++k)
        s.pictures.push_back(h.picSign[k]->isVisible() ? h.picSign[k]->Surface() : QImage());
    s.stripPicture = h.K2000_pct->isVisible() ? h.K2000_pct->Surface() : QImage();
    return s;
}

std::ostream& operator<<(std::ostream& o, const WindowState& s) {
    o << "sign " << s.sign << ", destination " << s.dest << " page " << s.page << ", picture " << s.active
      << ", text sign " << s.textSign << ", font box \"" << s.font.toStdString() << "\", strip \"";
    for (int16_t c : s.strip) o << static_cast<char>(c);
    o << "\", pictures";
    for (const QImage& i : s.pictures) o << " " << (i.isNull() ? 0 : i.cacheKey() ? qHash(QByteArray(reinterpret_cast<const char*>(i.constBits()), i.sizeInBytes())) : 0);
    o << ", strip picture " << (s.stripPicture.isNull() ? 0 : qHash(QByteArray(reinterpret_cast<const char*>(s.stripPicture.constBits()), s.stripPicture.sizeInBytes())));
    return o;
}

class PrintPicturesGui : public PdfPrintGui {
protected:
    // The window on the fixture project (KIVAR_UPDATE_GOLDEN=1 makes it
    // again) printing on landscape pages, the given signs shown through the
    // shown-signs dialog, and destination 1 opened from the list.
    frmHead& StartWith(const std::vector<int16_t>& shown) {
        const std::string fixture = std::string(KIVAR_FIXTURE_DIR) + "/projects/printsigns.txl";
        if (testutil::UpdatingGoldens()) {
            BuildProject(dir.path(), dir.file("made.txl"));
            testutil::RewriteGolden(fixture, testutil::ReadFile(dir.file("made.txl")));
            Restart();
        }
        project = dir.file("printsigns.txl");
        testutil::WriteFile(project, testutil::ReadFile(fixture));
        for (auto [key, value] : {std::pair{"Orientation", 2}, {"Header", 1}, {"PrintPreferences", 0}})
            EXPECT_TRUE(IniSetValue(gSettingsFile, "Printer", key, IniValue(value)));
        commandLine = {project};
        frmHead& h = ShowLoaded();
        ShowSigns(shown);
        OpenDestination(1);
        return h;
    }
    void OpenDestination(int row) {
        head->DestList->setFocus();
        QApplication::processEvents();
        QTest::keyClick(head->DestList, Qt::Key_Home);
        for (int i = 1; i < row; ++i) QTest::keyClick(head->DestList, Qt::Key_Down);
        QTest::keyClick(head->DestList, Qt::Key_Return);
        ASSERT_EQ(gCurrentDest, row);
    }
    // Runs a print command of the File menu (the print options, when they
    // open, take every sign in its order): a PDF is made, and the window
    // shows what it showed before. KIVAR_KEEP_PRINTS=<folder> keeps a copy
    // of each PDF there, to be looked at.
    void Print(const char* item) {
        std::remove(pdf.c_str());
        const WindowState before = StateOf(*head);
        const WhenShown<frmPrintOptions> options([](frmPrintOptions& d) { QTest::mouseClick(d.cmdDone, Qt::LeftButton); });
        head->MenuItem(item)->trigger();
        QApplication::processEvents();
        EXPECT_EQ(StateOf(*head), before) << item;
        ASSERT_GT(PdfPages(pdf), 0) << item;
        if (const char* keep = std::getenv("KIVAR_KEEP_PRINTS")) {
            const std::string to = std::string(keep) + "/" + item + "-" + std::to_string(gCurrentSign) + ".pdf";
            testutil::WriteFile(to, testutil::ReadFile(pdf));
        }
    }
    // The dots a sign's picture spans.
    static void Extent(int16_t address, int& columns, int& rows) {
        const SignInfo& s = SignInfoOf(address);
        if (s.Model == "K2000_2R") {
            columns = 6 * std::max(s.Width, s.Height) - 1;
            rows = 15;
        } else if (s.Model == "K1000") {
            columns = 8 * s.Width - 2;
            rows = 11;
        } else {
            columns = s.Width;
            rows = s.Height;
        }
    }
    struct Picture {
        int number;
        int16_t address;
        int page;
        bool extra;
    };
    // The pictures of the project in reading order: per destination, then
    // per extra text, its first page of every sign side by side (SIDE, FRONT,
    // ROUTE), then each further page row.
    static std::vector<std::vector<Picture>> Entries() {
        std::vector<std::vector<Picture>> entries;
        for (int n = 1; n < kDestCount; ++n) {
            const std::string& text = DestAt(static_cast<int16_t>(n)).Text;
            if (text.empty()) continue;
            std::vector<Picture> e;
            for (int page = 1; page <= 9; ++page)
                for (int16_t a : {kSide, kFront, kRoute})
                    if (CountHashMarks(GetSignText(text, a)) >= page) e.push_back({n, a, page, false});
            entries.push_back(e);
        }
        for (int n = 1; n < kExtraCount; ++n) {
            const std::string& text = ExtraAt(static_cast<int16_t>(n)).Text;
            if (text.empty()) continue;
            std::vector<Picture> e;
            for (int page = 1; page <= CountHashMarks(text); ++page) e.push_back({n, kFront, page, true});
            entries.push_back(e);
        }
        return entries;
    }
    // The picture layout of the whole project, every page of the PDF: the
    // frames of the pictures in reading order, each holding the dots of the
    // page that stands there; every entry whole on one page, and a page
    // ended only where the next entry would have reached past the printable
    // height (the page less 500 twips).
    void ExpectPictureLayout() {
        struct Found {
            int page;
            int16_t address;
            Corner at;
        };
        std::vector<Found> found;
        std::map<int, Page> rendered;
        const int pages = PdfPages(pdf);
        for (int pg = 1; pg <= pages; ++pg) {
            Page g = Render(pdf, pg, dir.file("layout"));
            ASSERT_GT(g.w, 0);
            std::vector<Found> onPage;
            for (int16_t a : {kSide, kFront, kRoute}) {
                int columns = 0, rows = 0;
                Extent(a, columns, rows);
                for (const Corner& c : Frames(g, Size(columns, 3), Size(rows, 3))) onPage.push_back({pg, a, c});
            }
            std::sort(onPage.begin(), onPage.end(), [](const Found& l, const Found& r) {
                if (std::abs(l.at.y - r.at.y) > 20) return l.at.y < r.at.y;
                return l.at.x < r.at.x;
            });
            found.insert(found.end(), onPage.begin(), onPage.end());
            rendered[pg] = std::move(g);
        }
        const std::vector<std::vector<Picture>> entries = Entries();
        size_t i = 0, count = 0;
        for (const auto& e : entries) count += e.size();
        ASSERT_EQ(found.size(), count);
        int lastPage = 1;
        double lastBottom = 0;
        for (const auto& e : entries) {
            const int page = found[i].page;
            // The entry's height: its page rows, each as tall as the tallest
            // picture (FRONT) and the gap under it.
            int frontColumns = 0, frontRows = 0;
            Extent(kFront, frontColumns, frontRows);
            int rowsOfEntry = 0;
            for (const Picture& p : e) rowsOfEntry = std::max(rowsOfEntry, p.page);
            double height = 0;
            for (const Picture& p : e) {
                int columns = 0, rows = 0;
                Extent(p.address, columns, rows);
                height = std::max(height, (p.page - 1) * (Size(frontRows, 3) + 15) + Size(rows, 3) + 2);
            }
            if (page != lastPage) {
                const double printable = rendered[lastPage].h * 1440.0 / kDpi - 2 * kMarginTwips - 500;
                EXPECT_GT(lastBottom + 50 + height, printable - 20)
                    << "entry " << e.front().number << " went to page " << page << " though it fitted";
                lastPage = page;
            }
            for (const Picture& p : e) {
                SCOPED_TRACE(testing::Message() << (p.extra ? "extra text " : "destination ") << p.number << ", sign "
                                                << p.address << ", page " << p.page);
                const Found& f = found[i++];
                ASSERT_EQ(f.address, p.address);
                EXPECT_EQ(f.page, page) << "the entry is split over pages";
                int columns = 0, rows = 0;
                Extent(p.address, columns, rows);
                EXPECT_EQ(Show(PrintedDots(rendered[f.page], f.at.x, f.at.y, columns, rows, 3)),
                          Show(Probe(p.number, p.address, p.page, p.extra)));
                lastBottom = std::max(lastBottom, f.at.y + Size(rows, 3) + 2);
            }
        }
        EXPECT_EQ(lastPage, pages);
        EXPECT_GE(pages, 2);  // the project does not fit on one landscape page
    }
    // The pictures of Current Sign: from (500, 300) each shown sign's pages
    // left to right while the next fits the page, a row further down when
    // not; the next sign its height + 50 below the row of its last page.
    // Dots at each sign's own zoom.
    void ExpectCurrentSignPictures(const std::vector<int16_t>& signs, int number, const std::string& file) {
        ASSERT_EQ(PdfPages(file), 1);
        const Page g = Render(file, 1, dir.file("current"));
        ASSERT_GT(g.w, 0);
        const double pageWidth = g.w * 1440.0 / kDpi - 2 * kMarginTwips;
        double y = 300, previous = 0;
        for (size_t i = 0; i < signs.size(); ++i) {
            const int16_t a = signs[i];
            const int zoom = SignInfoOf(a).Zoom;
            int columns = 0, rows = 0;
            Extent(a, columns, rows);
            const double w = Size(columns, zoom), h = Size(rows, zoom);
            double x = 500;
            if (i > 0) y += previous + 50;
            const int pages = CountHashMarks(GetSignText(DestAt(static_cast<int16_t>(number)).Text, a));
            for (int p = 1; p <= pages; ++p) {
                if (p > 1) {
                    if (pageWidth < x + 2 * (w + 50)) {
                        x = 500;
                        y += h + 50;
                    } else {
                        x += w + 50;
                    }
                }
                SCOPED_TRACE(testing::Message() << "sign " << a << ", page " << p);
                const std::string expected = Show(Probe(number, a, p, false));
                EXPECT_NE(expected.find('#'), std::string::npos);
                EXPECT_EQ(Show(PrintedDots(g, x, y, columns, rows, zoom)), expected);
            }
            previous = h;
        }
    }
};

}  // namespace

// The text sign is current (the lowest address), the graphic sign and the
// route-number sign shown beside it.
TEST_F(PrintPicturesGui, TextSignCurrent) {
    StartWith({kSide, kFront, kRoute});
    ASSERT_EQ(gCurrentSign, kSide);
    ASSERT_EQ(gTextSignActive, kTrue);
    Print("mnuSkrivutTillskrivareBilder");
    ExpectPictureLayout();
    // To printer with graphical printing: the same pictures.
    ASSERT_TRUE(IniSetValue(gSettingsFile, "Printer", "PrintGraphical", IniValue(1)));
    Print("mnuSkrivutTillskrivare");
    ExpectPictureLayout();
    // Current Sign: the strip's text sign, the graphic sign and the
    // route-number sign.
    Print("mnuSkrivutAktuellSkylt");
    ExpectCurrentSignPictures({kSide, kFront, kRoute}, 1, pdf);
}

// The graphic sign is current, the route-number sign shown beside it.
TEST_F(PrintPicturesGui, GraphicSignCurrent) {
    frmHead& h = StartWith({kFront, kRoute});
    ASSERT_EQ(gCurrentSign, kFront);
    ASSERT_EQ(gTextSignActive, kFalse);
    // An edit not yet stored: the pictures are printed as stored, and the
    // edit is still there afterwards.
    h.picSign[0]->setFocus();
    QApplication::processEvents();
    QTest::keyClicks(h.picSign[0], "X");
    ASSERT_EQ(gTextModified, kTrue);
    const int cells = gRows[gStartRow].CellCount;
    Print("mnuSkrivutTillskrivareBilder");
    ExpectPictureLayout();
    EXPECT_EQ(gTextModified, kTrue);
    EXPECT_EQ(gRows[gStartRow].CellCount, cells);
    // Current Sign: the pages as the window shows them, the edit included;
    // nothing is asked, and the edit is still there, not stored.
    const size_t messages = ui.messages.size();
    const std::string stored = DestAt(1).Text;
    Print("mnuSkrivutAktuellSkylt");
    for (size_t i = messages; i < ui.messages.size(); ++i) EXPECT_NE(ui.messages[i].style, 49) << ui.messages[i].text;
    EXPECT_EQ(gTextModified, kTrue);
    EXPECT_EQ(gRows[gStartRow].CellCount, cells);
    EXPECT_EQ(DestAt(1).Text, stored);
    // Once stored, the project holds the pages printed.
    const std::string printed = dir.file("current.pdf");
    testutil::WriteFile(printed, testutil::ReadFile(pdf));
    ClickWidget(h.SaveDestOrExtra);
    h.MenuItem("mnuSpara")->trigger();
    ASSERT_NE(DestAt(1).Text, stored);
    ExpectCurrentSignPictures({kFront, kRoute}, 1, printed);
}
