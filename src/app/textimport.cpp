#include "app/textimport.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "app/entryload.h"
#include "app/entrywindow.h"
#include "app/feedtext.h"
#include "app/listentries.h"
#include "app/pagetimes.h"
#include "app/picconvert.h"
#include "app/replace.h"
#include "app/signcontrols.h"
#include "data/destlist.h"
#include "data/inverted.h"
#include "data/records.h"
#include "data/settings.h"
#include "data/signdata.h"
#include "data/signtable.h"
#include "engine/alignment.h"
#include "engine/editorview.h"
#include "engine/editstate.h"
#include "engine/markup.h"
#include "engine/signview.h"
#include "engine/textedit.h"
#include "engine/textstrip.h"
#include "platform/host.h"
#include "platform/paths.h"
#include "platform/progress.h"
#include "platform/vb.h"

namespace kv {

namespace {

// The whole number a key part stands for (its leading number, rounded).
double KeyValue(const std::string& part) { return RoundHalfEven(Val(part)); }

ImportRow ParseRow(const std::string& line, bool destinations, int16_t maxPage) {
    ImportRow row;
    row.text = line;
    const size_t tab = line.find('\t');
    if (tab == std::string::npos || line.find('\t', tab + 1) != std::string::npos) return row;
    const std::string key = line.substr(0, tab);
    const size_t dot = key.find('.');
    const double number = KeyValue(key.substr(0, dot));
    const double page = dot == std::string::npos ? 1.0 : KeyValue(key.substr(dot + 1));
    const double highest = destinations ? kDestCount - 1 : kExtraCount - 1;
    if (number < 1 || number > highest || page < 1 || page > maxPage) return row;
    row.number = static_cast<int16_t>(number);
    row.page = static_cast<int16_t>(page);
    row.text = line.substr(tab + 1);
    row.valid = true;
    return row;
}

// While the rows are written only the current sign is shown: the commit
// writes every shown sign, and the other signs' editors still hold what
// was open before the import, which is no row's text.
class OnlyCurrentSignShown {
public:
    OnlyCurrentSignShown() {
        for (int16_t a = kFirstSignAddress; a <= kLastSignAddress; ++a) {
            SignInfo& s = SignInfoOf(a);
            if (a == gCurrentSign || (!s.Shown && !s.RouteNoShown)) continue;
            saved_.push_back({a, s.Shown, s.RouteNoShown});
            s.Shown = s.RouteNoShown = kFalse;
        }
    }
    ~OnlyCurrentSignShown() {
        for (const Saved& v : saved_) {
            SignInfo& s = SignInfoOf(v.address);
            s.Shown = v.shown;
            s.RouteNoShown = v.routeNoShown;
        }
    }
    OnlyCurrentSignShown(const OnlyCurrentSignShown&) = delete;
    OnlyCurrentSignShown& operator=(const OnlyCurrentSignShown&) = delete;

private:
    struct Saved {
        int16_t address, shown, routeNoShown;
    };
    std::vector<Saved> saved_;
};

// While the rows are written, a character that would pass the sign's width
// is left out without a word (as one the font lacks): the report after the
// run names the rows cut so, instead of a box for every such character.
class RowsCutAtWidth {
public:
    RowsCutAtWidth()
        : cut_(std::exchange(gCutRowsAtWidth, kTrue)), quiet_(std::exchange(gSuppressRowFullWarning, kTrue)) {}
    ~RowsCutAtWidth() {
        gCutRowsAtWidth = cut_;
        gSuppressRowFullWarning = quiet_;
    }
    RowsCutAtWidth(const RowsCutAtWidth&) = delete;
    RowsCutAtWidth& operator=(const RowsCutAtWidth&) = delete;

private:
    int16_t cut_, quiet_;
};

// The text a failed row is reported with: the error's description and, on
// the next line, its number.
std::string RowError(const std::exception& e) {
    if (const auto* vb = dynamic_cast<const VbError*>(&e)) return std::string(vb->what()) + "\r" + std::to_string(vb->number);
    return e.what();
}

// A line of a report: a very long one is cut, so that the box stays
// readable and quick to show.
std::string ReportLine(const std::string& line) {
    if (line.size() <= kReportLineLength) return line;
    return line.substr(0, kReportLineLength) + "...";
}

// Save and new found no number free for the current sign after the row
// just written: its search came back to that row's number (and said so).
bool NoFreeNumberLeft(int16_t written) {
    const bool dest = gDestListActive != 0;
    if ((dest ? gCurrentDest : gCurrentExtra) != written) return false;
    const int top = (dest ? kDestCount : kExtraCount) - 1;
    const std::string key = SectionKey(gCurrentSign);
    for (int n = 1; n <= top; ++n) {
        if (n == written) continue;
        const DestRecord& r = dest ? DestAt(n) : ExtraAt(n);
        const bool free = !dest && !gExtraPerSign ? r.SignData.empty() : r.SignData.find(key) == std::string::npos;
        if (free) return false;
    }
    return true;
}

}  // namespace

std::vector<ImportRow> ParseImportRows(const std::string& content, bool destinations, int16_t maxPage) {
    std::vector<ImportRow> rows;
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        start = end + 1;
        if (line.empty() || line[0] == ';') continue;
        rows.push_back(ParseRow(line, destinations, maxPage));
    }
    return rows;
}

