// The listings to text files: the listing, the export and the 1.45 layout
// byte for byte, the header line, the line writer, the formatting of printed
// rows, the column layout of the print selection and the print options'
// answers.
#include <gtest/gtest.h>

#include "data/destcodes.h"
#include "data/printfonts.h"
#include "engine/routenolayout.h"
#include "engine/routenumber.h"
#include "files/listing.h"
#include "files/listing145.h"
#include "files/printselect.h"
#include "files/printtext.h"
#include "platform/safefile.h"
#include "platform/vbfile.h"
#include "support/print_state.h"

using namespace kv;
using testprint::PrintProject;

namespace {

class Listing : public PrintProject {
protected:
    // The listing (or export) of the project written to a file; its bytes.
    std::string Write(bool exportList) {
        const std::string path = dir.file(exportList ? "export.txt" : "print.txt");
        EXPECT_TRUE(WriteListingFile(path, exportList));
        return testutil::ReadFile(path);
    }
    void ExpectGolden(const std::string& name, const std::string& bytes) {
        std::string diff;
        EXPECT_TRUE(testutil::MatchesGolden("listing/" + name, bytes, &diff)) << diff;
    }
    // Lines written by PrintLine calls to a scratch file.
    std::vector<std::string> Lines(const std::function<void()>& write) {
        const std::string path = dir.file("lines.txt");
        PrintSettings.FileNo = FileOpen(path, FileMode::Output);
        write();
        FileClose(PrintSettings.FileNo);
        return SplitLines(testutil::ReadFile(path));
    }
};

}  // namespace

TEST_F(Listing, ProjectListingSideBySideIsByteExact) {
    Build();
    Printer("PrintPreferences", 4 + 8);
    Printer("Header", 1 + 2 + 4);
    const std::string bytes = Write(false);
    ExpectGolden("listing_two_signs.txt", bytes);
    // The user chose in the print options between the two signs.
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_EQ(dialogs.requests[0].signNames, (std::vector<std::string>{"FRONT", "SIDE"}));
    EXPECT_EQ(dialogs.requests[0].from, "1");
    EXPECT_EQ(dialogs.requests[0].to, "2");
}

TEST_F(Listing, EachFileRunStartsWithPlainLines) {
    // A run leaves raw lines on; the next one still centres its header.
    Build();
    Printer("PrintPreferences", 4 + 8);
    Printer("Header", 1 + 2 + 4);
    for (bool firstExport : {false, true}) {
        Write(firstExport);
        ASSERT_TRUE(PrintSettings.RawLines);
        ExpectGolden("listing_two_signs.txt", Write(false));
    }
}

TEST_F(Listing, ExportWritesCommentsAndOnlyDestinations) {
    Build();
    Printer("PrintPreferences", 4);
    Printer("Header", 1 + 8);
    const std::string bytes = Write(true);
    ExpectGolden("export_two_destinations.txt", bytes);
    EXPECT_EQ(bytes.find("EXTRA"), std::string::npos);
    // A print-to-file run after an export writes no comment lines.
    EXPECT_EQ(Write(false).find("\r\n;"), std::string::npos);
}

TEST_F(Listing, OneSignLayoutListsEachSignUnderItsName) {
    Build();
    Printer("PrintPreferences", 0);
    Printer("Header", 0);
    PrintOptionsAnswer a;
    a.order = {2, 1};
    a.oneSignLayout = true;
    a.from = "1";
    a.to = "2";
    dialogs.options.push_back(a);
    ExpectGolden("listing_one_sign.txt", Write(false));
}

TEST_F(Listing, OlderLayoutIsByteExact) {
    Build();
    gExtraList[0].Text = "# ZERO";
    ASSERT_TRUE(IniSetValue(gSettingsFile, "Generell", "PrintTextFormat145", IniValue("1")));
    const std::string bytes = Write(true);
    ExpectGolden("listing_145.txt", bytes);
    // The same for the listing command; no [Printer] setting counts.
    Printer("Header", 15);
    EXPECT_EQ(Write(false), bytes);
}

TEST_F(Listing, OlderLayoutRowsAndSkippedSigns) {
    Build();
    SignInfoOf(3).Width = 0;  // SIDE is not listed although records hold it
    gDestList[9999].Text = "\xFF" "FRONT# END";
    const std::vector<std::string> rows = Lines([] {
        ListActiveSigns();
        WriteListingToFile(PrintSettings.FileNo);
    });
    auto has = [&](const std::string& l) { return std::find(rows.begin(), rows.end(), l) != rows.end(); };
    EXPECT_TRUE(has("             1  FRONT# CENTRUM\\via TORGET# HAMN"));
    EXPECT_TRUE(has("          9999  FRONT# END"));
    EXPECT_TRUE(has("            3  # THIRD"));
    EXPECT_FALSE(has("             1  SIDE# CENTRUM"));
}

