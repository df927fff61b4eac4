// The editing operations on the text of a graphic sign page: typing a
// character, inserting a route-number placeholder, deleting (one character
// or a whole route-number field), splitting a row (Enter), joining a row
// with the one above (Backspace at a row start), and the two movers they
// share. Every operation keeps the edit state consistent (see editstate.h)
// and leaves the cursor either after gCursorCell or before the first cell
// of the current row.
#pragma once

#include <cstdint>
#include <string>

namespace kv {

// 0: warn when a typed character overfills its row; 1: warn once more, then
// stop (it becomes 2); 2 or more: never warn.
extern int16_t gRowFullWarning;
// No row-full warning while the current sign is being printed.
extern int16_t gSuppressRowFullWarning;
// While set (a text import writes its rows), a character that would
// overfill its row is left out without a word; the import reports it.
extern int16_t gCutRowsAtWidth;
// A new row starts beside a tall first cell of the row above (a large
// route-number field reaching down into it). True from the start.
extern int16_t gIndentBesideTall;

// The last dot column a position command can carry: the bytes from 176 on
// split pages or sections, or are commands.
constexpr int kMaxDotColumn = 175;

// True when the current font can show code: its map has a glyph for it
// (placeholders 250..254: every route-number character the placeholder
// shows). Never for "#", "\", "<", ">" and 255, which the markup uses.
bool CharCodeOf(int16_t code);
// Types one character at the cursor. repaint -1 suppresses the vertical
// re-centring after an insertion that started a row; fieldPos goes into the
// new cell's FieldPos. The character is inserted into an overfull row (with
// the row marked and the S32/S33 warning as gRowFullWarning allows; left
// out without a word while gCutRowsAtWidth is set), but
// refused with that warning when its dot column would pass kMaxDotColumn,
// and refused with a beep between two cells of a route-number field.
void InsertChar(int16_t code, int16_t repaint, int16_t fieldPos);
// Inserts the placeholder 249 + n (n = 1..gLineNoFieldCount); refused with
// a beep, the row marked and the warning when the row has no room.
void InsertLineNoField(int16_t n);
// Deletes the cell at the cursor, or the whole route-number field it
// belongs to.
void DeleteCharAtCursor();
// Deletes the route-number field of the cursor's row.
void DeleteSelectedRun();
// The route-number field of the first row: its width (0 without a field),
// its characters, the non-field cell beside it (the last one before it with
// the route number at the right end, the first after it at the left end),
// and flag -1 when the row holds nothing but the field.
int16_t GetSelectedText(std::string& text, int16_t& firstOther, int16_t& flag);
// Enter: the rest of the row after the cursor becomes a new row below. With
// silent set a refusal makes no sound and no message.
void SplitRowAtCursor(bool silent = false);
// Backspace at the start of the current row: joins it with the row above.
void ReflowRows();
// Moves cells from the start of fromRow to (x, y) onward into toRow while
// they fit; True when fromRow became empty.
bool WrapRowCells(int16_t fromRow, int16_t toRow, int16_t x, int16_t y);
// Moves the cells from start to its row's end (or to stop, inclusive; -1 =
// the row's end) sideways by dx. Unless moveFields, route-number fields stay
// where they are.
void ShiftCells(int16_t start, int16_t dx, int16_t stop, bool moveFields);

void ResetTextEdit();

}  // namespace kv