std::string BadRowsReport(const std::vector<ImportRow>& rows) {
    if (std::all_of(rows.begin(), rows.end(), [](const ImportRow& r) { return r.valid; })) return {};
    std::string report = "Bad rows i file:\r\n\r\n";
    for (const ImportRow& r : rows)
        if (!r.valid) report += ReportLine(r.text) + "\r\n";
    return report;
}

std::string LeftOutReport(const std::vector<RowLeftOut>& rows) {
    if (rows.empty()) return {};
    std::string report = "Characters the sign could not take were left out of these rows:\r\n\r\n";
    for (const RowLeftOut& r : rows) {
        std::string key = std::to_string(r.number);
        if (r.page != 1) key += "." + std::to_string(r.page);
        report += ReportLine(key + "\t" + r.text) + "\t(left out: " + ReportLine(r.leftOut) + ")\r\n";
    }
    return report;
}

bool PrepareTextImport() {
    if (!AskSaveChanges()) return false;
    // No inverted text of the page that goes waits to be stored with the
    // first row.
    gAltBuffer.clear();
    gAltBufferChanged = kFalse;
    gInvertedText.clear();
    if (gTextSignActive) {
        InitEditor();
    } else {
        RefreshEditor(0, 0);
        SetAlignment(gTextAlignment, false, true, true);
    }
    return true;
}

void ImportTextFile(const std::string& path) {
    gReplaceAnswer = -1;
    std::string content;
    if (path.empty() || !ReadWholeFile(path, content)) {
        MsgBox(path + " not found!", vbCritical);
        return;
    }
    const bool destinations = gDestListActive != 0;
    const std::vector<ImportRow> rows = ParseImportRows(content, destinations, gNumberOfChangingTexts);
    const std::string bad = BadRowsReport(rows);
    if (!bad.empty() && MsgBox(bad, vbOKCancel) == vbCancel) return;

    const int32_t total = static_cast<int32_t>(std::count_if(rows.begin(), rows.end(), [](const ImportRow& r) { return r.valid; }));
    std::vector<RowLeftOut> leftOut;
    // Save and new of the last row moved on to a new entry; a last row left
    // as it was keeps its entry current.
    bool lastWritten = true;
    {
        const OnlyCurrentSignShown onlyCurrent;
        const RowsCutAtWidth cutAtWidth;
        RunProgress progress("Importing rows", total);
        // The list box shows the list again once, when the run ends, instead
        // of laying out all its lines at every row.
        const ListModel::Batch listShownAtTheEnd(destinations ? DestList : ExtraList);
        int32_t done = 0;
        for (const ImportRow& row : rows) {
            if (!row.valid) continue;
            bool full = false;
            lastWritten = false;
            try {
                if (destinations) {
                    gCurrentDest = row.number;
                    // The commit takes the entry's code from the number box.
                    EntryPort().SetCurrentNumberText(CurrentNumberBoxText(row.number));
                } else {
                    gCurrentExtra = row.number;
                    EntryPort().SetCurrentNumberText(std::to_string(row.number));
                }
                gCurrentPage = row.page;
                const bool exists = CurrentEntryExists();
                if (DecideReplace(exists, row.number, row.page)) {
                    int16_t sign = 0;
                    SkrivTextISkylt(row.text, VbBool(exists), sign);
                    lastWritten = true;
                    if (!FedCharactersLeftOut().empty())
                        leftOut.push_back({row.number, row.page, row.text, FedCharactersLeftOut()});
                    // The commit has said that no number is left: once is enough.
                    full = NoFreeNumberLeft(row.number);
                }
            } catch (const std::exception& e) {
                MsgBox(RowError(e));
            }
            if (full) break;
            progress.Step(++done);
        }
    }
    // The line of the last row written, in view, as the last commit left it.
    ListModel& list = destinations ? DestList : ExtraList;
    if (const int i = list.ListIndex(); i >= 0) {
        const bool selected = list.Selected(i);
        ChooseListLine(destinations, i);
        list.SetSelected(i, selected);
    }
    // The other shown signs were hidden while the rows were written: they
    // show the entry the number box names now, and the page options its pages.
    // The sign edited shows it too when the last row was not written there.
    if (!lastWritten) {
        LoadCurrentSign();
        if (gCurrentPage > 1) EntryPort().SetChangingTextsValue(true);
    }
    LoadOtherSigns();
    ShowPagesOfShownSigns();
    const std::string report = LeftOutReport(leftOut);
    if (!report.empty()) MsgBox(report, vbExclamation);
}

}  // namespace kv