TEST_F(Listing, HeaderLineVariants) {
    const struct {
        int16_t header;
        const char* line;
    } cases[] = {
        {0, ""},
        {14, ""},  // without bit 1 nothing, whatever the other bits say
        {1, "Orvalde"},
        {3, "Orvalde, Kivar32\xAE"},
        {5, "Orvalde, 2024-05-01"},
        {9, "Orvalde, 12:34:56"},
        {15, "Orvalde, Kivar32\xAE, 2024-05-01, 12:34:56"},
    };
    for (const auto& c : cases) EXPECT_EQ(PrintHeaderLine(c.header), c.line) << c.header;

    // In a file the header is centred; in the export a comment line.
    PrintSettings = {};
    PrintSettings.PaperStartPos = 7;
    PrintSettings.PaperEndPos = 75;
    PrintSettings.Header = 3;
    EXPECT_EQ(Lines([] { PrintFileHeader(); }), (std::vector<std::string>{std::string(32, ' ') + "Orvalde, Kivar32\xAE"}));
    PrintSettings.ExportMode = true;
    EXPECT_EQ(Lines([] { PrintFileHeader(); }), (std::vector<std::string>{";" + std::string(32, ' ') + "Orvalde, Kivar32\xAE"}));
    PrintSettings.Header = 14;
    EXPECT_TRUE(Lines([] { PrintFileHeader(); }).empty());
}

TEST_F(Listing, PrintLineCentresIndentsAndSplits) {
    const std::string t150(150, 'x');
    const struct {
        bool raw, comment;
        int16_t start, end;
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {false, false, 7, 75, "CenterTxt0123456789", {std::string(36, ' ') + "0123456789"}},
        // (75 - 7 - 9) / 2 + 7 = 36.5 rounds to even: 36
        {false, false, 7, 75, "CenterTxt012345678", {std::string(36, ' ') + "012345678"}},
        {false, true, 7, 75, "CenterTxtabc", {";" + std::string(40, ' ') + "abc"}},
        {false, false, 7, 75, "plain", {"       plain"}},
        {false, false, 7, 75, t150,
         {"       " + std::string(68, 'x'), "       " + std::string(68, 'x'), "       " + std::string(14, 'x')}},
        // A long centred text: a plain first part and the tail centred.
        {false, false, 0, 10, "CenterTxt0123456789abcd", {"0123456789", "   abcd"}},
        {true, false, 7, 75, "CenterTxtheader", {"header"}},
        {true, true, 7, 75, "CenterTxtheader", {";header"}},
        {true, false, 7, 75, t150, {t150}},
        {false, false, 7, 75, "EmptyRows3", {"", "", ""}},
        {false, true, 7, 75, "EmptyRows12", {"", ""}},  // only the last digit counts
        // A line without room is written uncut.
        {false, false, 10, 10, "abc", {std::string(10, ' ') + "abc"}},
    };
    for (const auto& c : cases) {
        PrintSettings = {};
        PrintSettings.RawLines = c.raw;
        PrintSettings.CommentLine = c.comment;
        PrintSettings.PaperStartPos = c.start;
        PrintSettings.PaperEndPos = c.end;
        EXPECT_EQ(Lines([&] { PrintLine(c.text); }), c.lines) << c.text;
    }
}

TEST_F(Listing, FormatPrintTextByRouteNumberOption) {
    gLineNoFields = "4567890";
    gLineNoFieldCount = 3;
    const struct {
        int16_t option;
        bool left, right;
        const char* row;
        const char* printed;
    } cases[] = {
        {0, false, false, "<L>Centrum", "<L>Centrum"},
        {1, false, false, "<L>Centrum", "Centrum"},
        {2, false, false, "<L>Centrum", "456 Centrum"},
        {2, false, false, "Ring <L:2> Torg", "Ring 56 Torg"},
        {1, false, false, "Ring <L:2> Torg", "Ring Torg"},
        {2, false, false, "via <L/12>", "via 12"},
        {1, false, false, " <47>Hamn", "Hamn"},
        {2, false, false, " <47>Hamn", "47 Hamn"},
        {2, false, false, "<L:2> Torg", "56 Torg"},
        {0, true, false, "  a b  ", "a b  "},
        {0, false, true, "  a b  ", "  a b"},
        {0, true, true, "  a b  ", "a b"},
    };
    for (const auto& c : cases) {
        PrintSettings.LineNoOption = c.option;
        PrintSettings.TrimLeftSpaces = c.left;
        PrintSettings.TrimRightSpaces = c.right;
        EXPECT_EQ(FormatPrintText(c.row), c.printed) << c.option << " " << c.row;
    }
    gLineNoFields.clear();
    gLineNoFieldCount = 0;
}

