// Printing leaves no shown or ticked sign out. Five signs of every model on
// portrait and landscape pages: Sign as bitmap (and To printer with
// graphical printing) prints every picture of every sign, the columns that
// do not fit across the page going on in a band below; Current Sign prints
// every shown sign's pages of the entry under edit as the window shows
// them, unsaved edits included, and leaves them unsaved. Every picture is
// read back from the PDF dot by dot against kivar-probe page, and no dark
// pixel lies outside the printable area.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <map>

#include "data/fieldtext.h"
#include "data/records.h"
#include "data/signdata.h"
#include "engine/markup.h"
#include "engine/signcommands.h"
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

constexpr int16_t kFront = 2, kSide = 3, kTwo = 4, kLine = 5, kRear = 6;
const std::vector<int16_t> kAll = {kFront, kSide, kTwo, kLine, kRear};
constexpr int kDests = 12, kExtras = 5;
constexpr int kPortrait = 1, kLandscape = 2;

// A text sign's characters as the window commits its strip.
void StripPage(int16_t dest, int16_t address, const std::string& text) {
    ReadCharMap("2");
    gCurrentSign = address;
    gCodeCount = static_cast<int16_t>(text.size());
    for (size_t i = 0; i < text.size(); ++i) gCodeTable[i + 1] = static_cast<unsigned char>(text[i]);
    SetDestSignField(dest, address, 1, CharArrayToString());
    SetDestSection(dest, address, 1, PadRowText(address));
}

// FRONT, a graphic sign of 112 x 16 (address 2); SIDE, a one-row text sign
// of 20 places (3); TWO, a two-row text sign of 16 + 16 places (4); LINE, a
// route-number sign of 3 digits (5); REAR, a graphic sign of 84 x 16 (6).
// Destinations 1 to 12: FRONT "DEPOT n" and, on odd numbers, a second page
// "VIA n"; SIDE "SIDE n"; TWO "TWO n" over "ROW n"; LINE the route numbers
// 12, 4C, 123 and 7 in turn; REAR "R n". Extra texts 1 to 5 without
// sections per sign, stored for FRONT: "EXTRA n".
void BuildProject(const std::string& dataDir, const std::string& path) {
    testmarkup::StartProjectOn(dataDir);
    SignLine("FRONT", "K4000", "112x16", kFront);
    SignLine("SIDE", "K2000_1R", "20", kSide);
    SignLine("TWO", "K2000_2R", "16+16", kTwo);
    SignLine("LINE", "K1000", "3", kLine);
    SignLine("REAR", "K4000", "84x16", kRear);
    StartLists(kFalse);
    const char* routes[] = {"12", "4C", "123", "7"};
    for (int16_t n = 1; n <= kDests; ++n) {
        const std::string number = std::to_string(n);
        GraphicPage(n, kFront, "DEPOT " + number);
        if (n % 2 == 1) GraphicPage(n, kFront, "VIA " + number, "7", 2);
        StripPage(n, kSide, "SIDE " + number);
        const std::string two = "TWO " + number;
        StripPage(n, kTwo, two + std::string(16 - two.size(), ' ') + "ROW " + number);
        const std::string route = routes[(n - 1) % 4];
        SetDestSignField(n, kLine, 1, route);
        SetDestSection(n, kLine, 1, route);
        GraphicPage(n, kRear, "R " + number);
        AddListLine(n, true);
    }
    gDestListActive = kFalse;
    for (int16_t n = 1; n <= kExtras; ++n) {
        StartGraphicPage(kFront, "7");
        testtext::Type("EXTRA " + std::to_string(n));
        gCurrentExtra = n;
        gCurrentPage = 1;
        SetExtraField(n, kFront, 1, EncodeSignObjects(false));
        SetExtraSection(n, 1, BuildSignData(PageFirstCell()));
        FormatListLine(gExtraList[static_cast<size_t>(n)].Text, n, kv::ExtraList);
    }
    gDestListActive = kTrue;
    SaveProjectFile(path);
}

// A picture found on the PDF: its page, its sign and its corner.
struct Found {
    int page;
    int16_t address;
    Corner at;
};

