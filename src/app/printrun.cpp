#include "app/printrun.h"

#include <algorithm>
#include <array>
#include <sstream>
#include <vector>

#include "app/entrywindow.h"
#include "app/headstate.h"
#include "app/printlayout.h"
#include "app/printpage.h"
#include "app/signcontrols.h"
#include "data/fieldtext.h"
#include "data/ini.h"
#include "data/inverted.h"
#include "data/language.h"
#include "data/outsettings.h"
#include "data/printfonts.h"
#include "data/printprefs.h"
#include "data/records.h"
#include "data/signdata.h"
#include "data/signtable.h"
#include "data/userfields.h"
#include "engine/dotlayers.h"
#include "engine/editorslots.h"
#include "engine/editorview.h"
#include "engine/editstate.h"
#include "engine/marking.h"
#include "engine/pageload.h"
#include "engine/printdots.h"
#include "engine/routenolayout.h"
#include "engine/routenumber.h"
#include "engine/shownpages.h"
#include "engine/signcommands.h"
#include "engine/signpagedots.h"
#include "engine/signpictures.h"
#include "engine/signview.h"
#include "files/document.h"
#include "files/outrecords.h"
#include "platform/paths.h"
#include "platform/host.h"
#include "platform/printtarget.h"
#include "platform/vb.h"

namespace kv {

namespace {

PrintSettingsRec& S() { return PrintSettings; }

int16_t Int16(double v) { return CIntClamp(v); }

// What a run that draws pages through the editor changes behind the
// window's back, put back as it was: the entry, page and sign, the edit
// state of the page under edit (rows, cells, cursor, font and its
// measures, graphic, names, route-number area), the editor slots of the
// sign pictures and the dot layers of the sign graphics. The window itself
// is left alone while the pages are drawn, so it shows afterwards what it
// showed before, unsaved edits included.
class PrintedState {
public:
    PrintedState() : slots_(gEditorSlots) {
        StoreEditorPage(0, true, -1);
        live_ = gEditorSlots[0];
        gEditorSlots = slots_;
    }
    // A run that ends early (no printer, an error on the way) puts it back too.
    ~PrintedState() {
        try {
            Restore();
        } catch (...) {
        }
    }
    PrintedState(const PrintedState&) = delete;
    PrintedState& operator=(const PrintedState&) = delete;
    void Restore() {
        if (restored_) return;
        restored_ = true;
        gCurrentSign = sign_;
        gCurrentDest = dest_;
        gCurrentExtra = extra_;
        gDestListActive = destListActive_;
        gCurrentPictureIndex = pictureIndex_;
        gEditorSlots[0] = live_;
        RestoreEditorPage(0);
        gEditorSlots = slots_;
        gCurrentPage = page_;
        if (!font_.empty() && font_ != gCurrentFontCode) LoadFontMap(font_);
        gCharHeight = charHeight_;
        gTextModified = textModified_;
        gRouteNoX = routeNoX_;
        gRouteNoY = routeNoY_;
        gRouteNoFont = routeNoFont_;
        layers_.Restore();
        // What each shown sign shows is what it showed before the run.
        gShownPages = shown_;
    }

private:
    int16_t sign_ = gCurrentSign, dest_ = gCurrentDest, extra_ = gCurrentExtra, page_ = gCurrentPage;
    int16_t destListActive_ = gDestListActive, pictureIndex_ = gCurrentPictureIndex;
    std::string font_ = gCurrentFontCode;
    int16_t charHeight_ = gCharHeight, textModified_ = gTextModified;
    int16_t routeNoX_ = gRouteNoX, routeNoY_ = gRouteNoY;
    std::string routeNoFont_ = gRouteNoFont;
    std::array<EditorSlot, kEditorSlots> slots_;
    std::array<ShownPage, kShownEditors> shown_ = gShownPages;
    EditorSlot live_;
    DotLayersCopy layers_;
    bool restored_ = false;
};

// The words of a text in lines that fit the room (a word wider than the
// room stands on a line of its own).
std::vector<std::string> WrapWords(const std::string& text, double room) {
    std::vector<std::string> lines;
    std::istringstream words(text);
    std::string word, line;
    while (words >> word) {
        const std::string candidate = line.empty() ? word : line + " " + word;
        if (line.empty() || Printer().TextWidth(candidate) <= room) {
            line = candidate;
        } else {
            lines.push_back(line);
            line = word;
        }
    }
    if (!Trim(line).empty()) lines.push_back(line);
    return lines;
}

void UserField(const std::string& value, const std::string& label, double valueX, bool wrap) {
    if (value.empty()) return;
    PrintTarget& p = Printer();
    const double y = p.CurrentY;
    PrintTextAt(RemoveString(label, "&"), AtLeftMargin());
    const double room = p.PageWidth() - valueX - 1000;
    if (!wrap || p.TextWidth(value) <= room) {
        PrintTextAt(value, AtXY(Int16(valueX), 0, Int16(y), true));
        return;
    }
    const std::vector<std::string> lines = WrapWords(value, room);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i == 0) PrintTextAt(lines[i], AtXY(Int16(valueX), 0, Int16(y), true));
        else PrintTextAt(lines[i], PrintPlacement{2, Int16(valueX), 0});
    }
}