TEST_F(Listing, SideBySideColumnsFillTheLine) {
    Build();
    PrintSettings = {};
    PrintSettings.PaperStartPos = 7;
    PrintSettings.PaperEndPos = 75;
    PrintSettings.PrintKind = 2;
    PreparePrintSigns();
    ASSERT_EQ(PrintSettings.PrintSignCount, 2);
    EXPECT_EQ(PrintSettings.NumberColumnWidth, 4);
    // FRONT's widest row is 10 characters, SIDE's 11 (names are shorter):
    // the first column takes the room left, (64 - 23 - 2 + 1) / 1 = 40.
    EXPECT_EQ(PrintSignEntry[1].ColumnWidth, 11 + 40);
    EXPECT_EQ(PrintSignEntry[2].ColumnWidth, 12);
    EXPECT_EQ(PrintSettings.ColumnHeadingLine, "    FRONT" + std::string(46, ' ') + "SIDE        ");
    EXPECT_EQ(PrintSettings.ColumnUnderline, "    " + std::string(10, '-') + std::string(41, ' ') + std::string(11, '-') + " ");

    // Too wide for the line: said, and the columns stay.
    PrintSettings.PaperEndPos = 20;
    PreparePrintSigns();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "To B I G !");
    EXPECT_EQ(PrintSignEntry[1].ColumnWidth, 11);
}

TEST_F(Listing, PrintSelectionOffersOnlySignsWithTextAndReadsTheRange) {
    Build();
    testsigns::Sign(testsigns::SignLine("REAR", "K4000", "84x16", "4"));  // no text anywhere
    PrintSettings = {};
    PrintSettings.PaperStartPos = 7;
    PrintSettings.PaperEndPos = 75;
    PrintSettings.PrintKind = 2;
    PrintOptionsAnswer a;
    a.order = {2};
    a.from = "2";
    a.to = "2";
    dialogs.options.push_back(a);
    PreparePrintSigns();
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_EQ(dialogs.requests[0].signNames.size(), 2u);
    EXPECT_TRUE(dialogs.requests[0].rangeShown);
    ASSERT_EQ(PrintSettings.PrintSignCount, 1);
    EXPECT_EQ(PrintSignEntry[1].Address, 3);
    EXPECT_EQ(PrintSettings.RangeFirst, 2);
    EXPECT_EQ(PrintSettings.RangeLast, 2);
    // One sign with text: no dialog, the one-sign layout.
    gDestList[1].Text = "\xFF" "FRONT# A";
    gDestList[2].Text = "\xFF" "FRONT# B";
    PreparePrintSigns();
    EXPECT_EQ(dialogs.requests.size(), 1u);
    EXPECT_EQ(PrintSettings.PrintSignCount, 1);
    EXPECT_TRUE(PrintSettings.OneSignLayout);
}

TEST_F(Listing, ClosingThePrintOptionsWritesNothing) {
    Build();
    const std::string path = dir.file("print.txt");
    testutil::WriteFile(path, "old");
    PrintOptionsAnswer closed;
    closed.closed = true;
    dialogs.options.push_back(closed);
    EXPECT_FALSE(WriteListingFile(path, false));
    EXPECT_EQ(testutil::ReadFile(path), "old");
    EXPECT_EQ(FileOpenCount(), 0);
}

TEST_F(Listing, EmptyRowsAndCompactPages) {
    Build();
    gDestList[2].Text = "\xFF" "FRONT# STATION\\ \xFF" "SIDE# STATION\\ ";
    Printer("Header", 0);
    Printer("PrintPreferences", 0);
    const std::string normal = Write(false);
    // The blank second row is left out; every page ends with an empty line.
    EXPECT_NE(normal.find("2\tSTATION\tSTATION\r\n\r\n"), std::string::npos) << normal;
    Printer("PrintPreferences", 1);
    EXPECT_NE(Write(false).find("2\tSTATION\tSTATION\r\n\t\t\r\n\r\n"), std::string::npos);
    Printer("PrintPreferences", 2);
    const std::string compact = Write(false);
    EXPECT_NE(compact.find("1.1\tCENTRUM\tCENTRUM\r\n\tvia TORGET\t\r\n1.2\tHAMN\t\r\n2\t"), std::string::npos) << compact;
}