class PrintShownGui : public PdfPrintGui {
protected:
    // The window on the project, the given signs shown through the
    // shown-signs dialog.
    frmHead& Start(const std::vector<int16_t>& shown) {
        project = dir.file("signs.txl");
        BuildProject(dir.path(), project);
        Restart();
        for (auto [key, value] : {std::pair{"Header", 1}, {"PrintPreferences", 0}, {"PrintGraphical", 0}})
            EXPECT_TRUE(IniSetValue(gSettingsFile, "Printer", key, IniValue(value)));
        commandLine = {project};
        frmHead& h = ShowLoaded();
        ShowSigns(shown);
        return h;
    }
    static void Orientation(int o) { ASSERT_TRUE(IniSetValue(gSettingsFile, "Printer", "Orientation", IniValue(o))); }
    // A print command of the File menu (the print options, when they open,
    // take every sign in its order); the PDF it made is kept as `name`.
    // KIVAR_KEEP_PRINTS=<folder> keeps a copy there, to be looked at.
    std::string Print(const char* item, const std::string& name) {
        std::remove(pdf.c_str());
        const WhenShown<frmPrintOptions> options([](frmPrintOptions& d) { QTest::mouseClick(d.cmdDone, Qt::LeftButton); });
        head->MenuItem(item)->trigger();
        QApplication::processEvents();
        EXPECT_GT(PdfPages(pdf), 0) << item;
        const std::string kept = dir.file(name + ".pdf");
        testutil::WriteFile(kept, testutil::ReadFile(pdf));
        if (const char* keep = std::getenv("KIVAR_KEEP_PRINTS"))
            testutil::WriteFile(std::string(keep) + "/" + name + ".pdf", testutil::ReadFile(pdf));
        return kept;
    }
    // The dots a sign's picture spans, as kivar-probe draws them.
    void Extent(int16_t address, int& columns, int& rows) {
        const Dots d = Probe(1, address, 1, false);
        rows = static_cast<int>(d.size());
        columns = d.empty() ? 0 : static_cast<int>(d[0].size());
    }
    double Width(int16_t address, int zoom) {
        int columns = 0, rows = 0;
        Extent(address, columns, rows);
        return Size(columns, zoom);
    }
    double Height(int16_t address, int zoom) {
        int columns = 0, rows = 0;
        Extent(address, columns, rows);
        return Size(rows, zoom);
    }

