#include "files/printselect.h"

#include <algorithm>

#include "data/destcodes.h"
#include "data/destlist.h"
#include "data/fieldtext.h"
#include "data/language.h"
#include "data/printfonts.h"
#include "data/printprefs.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/printdots.h"
#include "files/printtext.h"
#include "platform/host.h"
#include "platform/printtarget.h"
#include "platform/vb.h"

namespace kv {

namespace {

bool DestTable() { return PrintSettings.PrintKind == 2; }

const DestRecord& TableRecord(int n) { return DestTable() ? gDestList[static_cast<size_t>(n)] : gExtraList[static_cast<size_t>(n)]; }


int16_t Int16(double v) { return CIntClamp(v); }

// The number of the first line of the list whose number is not 0 (the
// range starts there); 0 for an empty list.
int16_t FirstListedNumber(const ListModel& list) {
    for (int i = 0; i < list.ListCount(); ++i) {
        const int16_t n = CIntClamp(Val(Left(list.List(i), 4)));
        if (n != 0 || i + 1 == list.ListCount()) return n;
    }
    return 0;
}

// Fills the dialog, shows it, and takes the answer: the chosen signs in the
// chosen order, the layout and, for the destination table, the range.
void ChooseInDialog() {
    PrintSettingsRec& p = PrintSettings;
    PrintOptionsRequest r;
    const std::vector<std::string> t =
        LangTextsInOneRun({"S2300", "S2301", "S2302", "S2303", "S2304", "S2305", "S2306"});
    r.caption = t[0];
    r.options[0] = t[1];
    r.explanations[0] = t[2];
    r.options[1] = t[3];
    r.explanations[1] = t[4];
    r.options[2] = t[5];
    r.explanations[2] = t[6];
    r.doneText = gTextS122;
    for (int i = 1; i <= p.PrintSignCount; ++i) r.signNames.push_back(Trim(PrintSignEntry[static_cast<size_t>(i)].Name));
    if (DestTable()) {
        r.rangeShown = true;
        r.from = r.lowest = std::to_string(p.RangeFirst);
        r.to = r.highest = std::to_string(p.RangeLast);
    }
    const PrintOptionsAnswer a = PrintDialogPort().ShowPrintOptions(r);
    if (a.closed) {
        p.Cancelled = true;
        p.PrintSignCount = 0;
        return;
    }
    std::vector<PrintSignEntryRec> chosen(1);
    for (int row : a.order)
        if (row >= 1 && row <= p.PrintSignCount) chosen.push_back(PrintSignEntry[static_cast<size_t>(row)]);
    PrintSignEntry = chosen;
    p.PrintSignCount = static_cast<int16_t>(chosen.size() - 1);
    p.OneSignLayout = a.oneSignLayout;
    if (DestTable()) {
        p.RangeLast = Int16(Val(a.to));
        p.RangeFirst = Int16(Val(a.from));
    }
}

// The side-by-side file columns spread over the line, and the heading lines.
void LayFileColumns() {
    PrintSettingsRec& p = PrintSettings;
    const int n = p.PrintSignCount;
    const int W = p.PaperEndPos - p.PaperStartPos - p.NumberColumnWidth;
    int S = 0;
    for (int i = 1; i <= n; ++i) S += PrintSignEntry[static_cast<size_t>(i)].ColumnWidth;
    int e = 0;
    if (S + n < W && n >= 2) {
        e = (W - S - n + 1) / (n - 1);
        for (int i = 1; i < n; ++i) {
            PrintSignEntryRec& entry = PrintSignEntry[static_cast<size_t>(i)];
            entry.ColumnWidth = Int16(entry.ColumnWidth + e);
        }
    } else if (S + n > W && n > 1) {
        MsgBox("To B I G !", vbOKOnly);
    } else if (n == 1 && S < W) {
        p.NumberColumnWidth = Int16(p.NumberColumnWidth + 1);
    }
    p.ColumnHeadingLine.clear();
    p.ColumnUnderline.clear();
    if (p.RawLines) {
        for (int i = 1; i <= n; ++i) p.ColumnHeadingLine += "\t" + Trim(PrintSignEntry[static_cast<size_t>(i)].Name);
        return;
    }
    p.ColumnHeadingLine = p.ColumnUnderline = std::string(static_cast<size_t>(std::max<int>(0, p.NumberColumnWidth)), ' ');
    for (int i = 1; i <= n; ++i) {
        const PrintSignEntryRec& entry = PrintSignEntry[static_cast<size_t>(i)];
        const std::string name = Trim(entry.Name);
        const int w = entry.ColumnWidth;
        p.ColumnHeadingLine += name + std::string(static_cast<size_t>(std::max<int>(0, w - static_cast<int>(name.size()))), ' ');
        const int dashes = i == n ? w - 1 : w - 1 - e;
        const int blanks = i == n ? 1 : e + 1;
        p.ColumnUnderline += std::string(static_cast<size_t>(std::max(0, dashes)), '-') +
                             std::string(static_cast<size_t>(std::max(0, blanks)), ' ');
    }
}

}  // namespace

int32_t MaxSignTextWidth(int16_t entry) {
    const int16_t address = PrintSignEntry[static_cast<size_t>(entry)].Address;
    const bool printer = PrintSettings.PrinterOutput;
    double widest = 0;
    for (int n = 1; n <= PrintSettings.RangeLast; ++n) {
        const DestRecord& rec = TableRecord(n);
        if (rec.Text.empty()) continue;
        const std::string s = GetSignText(rec.Text, address);
        const int16_t pages = CountHashMarks(s);
        for (int16_t pg = 1; pg <= pages; ++pg) {
            const int16_t rows = CountFieldRows(s, pg);
            for (int16_t r = 1; r <= rows; ++r) {
                const std::string t = PrintFieldRow(s, pg, r);
                widest = std::max(widest, printer ? Printer().TextWidth(t) : static_cast<double>(t.size()));
            }
        }
    }
    return static_cast<int32_t>(widest);
}

void PreparePrintSigns() {
    PrintSettingsRec& p = PrintSettings;
    const bool printer = p.PrinterOutput;
    if (DestTable()) {
        p.RangeLast = LastUsedNumber(DestList);
        p.RangeFirst = CIntClamp(Val(Left(DestList.List(0), 4)));
    } else {
        p.RangeLast = LastUsedNumber(ExtraList);
        p.RangeFirst = FirstListedNumber(ExtraList);
    }

    const std::string digits = std::to_string(p.RangeLast);
    if (printer) {
        SetPrintFontKind(5);
        const double w = Printer().TextWidth(gDestCodesOn ? "8888" : digits) + 1000;
        p.NumberColumnWidth = Int16(p.PrintGraphical ? w - 500 : w);
        SetPrintFontKind(4);
    } else {
        p.NumberColumnWidth = Int16(gDestCodesOn ? 7 : static_cast<double>(digits.size()) + 3);
    }

    p.PrintSignCount = 0;
    PrintSignEntry.assign(1, PrintSignEntryRec{});
    const int16_t table = DestTable() ? 1 : 2;
    for (int16_t a = kFirstSignAddress; a <= kLastSignAddress; ++a) {
        if (!gSignEntry[static_cast<size_t>(a - kFirstSignAddress)].Used || !FindRecordByKey(a, table)) continue;
        PrintSignEntryRec e;
        e.Address = a;
        e.Name = PrintSignName(Trim(Left(ComposeSignLine(a), 8)));
        PrintSignEntry.push_back(e);
        p.PrintSignCount = static_cast<int16_t>(PrintSignEntry.size() - 1);
        if (!printer) {
            PrintSignEntryRec& added = PrintSignEntry.back();
            added.ColumnWidth = Int16(std::max<int32_t>(MaxSignTextWidth(p.PrintSignCount) + 1,
                                                         static_cast<int32_t>(Trim(e.Name).size()) + 1));
        }
    }

    if (p.PrintSignCount < 2) p.OneSignLayout = true;
    else ChooseInDialog();
    if (p.PrintGraphical) p.OneSignLayout = false;
    if (p.Cancelled) return;

    if (!printer) {
        if (!p.OneSignLayout) LayFileColumns();
        return;
    }
    for (int16_t i = 1; i <= p.PrintSignCount; ++i) {
        PrintSignEntryRec& e = PrintSignEntry[static_cast<size_t>(i)];
        const PrintSignEntryRec* prev = i > 1 ? &PrintSignEntry[static_cast<size_t>(i - 1)] : nullptr;
        if (!p.PrintGraphical) {
            SetPrintFontKind(3);
            const double w1 = Printer().TextWidth(e.Name) + 100;
            SetPrintFontKind(4);
            const double w2 = MaxSignTextWidth(i) + 100;
            e.ColumnWidth = Int16(std::max(w1, w2));
            e.ColumnX = prev ? Int16(prev->ColumnX + prev->ColumnWidth + 600) : Int16(p.NumberColumnWidth + 100);
        } else {
            int32_t w = 0, h = 0;
            GetPrintedSignSize(e.Address, w, h);
            e.PictureWidth = w + 10;
            e.PictureHeight = h + 15;
            p.TallestPicture = std::max(p.TallestPicture, e.PictureHeight);
            const int16_t firstX = Int16(p.NumberColumnWidth + 100);
            e.ColumnX = prev ? Int16(prev->ColumnX + static_cast<double>(prev->PictureWidth) + 200) : firstX;
            e.Band = prev ? prev->Band : int16_t{0};
            // A picture that would reach past the printable width starts the
            // next band at the first column's place (a band holds at least
            // one picture).
            if (prev && e.ColumnX + static_cast<double>(e.PictureWidth) > Printer().PageWidth()) {
                e.ColumnX = firstX;
                ++e.Band;
            }
        }
    }
}

}  // namespace kv
