// The edit state of a graphic sign page: a pool of 256 character cells and
// ten text rows. All cells of a page form one doubly linked chain in reading
// order; a row is a stretch of that chain that starts at its FirstCell and
// ends at the first cell with RowEnd set (or at the end of the chain).
// Positions and sizes are in fifths of a dot (editor pixels, five to a dot):
// a sign of W x H dots is an editor of 5W x 5H whatever its zoom.
//
// This header holds the records, the pools, the cursor and the small
// operations that allocate, free, walk and measure them; the editing
// operations are in textedit.h, the editor reset and measuring in
// editorview.h.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace kv {

constexpr int kCellPoolSize = 256;  // cells 1..256; 0 = no cell
constexpr int kRowPoolSize = 10;    // rows 1..10; 0 = no row

// One character placed on the editor picture.
struct SignCell {
    int16_t X = 0;          // left edge
    int16_t Y = 0;          // top edge
    int16_t Width = 0;      // 5 x glyph width in dots
    int16_t Height = 0;     // 5 x glyph height in dots
    int16_t RowEnd = 0;     // -1: last cell of its row and another row follows
    char FontCode = '0';    // font id; '0' in a free cell, 'g' the graphic-symbol font
    int16_t Next = 0;       // following cell in reading order
    int16_t Prev = 0;       // preceding cell
    int16_t GlyphCode = 0;  // glyph number in the cell's font
    int16_t CharCode = 0;   // character code 32..255; 250..254 route-number placeholders
    int16_t NextFree = 0;   // free-list link
    int16_t FieldPos = 0;   // 1-based position inside a route-number field, 0 outside
};

// One text row.
struct EditRow {
    int16_t FirstCell = 0;    // 0 = empty row
    int16_t FreeWidth = 0;    // width still free, may be negative
    int16_t NextRow = 0;      // row below, 0 = last
    int16_t PrevRow = 0;      // row above, 0 = first
    int16_t NextFreeRow = 0;  // free-row list link
    int16_t CellCount = 0;
    int16_t RowHeight = 0;    // largest Height of the row's cells
    int16_t Alignment = 0;    // as gTextAlignment
};

// Index 0 is unused in both pools.
extern std::array<SignCell, kCellPoolSize + 1> gCells;
extern std::array<EditRow, kRowPoolSize + 1> gRows;

extern int16_t gCellFreeHead;      // first free cell, 0 = pool exhausted
extern int16_t gRowFreeHead;       // first free row, 0 = all in use
extern int16_t gStartRow;          // top row of the row chain, 0 = none
extern int16_t gCurrentRow;        // row holding the cursor
extern int16_t gCursorCell;        // cell next to the cursor, 0 = none
extern int16_t gCursorBeforeCell;  // -1: cursor before gCursorCell (row start), 0: after it
extern int16_t gCursorX;           // where the next typed character's top-left goes
extern int16_t gCursorY;
extern int16_t gCharHeight;        // height of the current font, row pitch
// The current row was emptied by a deletion while the chain still runs
// through it into the next row: the next character typed into it is linked
// in front of the next row's first cell and carries RowEnd.
extern int16_t gRelinkEmptyRow;
extern int16_t gTextAlignment;     // 0/1 left, 2 right, 3 centred
// Automatic layout: the text block stands vertically centred ([Generell] Automatik).
extern int16_t gAutoMode;
// Cells are placed and measured but not painted by the editor; the lit dots
// come from the sign rendering. True from the start.
extern int16_t gNoEditorPaint;
// The text of the entry under edit has changed since it was loaded.
extern int16_t gTextModified;
// Edit mode of the graphic sign picture: 1 text, 2 graphic.
extern int16_t gEditorActive;

// What the edit state asks of the marking, markup and editor-slot code that
// builds on it. Empty hooks are skipped.
struct EditorHooks {
    // Marks the cells of a row and shows the marking frame (an overfull row).
    std::function<void(int16_t row)> markRow;
    // Ends any marking of cells.
    std::function<void()> cancelMarking;
    // Enables the route-number menu items by mode 0..3.
    std::function<void(int16_t mode)> setEditMenuState;
    // Stores the (empty) edit state into an editor slot 0..2.
    std::function<void(int16_t slot)> storeEditorPage;
};
extern EditorHooks gEditorHooks;

inline bool IsCellIndex(int c) { return c >= 1 && c <= kCellPoolSize; }
inline bool IsRowIndex(int r) { return r >= 1 && r <= kRowPoolSize; }
// A cell of the pool that is in use (linked into the page).
inline bool IsUsedCell(int c) { return IsCellIndex(c) && gCells[static_cast<size_t>(c)].FontCode != '0'; }
inline SignCell& Cell(int c) { return gCells[static_cast<size_t>(c)]; }
inline EditRow& Row(int r) { return gRows[static_cast<size_t>(r)]; }

// The first cell of the page's chain: the FirstCell of the first row that
// holds cells (the top row may have been emptied while rows below hold
// text); 0 for an empty page.
int16_t PageFirstCell();

// The editor's logical size: five units per dot of the current sign,
// whatever its zoom; 0 without a current sign.
int32_t EditorInnerWidth();
int32_t EditorInnerHeight();
// The free height of the editor picture: in automatic layout the inner height
// less the heights of the rows of the chain, cut to a multiple of five;
// otherwise the inner height.
int32_t CalcRowCount();

// Frees one row (see the free-row list); gStartRow moves on when it is the
// row. Alignment is kept.
void InitRow(int16_t row);
// Frees one cell onto the free list; callers unlink it first.
void ClearCell(int16_t cell);
// Every cell of the pool cleared and chained on the free list in index order.
void FreeAllCells();
// Pops a free cell; 0 after the S31 message when the pool is exhausted.
int16_t AllocCell();
// The glyph of a character through the current map; a placeholder the map
// lacks is its own glyph.
int16_t CellGlyphOf(int16_t code);
// The cell takes the character (through the current map), the current font
// and no RowEnd.
void SetCellChar(int16_t cell, int16_t code);
bool IsSpecialGlyph(int16_t code);
// The last cell of the row that holds cell (0 for 0).
int16_t LastCellOfRow(int16_t cell);
// The first cell of the row that holds cell; with skipField a leading
// route-number field is skipped.
int16_t FirstCellOfRow(int16_t cell, bool skipField);
bool RowHasRoom(int16_t row, int16_t width);
// RowHeight = the largest Height among the row's CellCount cells.
void UpdateRowEnd(int16_t row);
// Moves the row's CellCount cells vertically by dy.
void SetRowTop(int16_t row, int16_t dy);
// Recomputes FreeWidth of the current row.
void RecalcRowWidths();

// Both pools cleared and chained on their free lists in index order, no row
// chain, cursor at the start, flags cleared (test start state).
void ResetEditState();

}  // namespace kv