    // The sign pictures of the whole project: every page of every sign of
    // every destination, and of FRONT every extra text, once, in its frame,
    // holding the dots of the page; each sign's pictures in one column
    // down the pages. Each entry's pictures stand on one page, the pages of
    // a sign one below the other; the first pages of the signs in bands,
    // left to right in print order: a sign starts the next band at the left
    // again only where it would not have fitted across the page beside the
    // one before, and the next band stands below the last. `oneBand`: every
    // sign fits in the first band. A page ends only where the next entry
    // would have reached past the printable height (the page less 500).
    void ExpectEveryPicture(const std::string& file, bool oneBand) {
        const int pages = PdfPages(file);
        ASSERT_GE(pages, 1);
        std::map<int16_t, std::vector<Found>> bySign;
        std::map<int, Page> rendered;
        for (int pg = 1; pg <= pages; ++pg) {
            Page g = Render(file, pg, dir.file("layout"));
            ASSERT_GT(g.w, 0);
            EXPECT_EQ(g.DarkOutsidePrintable(), 0) << "page " << pg;
            for (int16_t a : kAll)
                for (const Corner& c : Frames(g, Width(a, 3), Height(a, 3))) bySign[a].push_back({pg, a, c});
            rendered[pg] = std::move(g);
        }
        // Each entry's pictures: per sign its pages in order.
        struct Picture {
            int number;
            bool extra;
            int page;
        };
        std::map<int16_t, std::vector<Picture>> expected;
        std::vector<std::pair<int, bool>> entries;
        for (int n = 1; n < kDestCount; ++n) {
            const std::string& text = DestAt(static_cast<int16_t>(n)).Text;
            if (text.empty()) continue;
            entries.emplace_back(n, false);
            for (int16_t a : kAll)
                for (int p = 1; p <= CountHashMarks(GetSignText(text, a)); ++p) expected[a].push_back({n, false, p});
        }
        for (int n = 1; n < kExtraCount; ++n) {
            const std::string& text = ExtraAt(static_cast<int16_t>(n)).Text;
            if (text.empty()) continue;
            entries.emplace_back(n, true);
            for (int p = 1; p <= CountHashMarks(text); ++p) expected[kFront].push_back({n, true, p});
        }
        // Every picture once, with its page's dots; the frames of each
        // entry by sign and page.
        std::map<std::pair<int, bool>, std::map<std::pair<int16_t, int>, Found>> ofEntry;
        for (int16_t a : kAll) {
            std::vector<Found>& found = bySign[a];
            std::sort(found.begin(), found.end(), [](const Found& l, const Found& r) {
                return l.page != r.page ? l.page < r.page : l.at.y < r.at.y;
            });
            ASSERT_EQ(found.size(), expected[a].size()) << "pictures of sign " << a;
            int columns = 0, rows = 0;
            Extent(a, columns, rows);
            for (size_t i = 0; i < found.size(); ++i) {
                const Picture& p = expected[a][i];
                const Found& f = found[i];
                SCOPED_TRACE(testing::Message() << (p.extra ? "extra text " : "destination ") << p.number << ", sign "
                                                << a << ", page " << p.page);
                EXPECT_EQ(Show(PrintedDots(rendered[f.page], f.at.x, f.at.y, columns, rows, 3)),
                          Show(Probe(p.number, a, p.page, p.extra)));
                ofEntry[{p.number, p.extra}][{a, p.page}] = f;
            }
        }
        // The gap between two pictures side by side, as the first entry
        // shows it.
        const auto& first = ofEntry[entries.front()];
        const double gap = first.at({kSide, 1}).at.x - (first.at({kFront, 1}).at.x + Width(kFront, 3));
        int lastPage = 1;
        double lastBottom = 0;
        int bands = 0;
        for (const auto& e : entries) {
            SCOPED_TRACE(testing::Message() << (e.second ? "extra text " : "destination ") << e.first);
            const auto& pictures = ofEntry[e];
            ASSERT_FALSE(pictures.empty());
            const int page = pictures.begin()->second.page;
            double top = 1e9, bottom = 0;
            for (const auto& [key, f] : pictures) {
                EXPECT_EQ(f.page, page) << "the entry is split over pages";
                top = std::min(top, f.at.y);
                bottom = std::max(bottom, f.at.y + Height(key.first, 3) + 2);
                // A sign's further pages below its first, in its column.
                const Found& one = pictures.at({key.first, 1});
                EXPECT_EQ(f.at.x, one.at.x);
                if (key.second > 1) EXPECT_GE(f.at.y, one.at.y + Height(key.first, 3));
            }
            if (page != lastPage) {
                EXPECT_GT(lastBottom + 50 + (bottom - top), rendered[lastPage].Height() - 500 - 20)
                    << "the entry went to the next page though it fitted";
                lastPage = page;
            }
            lastBottom = bottom;
            // The bands of the first pages, in print order.
            double bandX = 0, bandTop = 0, bandBottom = 0, previousRight = 0;
            int band = -1;
            for (int16_t a : kAll) {
                auto it = pictures.find({a, 1});
                if (it == pictures.end()) continue;
                const Corner at = it->second.at;
                if (band < 0 || at.x < previousRight) {
                    if (band >= 0) {
                        // The next band: at the left again, below the band
                        // before, and only because the sign did not fit.
                        EXPECT_EQ(at.x, bandX) << "sign " << a;
                        EXPECT_GE(at.y, bandBottom) << "sign " << a;
                        EXPECT_GT(previousRight + gap + Width(a, 3), rendered[page].Width()) << "sign " << a;
                    }
                    ++band;
                    bandX = at.x;
                    bandTop = at.y;
                    bandBottom = 0;
                } else {
                    EXPECT_NEAR(at.x, previousRight + gap, 1440.0 / kDpi + 1) << "sign " << a;
                    EXPECT_EQ(at.y, bandTop) << "sign " << a;
                }
                for (const auto& [key, f] : pictures)
                    if (key.first == a) bandBottom = std::max(bandBottom, f.at.y + Height(a, 3));
                previousRight = at.x + Width(a, 3);
            }
            bands = std::max(bands, band + 1);
        }
        EXPECT_EQ(lastPage, pages);
        EXPECT_GE(pages, 2) << "the project fills more than one page: page breaks are part of the check";
        if (oneBand) EXPECT_EQ(bands, 1);
        else EXPECT_GE(bands, 2);
    }

