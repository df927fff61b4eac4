#include "files/listing.h"

#include <algorithm>
#include <vector>

#include "data/destcodes.h"
#include "data/destlist.h"
#include "data/fieldtext.h"
#include "data/ini.h"
#include "data/language.h"
#include "data/outsettings.h"
#include "data/printfonts.h"
#include "data/printprefs.h"
#include "data/records.h"
#include "data/userfields.h"
#include "files/listing145.h"
#include "files/printselect.h"
#include "files/printtext.h"
#include "platform/error.h"
#include "platform/host.h"
#include "platform/vb.h"
#include "platform/vbfile.h"

namespace kv {

namespace {

PrintSettingsRec& P() { return PrintSettings; }

void Out(const std::string& line) { FilePrint(P().FileNo, line); }

std::string Blanks(int n) { return std::string(static_cast<size_t>(std::max(0, n)), ' '); }

void PlainLine(const std::string& text) {
    const std::string comment = P().CommentLine ? ";" : "";
    if (P().RawLines) {
        Out(comment + text);
        return;
    }
    const int w = P().PaperEndPos - P().PaperStartPos;
    // A line without room is written uncut rather than split for ever.
    if (w >= 1 && static_cast<int>(text.size()) > w) {
        for (size_t p = 0; p < text.size(); p += static_cast<size_t>(w)) PlainLine(text.substr(p, static_cast<size_t>(w)));
        return;
    }
    Out(comment + Blanks(P().PaperStartPos) + text);
}

void CentredLine(const std::string& text) {
    if (P().RawLines) {
        PlainLine(text);
        return;
    }
    const int w = P().PaperEndPos - P().PaperStartPos;
    if (w >= 1 && static_cast<int>(text.size()) > w) {
        PlainLine(text.substr(0, static_cast<size_t>(w)));
        CentredLine(text.substr(static_cast<size_t>(w)));
        return;
    }
    const double blanks = (P().PaperEndPos - P().PaperStartPos - static_cast<double>(text.size())) / 2 + P().PaperStartPos;
    Out((P().CommentLine ? ";" : "") + Blanks(static_cast<int>(RoundHalfEven(blanks))) + text);
}

void EmptyLine() { PrintLine("EmptyRows1"); }

// A title or heading: offered for editing first when PromptSignText is on,
// then centred when it is not empty; `after` empty lines follow it.
void Title(const std::string& text, bool after) {
    std::string t = text;
    if (P().PromptSignText) {
        gPrintSignText.text = text;
        ShowPrintSignText();
        t = PrintSignTextTrimmed();
        if (t.empty()) return;
    }
    PrintLine("CenterTxt" + t);
    if (after) EmptyLine();
}

// The entry id: the code of a destination while codes are on, else the number.
std::string EntryId(int n, bool destTable) {
    if (destTable && gDestCodesOn) return gDestList[static_cast<size_t>(n)].Code;
    return std::to_string(n);
}

// What stands before a row: on the first row of a page the id (with "." and
// the page number when the entry has more than one page), else only the
// width of the number column.
std::string RowPrefix(int16_t row, const std::string& id, int pages, int page) {
    const bool raw = P().RawLines;
    const int ncw = P().NumberColumnWidth;
    if (row != 1) return raw ? "\t" : Blanks(ncw);
    const std::string suffix = pages > 1 ? "." + std::to_string(page) : "";
    if (raw) return id + suffix + "\t";
    return Blanks(ncw - 3 - static_cast<int>(id.size())) + id + suffix + (pages > 1 ? " " : "   ");
}


std::string PaddedCell(const std::string& t, int width) {
    if (P().RawLines) return t;
    return t + Blanks(width - static_cast<int>(t.size()));
}

bool Blank(const std::string& t) { return Trim(t).empty(); }

// After the rows of a page: one empty line, unless compact or the last row
// was blank and empty lines are not printed.
void AfterPage(bool lastRowBlank) {
    if (P().PrintCompact || (lastRowBlank && !P().PrintEmptyLines)) return;
    EmptyLine();
}

void SideBySide(bool destTable) {
    PrintSettingsRec& p = P();
    p.CommentLine = p.ExportMode;
    PrintLine(p.ColumnHeadingLine);
    if (!p.RawLines) PrintLine(p.ColumnUnderline);
    p.CommentLine = false;
    const int n = p.PrintSignCount;
    for (int e = 0; e <= p.RangeLast; ++e) {
        const DestRecord& rec = destTable ? gDestList[static_cast<size_t>(e)] : gExtraList[static_cast<size_t>(e)];
        if (rec.Text.empty()) continue;
        std::vector<std::string> s(static_cast<size_t>(n) + 1);
        std::vector<int16_t> c(static_cast<size_t>(n) + 1);
        int16_t pages = 0;
        for (int i = 1; i <= n; ++i) {
            s[i] = GetSignText(rec.Text, PrintSignEntry[static_cast<size_t>(i)].Address);
            c[i] = CountHashMarks(s[i]);
            pages = std::max(pages, c[i]);
        }
        const std::string id = EntryId(e, destTable);
        for (int16_t pg = 1; pg <= pages; ++pg) {
            int16_t rows = 0;
            for (int i = 1; i <= n; ++i) rows = std::max(rows, CountFieldRows(s[i], pg));
            bool lastBlank = true;
            for (int16_t r = 1; r <= rows; ++r) {
                std::string line;
                bool allBlank = true;
                for (int i = 1; i <= n; ++i) {
                    const int width = PrintSignEntry[static_cast<size_t>(i)].ColumnWidth;
                    std::string cell;
                    if (c[i] >= pg && CountFieldRows(s[i], pg) >= r) cell = WithoutLeadingBlank(PrintFieldRow(s[i], pg, r));
                    allBlank = allBlank && Blank(cell);
                    if (p.RawLines && i > 1) line += "\t";
                    line += PaddedCell(cell, width);
                }
                lastBlank = allBlank;
                if (!allBlank || p.PrintEmptyLines) PrintLine(RowPrefix(r, id, pages, pg) + line);
            }
            AfterPage(lastBlank);
        }
    }
}

void OneSignAfterAnother(bool destTable) {
    PrintSettingsRec& p = P();
    for (int i = 1; i <= p.PrintSignCount; ++i) {
        const PrintSignEntryRec& entry = PrintSignEntry[static_cast<size_t>(i)];
        const std::string name = Trim(entry.Name);
        p.CommentLine = p.ExportMode;
        if (p.PromptSignText) {
            Title(name, false);
        } else if (p.RawLines) {
            PrintLine("\t" + name);
        } else {
            PrintLine("CenterTxt" + name);
            PrintLine("CenterTxt" + std::string(name.empty() ? 0 : name.size() - 1, '-'));
        }
        p.CommentLine = false;
        for (int e = 0; e <= p.RangeLast; ++e) {
            const DestRecord& rec = destTable ? gDestList[static_cast<size_t>(e)] : gExtraList[static_cast<size_t>(e)];
            const std::string s = GetSignText(rec.Text, entry.Address);
            if (s.empty()) continue;
            const int16_t pages = CountHashMarks(s);
            const std::string id = EntryId(e, destTable);
            for (int16_t pg = 1; pg <= pages; ++pg) {
                const int16_t rows = CountFieldRows(s, pg);
                bool lastBlank = true;
                for (int16_t r = 1; r <= rows; ++r) {
                    const std::string t = WithoutLeadingBlank(PrintFieldRow(s, pg, r));
                    lastBlank = Blank(t);
                    if (!lastBlank || p.PrintEmptyLines) PrintLine(RowPrefix(r, id, pages, pg) + PaddedCell(t, entry.ColumnWidth));
                }
                AfterPage(lastBlank);
            }
        }
    }
}

// Steps shared by the listing and the export; `extraTexts` adds them.
bool ListToFile(int16_t fileNo, bool exportList) {
    PrintSettingsRec& p = P();
    p.PrinterOutput = false;
    p.PrintKind = 0;
    p.FileNo = fileNo;
    // Every run starts from plain lines; only the export writes comments.
    p.RawLines = false;
    p.ExportMode = exportList;
    p.Cancelled = false;
    ReadPrintPreferences();
    PrintFileHeader();
    p.RawLines = true;
    if (p.PromptSignText) LoadPrintSignText();
    PrintUserBlockToFile();
    p.PrintKind = 2;
    PrintDestTexts();
    if (!exportList && !p.Cancelled) {
        if (gExtraPerSign) {
            p.PrintKind = 4;
            PrintDestTexts();
        } else {
            p.PrintKind = 3;
            PrintExtraTexts();
        }
    }
    if (p.PromptSignText) UnloadPrintSignText();
    ClearPrintSignEntries();
    p.PrintKind = 0;
    return !p.Cancelled;
}

}  // namespace

void PrintLine(const std::string& text) {
    if (text.compare(0, 9, "EmptyRows") == 0) {
        const int n = text.size() > 9 ? static_cast<int>(Val(text.substr(text.size() - 1))) : 0;
        for (int i = 0; i < n; ++i) Out("");
    } else if (text.compare(0, 9, "CenterTxt") == 0) {
        CentredLine(text.substr(9));
    } else {
        PlainLine(text);
    }
}

void PrintFileHeader() {
    const std::string line = PrintHeaderLine(P().Header);
    if (line.empty()) return;
    P().CommentLine = P().ExportMode;
    PrintLine("CenterTxt" + line);
    P().CommentLine = false;
}

bool PrintToFile(int16_t fileNo) { return ListToFile(fileNo, false); }
bool ExportDestList(int16_t fileNo) { return ListToFile(fileNo, true); }

void PrintUserBlockToFile() {
    PrintSettingsRec& p = P();
    if (!p.PrintUserInfo && !p.PrintCodeName) return;
    p.CommentLine = p.ExportMode;
    if (p.PrintUserInfo) {
        const std::vector<std::string> labels = LangTextsInOneRun({"S1901", "S1902", "S1903", "S1904"});
        if (p.PromptSignText) {
            gPrintSignText.text = gTextS42;
            SetPrintFont(7);
            ShowPrintSignText();
            const std::string t = PrintSignTextTrimmed();
            if (!t.empty()) {
                PrintLine(t);
                EmptyLine();
            }
        } else {
            EmptyLine();
            PrintLine("CenterTxt" + gTextS42);
            EmptyLine();
        }
        size_t w = 0;
        for (const std::string& l : labels) w = std::max(w, l.size());
        ++w;
        const std::pair<const std::string*, const std::string*> fields[] = {
            {&gUserCompany, &labels[3]}, {&gUserDate, &labels[1]}, {&gUserResponsible, &labels[2]}, {&gUserOthers, &labels[0]}};
        bool any = false;
        for (const auto& [value, label] : fields) {
            if (value->empty()) continue;
            any = true;
            PrintLine(RemoveString(*label, "&") + Blanks(static_cast<int>(w - label->size())) + *value);
        }
        if (any) EmptyLine();
    }
    if (p.PrintCodeName) {
        const std::string line = gTextS43 + (gCommandRowOn ? gPromName : gAsciiName);
        if (p.PromptSignText) {
            gPrintSignText.text = line;
            ShowPrintSignText();
            const std::string t = PrintSignTextTrimmed();
            if (!t.empty()) {
                PrintLine(t);
                EmptyLine();
            }
        } else {
            PrintLine(line);
            EmptyLine();
        }
    }
    p.CommentLine = false;
}

void PrintDestTexts() {
    PrintSettingsRec& p = P();
    const bool destTable = p.PrintKind == 2;
    PreparePrintSigns();
    if (!p.Cancelled && p.PrintSignCount != 0 && p.RangeLast != 0) {
        p.CommentLine = p.ExportMode;
        EmptyLine();
        Title(destTable ? gTextS40 : gTextS41, true);
        p.CommentLine = false;
        if (p.OneSignLayout) OneSignAfterAnother(destTable);
        else SideBySide(destTable);
    }
    p.PrintKind = 0;
}

void PrintExtraTexts() {
    PrintSettingsRec& p = P();
    p.RangeLast = LastUsedNumber(ExtraList);
    p.NumberColumnWidth = static_cast<int16_t>(std::to_string(p.RangeLast).size() + 3);
    if (p.RangeLast != 0) {
        p.CommentLine = p.ExportMode;
        EmptyLine();
        Title(gTextS41, true);
        p.CommentLine = false;
        for (int n = 1; n <= p.RangeLast; ++n) {
            const std::string& text = gExtraList[static_cast<size_t>(n)].Text;
            if (text.empty()) continue;
            const int16_t pages = CountHashMarks(text);
            const std::string id = std::to_string(n);
            for (int16_t pg = 1; pg <= pages; ++pg) {
                const int16_t rows = CountFieldRows(text, pg);
                bool lastBlank = true;
                for (int16_t r = 1; r <= rows; ++r) {
                    const std::string t = PrintFieldRow(text, pg, r);
                    lastBlank = Blank(t);
                    if (lastBlank && !p.PrintEmptyLines) continue;
                    PrintLine(RowPrefix(r, id, pages, pg) + WithoutLeadingBlank(t));
                }
                AfterPage(lastBlank);
            }
        }
    }
    p.PrintKind = 0;
}

bool WriteListingFile(const std::string& path, bool exportList) {
    // The name was chosen in a file dialog: it is written as chosen.
    const int16_t fn = FileOpen(path, FileMode::Output, NameLookup::Exact);
    if (fn < 0) {
        MsgBox(FileMessage(path, "Error # " + Str(75)), vbExclamation);
        return false;
    }
    bool written = true;
    if (IniGetValue(gSettingsFile, "Generell", "PrintTextFormat145") == "1") WriteListingToFile(fn);
    else written = exportList ? ExportDestList(fn) : PrintToFile(fn);
    if (!written) {
        FileDiscard(fn);
        return false;
    }
    std::string error;
    if (!FileClose(fn, &error)) {
        MsgBox(FileMessage(path, error), vbExclamation);
        return false;
    }
    return true;
}

}  // namespace kv
