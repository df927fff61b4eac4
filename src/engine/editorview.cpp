#include "engine/editorview.h"
#include "engine/shownpages.h"

#include <algorithm>

#include "data/charmap.h"
#include "data/inverted.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/dotlayers.h"
#include "engine/dotstrips.h"
#include "engine/centring.h"
#include "engine/editstate.h"
#include "engine/fontlib.h"
#include "engine/graphictools.h"
#include "engine/markup.h"
#include "engine/routenumber.h"
#include "data/startup.h"
#include "platform/ports.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

int16_t gInPicWidth = 0;
int16_t gInPicHeight = 0;

namespace {

const ResetRegistrar kReset("editor picture", StateLayer::Engine, [] {
    gInPicWidth = 0;
    gInPicHeight = 0;
});

void MeasureMapped(const std::string& fontId, int code, int16_t& w, int16_t& h) {
    w = h = 0;
    if (code < 32 || code > 255) return;
    GlyphSize size;
    if (MeasureGlyph(static_cast<int16_t>(Asc(fontId)), gCharMap[code - 32], size)) {
        w = size.width;
        h = size.height;
    }
}

}  // namespace

void DrawSpecialGlyph(const std::string& fontId, int16_t code, int16_t& w, int16_t& h) {
    w = h = 0;
    for (unsigned char c : PlaceholderChars(code)) {
        int16_t cw, ch;
        MeasureMapped(fontId, c, cw, ch);
        w = static_cast<int16_t>(w + cw);
        h = std::max(h, ch);
    }
    gInPicWidth = w;
    gInPicHeight = h;
}

void DrawGlyph(const std::string& fontId, int16_t code, int16_t& w, int16_t& h) {
    if (code >= kFirstPlaceholder && code <= kLastPlaceholder) {
        DrawSpecialGlyph(fontId, code, w, h);
        return;
    }
    MeasureMapped(fontId, code, w, h);
    gInPicWidth = w;
    gInPicHeight = h;
}

void ResizeCellsToFont(int16_t cell) {
    if (!IsCellIndex(cell)) return;
    SignCell& c = Cell(cell);
    if (!gNoEditorPaint) {
        EditorPicturePort().PaintEditorGlyph(std::string(1, c.FontCode), c.CharCode, gCursorX, gCursorY);
        EditorPicturePort().RefreshEditorPicture();
    }
    c.Width = gInPicWidth;
    c.Height = gInPicHeight;
    c.X = gCursorX;
    c.Y = gCursorY;
}

void ClearCellRect(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (gNoEditorPaint) return;
    EditorPicturePort().ClearEditorRect(x, y, w, h);
    EditorPicturePort().RefreshEditorPicture();
}

void RedrawEditor() {
    if (!gNoEditorPaint) {
        EditorPicturePort().ClearEditorPicture();
        int16_t c = IsRowIndex(gStartRow) ? Row(gStartRow).FirstCell : 0;
        for (int guard = 0; IsCellIndex(c) && guard < kCellPoolSize; ++guard) {
            const SignCell& sc = Cell(c);
            EditorPicturePort().PaintEditorGlyph(std::string(1, sc.FontCode), sc.CharCode, sc.X, sc.Y);
            c = sc.Next;
        }
    }
    if (gShowLineNo) DisplayLineNumber();
    if (!gNoEditorPaint && gHasGraphic) RefreshGraphic();
    if (!gStartUp) RecalcRowWidths();
    if (!gNoEditorPaint) EditorPicturePort().RefreshEditorPicture();
}

void RefreshEditor(int16_t allSlots, int16_t reselect) {
    int32_t w5 = EditorInnerWidth();
    if (gShowLineNo) w5 -= gRouteNoAreaWidth;

    for (int r = 1; r <= kRowPoolSize; ++r) {
        EditRow& row = Row(r);
        row.NextFreeRow = static_cast<int16_t>(r < kRowPoolSize ? r + 1 : 0);
        row.FirstCell = 0;
        row.FreeWidth = static_cast<int16_t>(w5);
        row.NextRow = row.PrevRow = row.CellCount = row.RowHeight = 0;
    }
    gRowFreeHead = 1;
    gCurrentRow = 0;
    gStartRow = 0;

    FreeAllCells();
    gCursorCell = 0;
    gCursorBeforeCell = -1;

    if (!gNoEditorPaint) EditorPicturePort().ClearEditorPicture();
    gAreaSelected = 0;

    if (IsSignAddress(gCurrentSign)) {
        const int16_t height = SignInfoOf(gCurrentSign).Height;
        gRouteNoFont = PageRouteNoFont();
        const std::string start = DefaultStartFontOfHeight(height);
        if ((gStartUp || gAutoMode) && !start.empty()) ReadCharMap(start);
    }

    gCursorX = static_cast<int16_t>(gShowLineNo && gRouteNoLeft ? gRouteNoAreaWidth + 5 + gRouteNoX : 0);

    if (gHasGraphic) {
        ClearGraphicLayer();
        // An inverted text goes with the graphic that showed it.
        gAltBuffer.clear();
        gAltBufferChanged = 0;
        gHasGraphic = 0;
        gGraphicModified = 0;
        gGraphicText.clear();
    }
    // The names of a picture belong to the page that had it.
    gPictureTagName.clear();
    gSymbolTagName.clear();

    const int16_t row = gRowFreeHead;
    gRowFreeHead = Row(row).NextFreeRow;
    Row(row).NextFreeRow = 0;
    gCurrentRow = row;
    gStartRow = row;

    if (gAutoMode) CenterRowVertically();
    RedrawEditor();
    gCursorBeforeCell = -1;
    gRelinkEmptyRow = 0;

    gCursorY = static_cast<int16_t>(gAutoMode ? (EditorInnerHeight() - gCharHeight) / 10 * 5 : 0);

    if (gEditorHooks.storeEditorPage) {
        if (allSlots == 0) {
            int16_t k = IsSignAddress(gCurrentSign) ? SignInfoOf(gCurrentSign).GraphicIndex : 0;
            gEditorHooks.storeEditorPage(k);
        } else {
            for (int16_t k = 0; k < kGraphicCount; ++k) gEditorHooks.storeEditorPage(k);
        }
    }
    // What the emptied editors held is no entry's page any more.
    ForgetGraphicEditors(allSlots != 0);
    if (allSlots != 0 && reselect != 0 && IsSignAddress(gCurrentSign))
        SignPicturePort().SelectK4000Graphic(SignInfoOf(gCurrentSign).GraphicIndex);
}

void InstallEditorFontHooks() {
    gFontHooks.measureChar = [](const std::string& fontId, int16_t code) {
        int16_t w, h;
        DrawGlyph(fontId, code, w, h);
        gCharHeight = h;
    };
}

}  // namespace kv
