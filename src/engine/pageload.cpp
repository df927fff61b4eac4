#include "engine/pageload.h"

#include <cstring>

#include "data/charmap.h"
#include "data/fieldtext.h"
#include "data/inverted.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/dotlayers.h"
#include "engine/dotstrips.h"
#include "engine/editorslots.h"
#include "engine/editorview.h"
#include "engine/editstate.h"
#include "engine/markup.h"
#include "engine/marking.h"
#include "engine/routenumber.h"
#include "engine/signcommands.h"
#include "engine/textedit.h"
#include "platform/ports.h"

namespace kv {

namespace {

int16_t CellsOfRow(const MarkupLayout& layout, int row) {
    if (row < 1 || row > static_cast<int>(layout.rowCells.size())) return 0;
    return layout.rowCells[static_cast<size_t>(row - 1)];
}

// The route-number header (210 x 211 y 212 f 242) of a page switches the
// area on and places it; without it the area is off.
size_t ReadHeader(const std::string& data) {
    auto byte = [&](size_t i) { return static_cast<unsigned char>(data[i]); };
    if (data.size() >= 7 && byte(6) == kCmdHeaderEnd) {
        gShowLineNo = -1;
        CommandPort().CheckMenuItem("ShowLineNo_e", true);
        gRouteNoFont = std::string(1, data[5]);
        int16_t w = 0, h = 0;
        const bool known = MeasureRouteNoChar(gRouteNoFont, '0', w, h);
        // The page keeps a font of its own; one the font library lacks
        // gives way to the default, as the area could not be drawn.
        const std::string byHeight =
            IsSignAddress(gCurrentSign) ? DefaultRouteNoFontOfHeight(SignInfoOf(gCurrentSign).Height) : std::string();
        gPageRouteNoFont = known && gRouteNoFont != byHeight ? gRouteNoFont : std::string();
        gRouteNoX = static_cast<int16_t>(byte(1) * 5);
        gRouteNoY = static_cast<int16_t>((byte(3) - h / 5) * 5 + 5);
        return 7;
    }
    gShowLineNo = 0;
    gPageRouteNoFont.clear();
    CommandPort().CheckMenuItem("ShowLineNo_e", false);
    return 0;
}

// rows: the number of rows the markup announces (0 without markup).
void LoadPage(const std::string& data, const std::string& field, int16_t rows) {
    const MarkupLayout layout = ReadMarkupLayout(field);
    gCurrentRow = 1;
    int16_t expected = CellsOfRow(layout, 1);
    gCursorBeforeCell = -1;
    gPictureTagName.clear();
    gSymbolTagName.clear();

    size_t pos = ReadHeader(data);
    int16_t mode = 0;
    if (gShowLineNo) mode = 1;
    else if (layout.placeholder) mode = 2;
    else if (layout.field) mode = 3;
    SetEditMenuState(mode);

    RefreshEditor(0, 0);
    gGraphicText.clear();

    auto byte = [&](size_t i) { return static_cast<unsigned char>(data[i]); };
    const size_t len = data.size();
    int16_t raise = 0, count = 0, rowNumber = 1, cellNumber = 0;
    bool pictureNamed = false;
    while (pos < len) {
        while (pos < len && byte(pos) != kCmdPosX) ++pos;
        if (pos + 5 >= len) break;  // no room for a run's commands
        const char font = data[pos + 5];
        if (font == kGraphicTextFont) {
            if (!pictureNamed) {
                gPictureTagName = PictureTagNameOf(field, 1);
                pictureNamed = true;
            }
            const size_t next = data.find(static_cast<char>(kCmdPosX), pos + 1);
            const size_t end = next == std::string::npos ? len : next;
            DrawTextRun(data.substr(pos, end - pos), 0, 0);
            gHasGraphic = -1;
            pos = end;
            continue;
        }
        const std::string fontId(1, font);
        if (fontId != gCurrentFontCode) LoadFontMap(fontId);
        gCursorX = static_cast<int16_t>(byte(pos + 1) * 5);
        gCursorY = static_cast<int16_t>(byte(pos + 3) * 5 - gCharHeight + 5);
        if (gCursorY < 0) {
            raise = gCursorY;
            gCursorY = 0;
        }
        pos += 6;
        gRowFullWarning = 1;
        const bool symbol = font == kSymbolFont;
        for (; pos < len && byte(pos) != kCmdPosX; ++pos) {
            const int b = byte(pos);
            if (!symbol) ++cellNumber;
            int16_t fieldPos = 0;
            if (!symbol && layout.fieldFirst > 0 && cellNumber >= layout.fieldFirst &&
                cellNumber < layout.fieldFirst + layout.fieldLength)
                fieldPos = static_cast<int16_t>(cellNumber - layout.fieldFirst + 1);
            // A byte the map has no character for is not typed.
            const int16_t code = b >= 32 ? gCharMapReverse[b - 32] : 0;
            if (code >= 32) {
                const int16_t before = gCursorCell;
                InsertChar(code, -1, fieldPos);
                if (symbol && gCursorCell != before && raise != 0 && b != 0 && std::strchr("FMSUV", b)) {
                    Cell(gCursorCell).Y = static_cast<int16_t>(Cell(gCursorCell).Y + raise + 15);
                    RedrawEditor();
                }
            }
            if (symbol) {
                if (gSymbolTagName.empty()) gSymbolTagName = PictureTagNameOf(field, 2);
                continue;
            }
            if (++count != expected) continue;
            count = 0;
            Row(gCurrentRow).Alignment = DetectRowAlignment();
            if (rowNumber < rows) {
                SplitRowAtCursor(true);
                ++rowNumber;
                expected = CellsOfRow(layout, rowNumber);
            }
        }
        gRowFullWarning = 0;
    }
    gGraphicModified = 0;
}

}  // namespace

namespace {

// The rows of a page of sign bytes as a markup field: one cell per byte of a
// text run, runs on one line of dots make one row. A page whose markup is
// not at hand (an inverted text: its page's field names the graphic) gets
// its rows, and with them their alignment, from this.
std::string RowsOfRuns(const std::string& data) {
    auto byte = [&](size_t i) { return static_cast<unsigned char>(data[i]); };
    size_t pos = data.size() >= 7 && byte(6) == kCmdHeaderEnd ? 7 : 0;
    std::string field = " ";
    int lastY = -1;
    while (pos < data.size()) {
        while (pos < data.size() && byte(pos) != kCmdPosX) ++pos;
        if (pos + 5 >= data.size()) break;
        const size_t next = data.find(static_cast<char>(kCmdPosX), pos + 1);
        const size_t end = next == std::string::npos ? data.size() : next;
        const char font = data[pos + 5];
        if (font != kGraphicTextFont && font != kSymbolFont && end > pos + 6) {
            const int y = byte(pos + 3);
            if (lastY >= 0 && y != lastY) field += '\\';
            lastY = y;
            field.append(end - pos - 6, 'x');
        }
        pos = end;
    }
    return field;
}

}  // namespace

void ParseInvertedText(const std::string& data) {
    // The text's own markup, kept by the invert command, where it names
    // every cell of the bytes (it writes no placeholders); else, and for a
    // page loaded inverted, the runs give the rows.
    const std::string runs = RowsOfRuns(data);
    auto cells = [](const std::string& field) {
        int total = 0;
        for (int16_t n : ReadMarkupLayout(field).rowCells) total += n;
        return total;
    };
    const std::string own = " " + gInvertedText;
    ParseSignPage(data, !gInvertedText.empty() && cells(own) == cells(runs) ? own : runs);
}

void ParseSignMarkup(const std::string& data) { ParseSignMarkupFrom(data, CurrentSignMarkup()); }

void ParseSignMarkupFrom(const std::string& data, const std::string& section) {
    // The rows of a page shown on every page are those of its own markup.
    const int16_t page = ShownMarkupPage(section);
    LoadPage(data, GetPageField(section, page), CountFieldRows(section, page));
}

void ParseSignPage(const std::string& data, const std::string& markupField) {
    LoadPage(data, markupField, static_cast<int16_t>(ReadMarkupLayout(markupField).rowCells.size()));
}

int16_t RowCharCount(int16_t row) { return CellsOfRow(ReadMarkupLayout(CurrentPageMarkup()), row); }

void InstallPageEditorHooks() {
    gEditorHooks.markRow = [](int16_t row) { MarkRow(row); };
    gEditorHooks.cancelMarking = [] { CancelMarking(); };
    gEditorHooks.setEditMenuState = [](int16_t mode) { SetEditMenuState(mode); };
    gEditorHooks.storeEditorPage = [](int16_t slot) { StoreEditorPage(slot, false, -1); };
    gFontHooks.applyToMarkedCells = MarkedCellsFontHook;
    SetInvertReparseHook(ParseInvertedText);
}

}  // namespace kv
