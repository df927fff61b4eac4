#include "app/printlisting.h"

#include "app/printpage.h"
#include "data/language.h"
#include "data/outsettings.h"
#include "data/records.h"
#include "data/userfields.h"
#include "files/listing145.h"
#include "platform/host.h"
#include "platform/printtarget.h"

namespace kv {

namespace {

void Font(double size, bool bold) { Printer().SetFont(PrintFont{size, bold, false, false}); }

// One line at the left edge, on a new page when this one is full.
void Line(const std::string& text) {
    PrintTarget& p = Printer();
    if (p.CurrentY > 0 && p.CurrentY + p.TextHeight() > p.PageHeight()) p.NewPage();
    p.CurrentX = 0;
    p.Print(text);
}

void Centred(const std::string& text) {
    PrintTarget& p = Printer();
    if (p.CurrentY > 0 && p.CurrentY + p.TextHeight() > p.PageHeight()) p.NewPage();
    p.CurrentX = p.PageWidth() / 2 - p.TextWidth(text) / 2;
    p.Print(text);
}

void PrintHeaderToPrinter() {
    Font(12, true);
    Line("");
    Font(18, true);
    Centred(gTextS42);
    Line("");
    Font(12, true);
    for (const std::string& t : {gUserCompany, gUserDate, gUserResponsible, gUserOthers, gTextS44 + gPromName}) {
        Centred(t);
        Line("");
    }
    for (int i = 0; i < 3; ++i) Line("");
}

void PrintDestListToPrinter() {
    Line(std::string(10, ' ') + gTextS40);
    Line("");
    Font(10, false);
    for (int n = 0; n < kDestCount; ++n) {
        const std::string& text = gDestList[static_cast<size_t>(n)].Text;
        if (text.empty()) continue;
        for (size_t slot = 1; ListingColumns[slot] != 0; ++slot) {
            const std::string t = GetSignText(text, ListingColumns[slot]);
            if (t.empty()) continue;
            Line(ListingRow(n, 4, t));
            Line("");
        }
    }
}

void PrintExtraListToPrinter() {
    Font(12, true);
    Line(std::string(10, ' ') + gTextS41);
    Line("");
    Font(10, false);
    for (int n = 0; n < kExtraCount; ++n) {
        const std::string& text = gExtraList[static_cast<size_t>(n)].Text;
        if (text.empty()) continue;
        Line(ListingRow(n, 3, text));
        Line("");
    }
}

}  // namespace

bool PrintListing() {
    ListActiveSigns();
    if (!BeginPrintJob(1)) return false;
    PrintHeaderToPrinter();
    PrintDestListToPrinter();
    PrintExtraListToPrinter();
    EndPrintJob();
    return true;
}

}  // namespace kv