TEST_F(Listing, DestinationCodesStandForTheNumbers) {
    Build();
    gDestCodesOn = kTrue;
    gDestList[1].Code = "C1  ";
    gDestList[2].Code = "ST  ";
    Printer("Header", 0);
    Printer("PrintPreferences", 0);
    const std::string bytes = Write(true);
    EXPECT_NE(bytes.find("\r\nC1  .1\tCENTRUM"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("\r\nST  \tSTATION"), std::string::npos);
}

TEST_F(Listing, EditedTitlesAndFontsOfAFileRun) {
    Build();
    Printer("PrintPreferences", 4 + 64);
    Printer("Header", 0);
    dialogs.signText = [](PrintTextFields& f, bool printer) {
        EXPECT_FALSE(printer);
        if (f.text == "Destinations") f.text = "  All destinations ";
        if (f.text == "Extra texts") f.text = "";
    };
    const std::string before = testutil::ReadFile(gSettingsFile);
    const std::string bytes = Write(false);
    EXPECT_NE(bytes.find("All destinations\r\n"), std::string::npos);
    EXPECT_EQ(bytes.find("Extra texts"), std::string::npos);  // emptied: left out
    EXPECT_NE(bytes.find("THIRD"), std::string::npos);
    // Nothing changed the title's size or style: the settings stay.
    EXPECT_EQ(testutil::ReadFile(gSettingsFile), before);
}

TEST_F(Listing, SetPrintFontStoresOnlyAChange) {
    ReadPrintPreferences();
    PrintSettings.CodeTextSize = 0;
    PrintSettings.CodeTextPreferences = 0;
    const std::string before = testutil::ReadFile(gSettingsFile);
    SetPrintFont(11);  // size 0 counts as 12; Done at once
    EXPECT_EQ(testutil::ReadFile(gSettingsFile), before);
    EXPECT_EQ(gPrintSignText.sizeText, "12");

    dialogs.signText = [](PrintTextFields& f, bool) {
        f.sizeText = "18";
        f.bold = 1;
        f.centred = 1;
    };
    SetPrintFont(11);
    EXPECT_EQ(PrintSettings.CodeTextSize, 18);
    EXPECT_EQ(PrintSettings.CodeTextPreferences, 9);
    EXPECT_EQ(IniGetValue(gSettingsFile, "Printer", "CodeTextSize"), "18");
    EXPECT_EQ(IniGetValue(gSettingsFile, "Printer", "CodeTextPreferences"), "9");
    // A size the list does not offer leaves the list as it was.
    dialogs.signText = nullptr;
    PrintSettings.SignTextSize = 13;
    SetPrintFont(3);
    EXPECT_EQ(gPrintSignText.sizeText, "18");
}

TEST_F(Listing, PreferencesAndTheirFileDefaults) {
    Printer("PrintPreferences", 1 + 4 + 16 + 64);
    for (const char* k : {"PaperWidth", "PaperStartPos", "PaperEndPos"}) Printer(k, 0);
    Printer("PageNumber", 2);
    PrintSettings = {};
    ReadPrintPreferences();
    const PrintSettingsRec& p = PrintSettings;
    EXPECT_TRUE(p.PrintEmptyLines && p.PrintUserInfo && p.TrimLeftSpaces && p.PromptSignText);
    EXPECT_FALSE(p.PrintCompact || p.PrintCodeName || p.TrimRightSpaces);
    EXPECT_FALSE(p.PageNumber);  // only 1 switches it on
    EXPECT_EQ(p.PaperWidth, 77);
    EXPECT_EQ(p.PaperStartPos, 7);
    EXPECT_EQ(p.PaperEndPos, 75);
    PrintSettings = {};
    PrintSettings.PrinterOutput = true;
    ReadPrintPreferences();
    EXPECT_EQ(PrintSettings.PaperEndPos, 0);
}

TEST_F(Listing, PrintColoursForGraphicalPrinting) {
    ASSERT_TRUE(IniSetValue(gSettingsFile, "Printer", "PrintGraphicalBC", IniValue("0")));
    PrintSettings.PrintGraphical = false;
    SetPrintColours();
    EXPECT_EQ(gPrintGraphicalBC, 0);
    EXPECT_EQ(gPrintGraphicalFC, 0);
    PrintSettings.PrintGraphical = true;
    SetPrintColours();
    EXPECT_EQ(gPrintGraphicalBC, 0xFFFFFF);
    EXPECT_EQ(gPrintGraphicalFC, 0);
}

TEST_F(Listing, AFailedWriteIsReportedAndKeepsTheOldFile) {
    Build();
    const std::string path = dir.file("print.txt");
    testutil::WriteFile(path, "old");
    SetSafeWriteFault([](SafeWriteStage stage, const std::string&) { return stage == SafeWriteStage::Rename; });
    EXPECT_FALSE(WriteListingFile(path, true));
    SetSafeWriteFault(nullptr);
    EXPECT_EQ(testutil::ReadFile(path), "old");
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages.back().text.rfind(path + ":\r", 0), 0u);
}