int16_t PrinterOrientation() {
    const int16_t o = CIntClamp(Val(IniGetValue(gSettingsFile, "Printer", "Orientation")));
    return o == 0 ? 1 : o;
}

// Every shown sign, in address order.
std::vector<int16_t> ShownSigns() {
    std::vector<int16_t> signs;
    for (int16_t a = kFirstSignAddress; a <= kLastSignAddress; ++a)
        if (SignInfoOf(a).Shown && SignInfoOf(a).Width > 0) signs.push_back(a);
    return signs;
}

// A page of a sign that the window shows edited since it was loaded: the
// page it is (the page shown, or the sign's next page when it has fewer)
// and its dots as the window shows them.
struct WindowPage {
    int16_t address = 0, page = 0;
    SignDots dots;
};

// The lit dots of sign graphic k within the sign's picture.
SignDots GraphicDots(int16_t k, int16_t address) {
    int32_t columns = 0, rows = 0;
    SignDotExtent(address, columns, rows);
    SignDots dots(columns, rows);
    ForEachLitSignDot(k, [&](int32_t col, int32_t row) {
        if (col >= 1 && row >= 1 && col <= columns && row <= rows) dots.Set(col - 1, row - 1);
    });
    return dots;
}

// The pages the window shows edited, read before any page is drawn (a
// drawn page goes through the editor and the dot layers): the text sign on
// the strip, the route-number box, then the graphic pictures, the active
// one first from the edit state in hand, the others from their slots. A
// page counts as edited when a Save would write what the window shows
// there. `recordPages`: each sign's pages in the record.
std::vector<WindowPage> EditedWindowPages(const std::vector<int16_t>& signs, const std::vector<int16_t>& recordPages) {
    std::vector<WindowPage> edited;
    if (gCurrentPage < 1) return edited;
    auto pageOf = [&](size_t i) { return std::min<int16_t>(gCurrentPage, static_cast<int16_t>(recordPages[i] + 1)); };
    std::vector<std::pair<size_t, int16_t>> graphic;  // sign index, picture
    for (size_t i = 0; i < signs.size(); ++i) {
        const int16_t a = signs[i];
        const SignInfo& s = SignInfoOf(a);
        if (Left(s.Model, 2) == "K2") {
            if (gTextSignActive && a == gCurrentSign &&
                ShownPageWrite(kStripEditor, a, StripEditorContent()) == ShownWrite::Write)
                edited.push_back({a, pageOf(i), TextSignDots(a, PadRowText(a))});
        } else if (s.Model == "K1000") {
            const std::string box = EntryPort().RouteNoBoxText();
            if (gK1000Shown && ShownPageWrite(kRouteBoxEditor, a, box) == ShownWrite::Write)
                edited.push_back({a, pageOf(i), RouteNumberSignDots(a, DigitCodes(box))});
        } else if (s.Model == "K4000" && s.GraphicIndex >= 0 && s.GraphicIndex < kMaxSignPictures &&
                   FindK4000ByGraphic(s.GraphicIndex) == a) {
            graphic.emplace_back(i, s.GraphicIndex);
        }
    }
    std::stable_partition(graphic.begin(), graphic.end(),
                          [](const auto& g) { return g.second == gCurrentPictureIndex; });
    for (const auto& [i, k] : graphic) {
        if (k != gCurrentPictureIndex) {
            const QuietWindow quiet;
            RestoreEditorPage(k);
        }
        if (ShownPageWrite(k, signs[i], GraphicEditorContent()) == ShownWrite::Write)
            edited.push_back({signs[i], pageOf(i), GraphicDots(k, signs[i])});
    }
    return edited;
}

}  // namespace