    // One sign's pictures as Current Sign prints them: each page's dots.
    struct SignPages {
        int16_t address;
        std::vector<Dots> pages;
    };
    // The pictures of Current Sign: from (500, 300) each sign's pages left
    // to right while the next fits the page, a row further down when not;
    // the next sign its height + 50 below the row of its last page; a row
    // that would reach below the page goes on on the next one at (500, 300).
    // Dots at each sign's own zoom; nothing outside the printable area.
    void ExpectCurrentSign(const std::string& file, const std::vector<SignPages>& signs) {
        const int count = PdfPages(file);
        ASSERT_GE(count, 1);
        std::map<int, Page> rendered;
        for (int pg = 1; pg <= count; ++pg) {
            rendered[pg] = Render(file, pg, dir.file("current"));
            ASSERT_GT(rendered[pg].w, 0);
            EXPECT_EQ(rendered[pg].DarkOutsidePrintable(), 0) << "page " << pg;
        }
        const double pageWidth = rendered[1].Width(), pageHeight = rendered[1].Height();
        int page = 1;
        double x = 500, y = 300, previous = 0;
        bool any = false;
        for (const SignPages& s : signs) {
            const int zoom = SignInfoOf(s.address).Zoom;
            int columns = 0, rows = 0;
            Extent(s.address, columns, rows);
            const double w = Size(columns, zoom), h = Size(rows, zoom);
            for (size_t p = 0; p < s.pages.size(); ++p) {
                if (p == 0) {
                    x = 500;
                    y = any ? y + previous + 50 : 300;
                } else if (pageWidth < x + 2 * (w + 50)) {
                    x = 500;
                    y += h + 50;
                } else {
                    x += w + 50;
                }
                if (any && x == 500 && y + h + 2 > pageHeight) {
                    ++page;
                    y = 300;
                }
                any = true;
                SCOPED_TRACE(testing::Message() << "sign " << s.address << ", page " << p + 1);
                ASSERT_LE(page, count);
                EXPECT_NE(Show(s.pages[p]).find('#'), std::string::npos);
                EXPECT_EQ(Show(PrintedDots(rendered[page], x, y, columns, rows, zoom)), Show(s.pages[p]));
            }
            previous = h;
        }
        EXPECT_EQ(page, count);
    }
    // Every shown sign's stored pages of a destination.
    std::vector<SignPages> StoredPages(int number, const std::vector<int16_t>& signs) {
        std::vector<SignPages> out;
        for (int16_t a : signs) {
            SignPages s{a, {}};
            for (int p = 1; p <= CountHashMarks(GetSignText(DestAt(static_cast<int16_t>(number)).Text, a)); ++p)
                s.pages.push_back(Probe(number, a, p, false));
            out.push_back(s);
        }
        return out;
    }
};

}  // namespace

// Portrait: the columns of LINE and REAR do not fit across the page beside
// FRONT, SIDE and TWO; they go on in a band below, every entry whole.
TEST_F(PrintShownGui, PortraitPicturesGoOnInABandBelow) {
    Start(kAll);
    Orientation(kPortrait);
    ExpectEveryPicture(Print("mnuSkrivutTillskrivareBilder", "bitmap-portrait"), false);
    // To printer with graphical printing: the same pictures.
    ASSERT_TRUE(IniSetValue(gSettingsFile, "Printer", "PrintGraphical", IniValue(1)));
    ExpectEveryPicture(Print("mnuSkrivutTillskrivare", "printer-portrait"), false);
}

