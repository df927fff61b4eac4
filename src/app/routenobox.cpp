#include "app/routenobox.h"

#include <cctype>
#include <set>

#include "app/headstate.h"
#include "app/signcontrols.h"
#include "app/entrywindow.h"
#include "data/destcodes.h"
#include "data/headmode.h"
#include "data/language.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/dotlayers.h"
#include "engine/editorview.h"
#include "engine/editstate.h"
#include "engine/markup.h"
#include "engine/pageload.h"
#include "engine/routenolayout.h"
#include "engine/routenumber.h"
#include "engine/shownpages.h"
#include "engine/signcommands.h"
#include "engine/signpictures.h"
#include "engine/alignment.h"
#include "engine/signview.h"
#include "platform/host.h"
#include "platform/ports.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

const char* const kRouteNoCharacters = "0123456789AbCdEFHL";
int16_t gLineNoInsertPending = kFalse;

namespace {

bool GraphicSignCurrent() { return IsSignAddress(gCurrentSign) && SignInfoOf(gCurrentSign).Model == "K4000"; }

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

}  // namespace

std::optional<std::string> RouteNoBoxChanged(const std::string& text) {
    if (!gK1000Shown || gDestCodesOn) return std::nullopt;
    const std::string set = kRouteNoCharacters;
    std::string out;
    std::set<char> refused;
    for (char c : text) {
        size_t j = 0;
        while (j < set.size() && Upper(set[j]) != Upper(c)) ++j;
        if (j < set.size()) out += set[j];
        else refused.insert(Upper(c));
    }
    for (size_t i = 0; i < refused.size(); ++i) Beep();
    if (out == text) return std::nullopt;
    return out;
}

void RouteNoBoxEnter(const std::string& text) {
    if (gDestListActive && gCurrentDest >= 0 && gCurrentDest < kLineNoTableSize)
        gLineNoTable[static_cast<size_t>(gCurrentDest)] = text;
    else
        Beep();
    if (GraphicSignCurrent() && gShowLineNo) {
        DisplayLineNumber();
        RedrawEditor();
        ShowSign(false, false);
    }
    FocusEditedSign();
}

RouteNoCodeCheck RouteNoBoxLeft(const std::string& text, int16_t length) {
    RouteNoCodeCheck r;
    if (!gK1000Shown || !gDestCodesOn) return r;
    std::string code = text;
    if (CheckCodeChars(code, length)) {
        r.boxText = code;
    } else {
        MsgBox(gTextS133.size() < 2 ? "Bad destinationnumber!" : gTextS133, vbOKOnly);
        r.refused = true;
    }
    return r;
}

bool ShowLineNumbers() {
    if (!IsRowIndex(gCurrentRow) || Row(gCurrentRow).CellCount == 0 || gEditorActive != 1) return false;
    if (gShowLineNo) {
        CommandPort().CheckMenuItem("ShowLineNo_e", false);
        gShowLineNo = kFalse;
        return true;
    }
    RecalcRowWidths();
    if (gRouteNoAreaWidth + 5 > Row(gCurrentRow).FreeWidth) return false;
    DisplayLineNumber();
    CommandPort().CheckMenuItem("ShowLineNo_e", true);
    gShowLineNo = kTrue;
    return true;
}

void ToggleLineNumbers() {
    if (ShowLineNumbers()) {
        RedrawEditor();
        SetAlignment(gTextAlignment, false, true, true);
        gTextModified = kTrue;
    } else if (AskSaveChanges()) {
        const bool on = !gShowLineNo;
        CommandPort().CheckMenuItem("ShowLineNo_e", on);
        gShowLineNo = VbBool(on);
        if (!on) gRouteNoAreaDots = 0;
        RefreshEditor(0, 0);
        SetAlignment(gTextAlignment, false, true, true);
    }
    SetEditMenuState(gShowLineNo ? 1 : 0);
}

namespace {

// The editor in hand laid out again from its own bytes, which carry the
// area at its new place; the page's names and what the editor holds of an
// entry stay.
void PlaceAreaAnew(int16_t editor) {
    const ShownPage held = editor >= 0 ? gShownPages[static_cast<size_t>(editor)] : ShownPage{};
    const std::string before = GraphicEditorContent();
    const std::string data = BuildSignData(PageFirstCell());
    const std::string markup = " " + PageStructureMarkup();
    const std::string picture = gPictureTagName, symbols = gSymbolTagName;
    const int16_t row = gCurrentRow, cursorX = gCursorX, cursorY = gCursorY, cell = gCursorCell;
    ParseSignPage(data, markup);
    gPictureTagName = picture;
    gSymbolTagName = symbols;
    if (IsRowIndex(row)) gCurrentRow = row;
    if (IsUsedCell(cell)) gCursorCell = cell;
    gCursorX = cursorX;
    gCursorY = cursorY;
    if (editor >= 0 && GraphicEditorContent() == before) gShownPages[static_cast<size_t>(editor)] = held;
}

}  // namespace

void ShowSignsWithNewRouteNoLayout() {
    if (gTextSignActive) return;
    const int16_t current = gCurrentSign;
    const int16_t textModified = gTextModified, graphicModified = gGraphicModified;
    for (int16_t address : ShownK4000Signs()) {
        const int16_t k = SignInfoOf(address).GraphicIndex;
        if (!OwnsPicture(address)) continue;
        EntryPort().ChangeAddress(k, false, true);
        gCurrentSign = address;
        if (gShowLineNo) PlaceAreaAnew(k);
        ShowSign(false, false);
    }
    gCurrentSign = current;
    if (IsSignAddress(current) && SignInfoOf(current).Model == "K4000")
        EntryPort().ChangeAddress(SignInfoOf(current).GraphicIndex, false, true);
    gTextModified = textModified;
    gGraphicModified = graphicModified;
}

void InsertLineNoFieldCommand(const std::function<void()>& dialog) {
    gLineNoInsertPending = kTrue;
    if (dialog) dialog();
    if (gLineNoInsertPending) gLineNoInsertPending = kFalse;
    else ShowSign(false, false);
}

void ResetRouteNoBox() { gLineNoInsertPending = kFalse; }

namespace {
const ResetRegistrar kReset("route-number box", StateLayer::App, ResetRouteNoBox);
}  // namespace

}  // namespace kv