std::string ProposedListingName() {
    if (gDocumentPath.empty()) return "print.txt";
    return Left(gDocumentPath, static_cast<long>(gDocumentPath.size()) - 3) + "txt";
}

std::string FallbackPrintPdf() {
    if (!gDocumentPath.empty()) return Left(gDocumentPath, static_cast<long>(gDocumentPath.size()) - 3) + "pdf";
    return JoinPath(gOpenSavePath, "print.pdf");
}

void PrintUserBlock() {
    PrintSettingsRec& s = S();
    if (!s.PrintUserInfo && !s.PrintCodeName) return;
    PrintTarget& p = Printer();
    if (s.PrintUserInfo) {
        const std::vector<std::string> l = LangTextsInOneRun({"S1901", "S1902", "S1903", "S1904"});
        if (s.PromptSignText) {
            gPrintSignText.text = gTextS42;
            SetPrintFont(7);
            if (PrintEditedText()) PrintTextAt("", EmptyRows(1));
        } else {
            SetPrintFontKind(7);
            PrintTextAt(gTextS42, Centred());
            PrintTextAt("", EmptyRows(1));
        }
        SetPrintFontKind(8);
        double labelWidth = 0;
        for (const std::string& label : l) labelWidth = std::max(labelWidth, p.TextWidth(label));
        const double valueX = static_cast<double>(static_cast<int32_t>(labelWidth)) + 1100;
        UserField(gUserCompany, l[3], valueX, false);
        UserField(gUserDate, l[1], valueX, false);
        UserField(gUserResponsible, l[2], valueX, false);
        UserField(gUserOthers, l[0], valueX, true);
        if (!(gUserCompany.empty() && gUserDate.empty() && gUserResponsible.empty() && gUserOthers.empty()))
            PrintTextAt("", EmptyRows(1));
    }
    if (s.PrintCodeName) {
        const std::string text = gTextS43 + (gCommandRowOn ? gPromName : gAsciiName);
        if (s.PromptSignText) {
            gPrintSignText.text = text;
            SetPrintFont(11);
            PrintEditedText();
        } else {
            PrintTextAt(text, Centred());
        }
    }
}

