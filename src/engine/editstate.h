// The edit state of a graphic sign page: a pool of 256 character cells and
// ten text rows. All cells of a page form one doubly linked chain in reading
// order; a row is a stretch of that chain. Positions and sizes are in fifths
// of a dot (editor pixels, five to a dot).
//
// This header holds the records, the pools and the globals of the state; the
// editing operations build on them.
#pragma once

#include <array>
#include <cstdint>

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
extern int16_t gCursorBeforeCell;  // -1: cursor before gCursorCell, 0: after it
extern int16_t gCursorX;
extern int16_t gCursorY;
extern int16_t gCharHeight;        // height of the current font, row pitch
extern int16_t gRelinkEmptyRow;
extern int16_t gTextAlignment;     // 0/1 left, 2 right, 3 centred
// Automatic layout: the text block stands vertically centred ([Generell] Automatik).
extern int16_t gAutoMode;

inline bool IsCellIndex(int c) { return c >= 1 && c <= kCellPoolSize; }
inline bool IsRowIndex(int r) { return r >= 1 && r <= kRowPoolSize; }

// The inner height of the editor picture: five units per dot of the current
// sign, whatever its zoom; 0 without a current sign.
int32_t EditorInnerHeight();
// The free height of the editor picture: in automatic layout the inner height
// less the heights of the rows of the chain, cut to a multiple of five;
// otherwise the inner height.
int32_t CalcRowCount();

// Both pools cleared and chained on their free lists in index order, no row
// chain, cursor at the start, flags cleared.
void ResetEditState();

}  // namespace kv