// Landscape: every column fits; one band, as the layout always stood.
TEST_F(PrintShownGui, LandscapePicturesStandInOneBand) {
    Start(kAll);
    Orientation(kLandscape);
    ExpectEveryPicture(Print("mnuSkrivutTillskrivareBilder", "bitmap-landscape"), true);
}

// All five shown, FRONT current: Current Sign prints FRONT's two pages,
// SIDE, TWO, LINE and REAR; with SIDE current (FRONT not shown) SIDE, TWO,
// LINE and REAR.
TEST_F(PrintShownGui, CurrentSignPrintsEveryShownSign) {
    Start(kAll);
    OpenDest(3);
    ASSERT_EQ(gCurrentSign, kFront);
    for (int o : {kPortrait, kLandscape}) {
        SCOPED_TRACE(o);
        Orientation(o);
        ExpectCurrentSign(Print("mnuSkrivutAktuellSkylt", "current-" + std::to_string(o)), StoredPages(3, kAll));
    }
    const std::vector<int16_t> noFront = {kSide, kTwo, kLine, kRear};
    ShowSigns(noFront);
    OpenDest(3);
    ASSERT_EQ(gCurrentSign, kSide);
    ASSERT_EQ(gTextSignActive, kTrue);
    Orientation(kPortrait);
    ExpectCurrentSign(Print("mnuSkrivutAktuellSkylt", "current-side"), StoredPages(3, noFront));
}

// Typed but not stored: Current Sign prints what the window shows, which is
// what Save then stores; the edits stay unsaved until then.
TEST_F(PrintShownGui, CurrentSignPrintsUnsavedEdits) {
    frmHead& h = Start(kAll);
    OpenDest(3);
    const DestRecord stored = DestAt(3);
    const std::vector<SignPages> before = StoredPages(3, kAll);
    h.picSign[0]->setFocus();
    QApplication::processEvents();
    QTest::keyClicks(h.picSign[0], "Q");
    ASSERT_EQ(gTextModified, kTrue);
    std::vector<std::string> printed;
    for (int o : {kPortrait, kLandscape}) {
        Orientation(o);
        printed.push_back(Print("mnuSkrivutAktuellSkylt", "edited-" + std::to_string(o)));
        EXPECT_EQ(gTextModified, kTrue);
        EXPECT_EQ(DestAt(3).Text, stored.Text);
        EXPECT_EQ(DestAt(3).SignData, stored.SignData);
    }
    // Stored now: the printed pages are the pages the project holds, FRONT's
    // first page with the Q.
    ClickWidget(h.SaveDestOrExtra);
    head->MenuItem("mnuSpara")->trigger();
    ASSERT_EQ(gDocumentModified, kFalse);
    const std::vector<SignPages> after = StoredPages(3, kAll);
    ASSERT_NE(Show(after[0].pages[0]), Show(before[0].pages[0]));
    EXPECT_EQ(Show(after[0].pages[1]), Show(before[0].pages[1]));
    for (const std::string& file : printed) ExpectCurrentSign(file, after);

    // The text sign's strip and the route-number box, typed on.
    const std::vector<int16_t> noFront = {kSide, kTwo, kLine, kRear};
    ShowSigns(noFront);
    OpenDest(5);
    ASSERT_EQ(gCurrentSign, kSide);
    h.K2000_pct->setFocus();
    QApplication::processEvents();
    QTest::keyClick(h.K2000_pct, Qt::Key_End);
    QTest::keyClicks(h.K2000_pct, "X");
    ClickWidget(h.LineNo_txt);
    h.LineNo_txt->selectAll();
    QTest::keyClicks(h.LineNo_txt, "99");
    ASSERT_EQ(h.LineNo_txt->text(), "99");
    const DestRecord five = DestAt(5);
    Orientation(kPortrait);
    const std::string file = Print("mnuSkrivutAktuellSkylt", "edited-side");
    EXPECT_EQ(DestAt(5).Text, five.Text);
    EXPECT_EQ(h.LineNo_txt->text(), "99");
    ClickWidget(h.SaveDestOrExtra);
    head->MenuItem("mnuSpara")->trigger();
    ASSERT_NE(DestAt(5).Text, five.Text);
    ExpectCurrentSign(file, StoredPages(5, noFront));
}