bool PrintSignPictures(bool graphical) {
    PrintSettingsRec& s = S();
    PrintedState state;
    s.PrintKind = 0;
    s.PrinterOutput = true;
    s.Cancelled = false;
    s.TallestPicture = 0;
    ReadPrintPreferences();
    if (!StartPrinterRun()) return false;
    if (graphical) {
        s.PrintGraphical = true;
        // The colours follow the forced setting: never black on black.
        SetPrintColours();
    }
    if (s.PromptSignText) {
        LoadPrintSignText();
        ReadPrintTextKinds();
    }
    PrintUserBlock();
    s.PrintKind = 2;
    const bool pictures = s.PrintGraphical;
    int16_t windowState = 0;
    if (pictures) {
        BeginPrintGraphic();
        SetPrintZoom(true);
        windowState = PrintDialogPort().MainWindowState();
        PrintDialogPort().SetMainWindowState(1);
        s.PrintableHeight = Int16(RoundHalfEven(Printer().PageHeight() - 500));
    }
    gDestListActive = kTrue;
    PrintTableEntries();
    if (!s.Cancelled) {
        if (s.OneSignLayout) NewPrintPage();
        gDestListActive = kFalse;
        if (gExtraPerSign) {
            s.PrintKind = 4;
            PrintTableEntries();
        } else {
            s.PrintKind = 3;
            PrintWholeExtraTexts();
        }
    }
    if (s.PageNumber && !s.Cancelled) {
        PrintTarget& p = Printer();
        SetPrintFontKind(2);
        const std::string page = std::to_string(p.Page());
        p.CurrentX = p.PageWidth() / 2 - p.TextWidth(page) / 2;
        p.CurrentY = p.PageHeight() - 200;
        p.Print(page, false);
    }
    if (s.PromptSignText) UnloadPrintSignText();
    EndPrinterRun();
    if (pictures) SetPrintZoom(false);
    ClearPrintSignEntries();
    if (pictures) RefreshEditor(0, 0);
    state.Restore();
    if (pictures) {
        EndPrintGraphic();
        if (PrintDialogPort().MainWindowState() == 1) PrintDialogPort().SetMainWindowState(windowState == 2 ? 2 : 0);
    }
    return !s.Cancelled;
}

bool PrintSignGraphics() {
    // Nothing is asked about unsaved edits: the pages are drawn from the
    // records and from what the window shows, and the edit state is put
    // back afterwards.
    PrintTarget& p = Printer();
    if (!BeginPrintJob(PrinterOrientation())) return false;
    BeginPrintGraphic();
    SetPrintColours();
    PrintedState state;
    const bool dest = gDestListActive != 0;
    const int16_t n = dest ? gCurrentDest : gCurrentExtra;
    const std::string text = dest ? DestAt(n).Text : ExtraAt(n).Text;
    // Extra texts without sections per sign: the one sign shows the text
    // as a whole.
    const bool wholeExtra = !dest && !gExtraPerSign;

    const std::vector<int16_t> signs = ShownSigns();
    std::vector<int16_t> pages;
    for (int16_t a : signs) pages.push_back(CountHashMarks(wholeExtra ? text : GetSignText(text, a)));
    const std::vector<WindowPage> window = EditedWindowPages(signs, pages);

    // From (500, 300) each sign's pages left to right while the next one
    // fits across the page, else a row further down; the next sign its
    // height + 50 below the last row; a row that would reach below the page
    // goes on on the next one.
    int32_t previousHeight = 0;
    bool onPage = false;
    for (size_t i = 0; i < signs.size(); ++i) {
        const int16_t a = signs[i];
        const WindowPage* shown = nullptr;
        for (const WindowPage& w : window)
            if (w.address == a) shown = &w;
        const int16_t count = shown ? std::max(pages[i], shown->page) : pages[i];
        int32_t w = 0, h = 0;
        GetPrintedSignSize(a, w, h);
        for (int16_t pg = 1; pg <= count; ++pg) {
            if (pg == 1) {
                gPrintOriginX = 500;
                gPrintOriginY = onPage ? gPrintOriginY + previousHeight + 50 : 300;
            } else if (p.PageWidth() < gPrintOriginX + 2.0 * (w + 50)) {
                gPrintOriginX = 500;
                gPrintOriginY += h + 50;
            } else {
                gPrintOriginX += w + 50;
            }
            if (onPage && gPrintOriginX == 500 && gPrintOriginY + h + 2 > p.PageHeight()) {
                p.NewPage();
                gPrintOriginY = 300;
            }
            onPage = true;
            if (shown && shown->page == pg) PrintDotGrid(shown->dots, SignInfoOf(a).Zoom);
            else DrawSignPage(n, a, pg, wholeExtra);
        }
        if (count > 0) previousHeight = h;
    }
    EndPrintGraphic();
    state.Restore();
    EndPrintJob();
    return true;
}

}  // namespace kv
