// What stands between the records and the graphic sign's text editor besides
// the markup: the three editor slots that keep the edit state of up to three
// graphic sign pictures while the user moves between signs, the alignment a
// loaded row shows, and the command that types a route number into the
// first row as a route-number field.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "data/signtable.h"
#include "engine/editstate.h"

namespace kv {

// One saved edit state. The font, the alignment and the route-number-area
// flag are taken only when the caller asks for them (hasFont then set).
struct EditorSlot {
    int16_t currentRow = 0, cursorCell = 0, cellFreeHead = 0, rowFreeHead = 0, relinkEmptyRow = 0;
    std::array<EditRow, kRowPoolSize + 1> rows{};
    int16_t startRow = 0;
    std::array<SignCell, kCellPoolSize + 1> cells{};
    int16_t cursorX = 0, cursorY = 0, cursorBeforeCell = 0;
    int16_t changingTexts = 0;  // the changing-texts check box
    int32_t routeNoAreaDots = 0;
    bool hasFont = false;
    std::string fontCode;
    int16_t textAlignment = 0, showLineNo = 0;
    int16_t altBufferChanged = 0;
    std::string altBuffer, invertedText;
    int16_t hasGraphic = 0;
    // The page's own graphic text and names, so that every sign keeps its
    // own graphic and picture name.
    std::string graphicText;
    int16_t graphicModified = 0;
    std::string pictureTagName, symbolTagName;
    std::string pageRouteNoFont;  // the page's own route-number font
};
constexpr int kEditorSlots = 3;
extern std::array<EditorSlot, kEditorSlots> gEditorSlots;
// A new application of the cursor row's alignment is pending; loading an
// entry, clearing the page and the route-number command clear it.
extern int16_t gRealignPending;

// Copies the edit state into a slot (0..2; others do nothing). withFont: also
// the font, the alignment and the route-number-area flag. checkState -1: the
// changing-texts flag is read from the window's check box, otherwise it is
// checkState >= 2.
void StoreEditorPage(int16_t slot, bool withFont, int16_t checkState);
// The reverse; the alignment buttons and the menu item follow, and the
// slot's font map is loaded when it differs. The page and the changing-texts
// box stay the window's: every shown sign edits the page the window shows.
void RestoreEditorPage(int16_t slot);

// The alignment the current row shows: 0 none, 1 left, 2 right, 3 centred.
int16_t DetectRowAlignment();
int16_t CurrentRowAlignment();

// The per-address route-number font id of the sign configuration (index
// address - 2).
extern std::array<std::string, kSignCount> gSignRouteNoFont;
// The route-number font of a sign: its own when that is one character, else
// the default of its height when that is, else "i".
std::string RouteNoFontOfSign(int16_t address);

// The five scratch records that carry the route number's characters while it
// is typed (records 1..4 filled, record 5 ends the typing); index 0 unused.
extern std::array<SignCell, 6> gRouteNoScratch;

// The route-number command: asks for a route number in the route-number
// dialog and types it into the first row as a route-number field at the
// sign's left or right end, replacing the field the row held, then aligns the
// row by the toolbar's alignment buttons. Only with the cursor in the first
// row (else a beep). Characters the chosen font lacks refuse the command
// with a beep before anything changes.
void GenerateRouteNo();
// After typing: when the cell chain of the first row no longer runs in index
// order, the page is loaded again from its own bytes and structure, so that
// its cells run in index order. cursorIndex: the cursor cell's place in the
// first row (the cell itself when it is in another row). True when it did.
bool RelayoutRouteNoRow(int16_t& cursorIndex);
// Finds the n-th row (1..10) of the used cells in index order (a cell left of
// its predecessor starts a row) and makes it row n.
void MarkRowStart(int16_t n);

void ResetEditorSlots();

}  // namespace kv
