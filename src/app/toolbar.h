// The toolbar's editing keys and the tool state of the sign editor: the
// switch between text and graphic mode with the controls each mode offers,
// the graphic tool and its pen, the operations on a selected area, the
// alignment keys and the font step of the marked cells.
//
// Toolbar buttons are numbered as the window builds them: 5 "TextMode",
// 6 "GraphMode", 10..12 the alignments, 14 "Automatik", 20..24 the tools,
// 25 "Refresh", 26 "Undo", 28..31 the pens, 33..38 the selection keys.
#pragma once

#include <cstdint>
#include <string>

namespace kv {

// Runs the key of a toolbar button (its Key), then enables the pen keys as
// the point tool allows. opening: a project is being opened (the text mode
// switch then does not repaint). False for the keys the window runs itself
// ("New", "Open", "Save", "Print", "SpridMera", "SpridMindre", "InvText").
bool ToolbarKey(const std::string& key, bool opening);
// The pen keys 28..31 are usable only while the point tool's button 20 is
// pressed and enabled.
void UpdatePenSizeKeys();
// Enables or disables the six selection keys 33..38.
void fraCutSub(bool enable);

// 1 text mode, 2 graphic mode: the font step buttons, the menu items, the
// cursor, the pointer, the toolbar buttons of each mode; the last graphic
// tool is chosen again; with redraw the sign is painted again.
void SetModeControls(int16_t mode, bool redraw);
// 1 rectangle, 2 line, 3 point, 4 fill, 20 selection: ends a selection,
// takes the undo copy of a graphic that has dots, sets the pointer, the draw
// style and the tool image's border.
void SelectGraphicTool(int16_t tool);
// The pen of the point tool (0..3) from its image.
void SelectPointSize(int16_t pen);
// The font step of the marked cells (or of the typing): 1 to the next font
// of the project's font list, 2 to the one before.
void RefreshFromText(int16_t direction);
// The point tool is the tool the graphic mode starts with (its button
// pressed; the pen keys stay as they are until a toolbar key).
void StartToolState();

// The graphic operations of the toolbar and the tool images.
void UndoGraphicCommand();
void RefreshGraphicCommand();
// Needs a selection; without one a beep and nothing else.
void DeleteGraphicCommand();

// The pointer is over the toolbar: the cursor timer pauses until the pointer
// is back over the window (ResumeCursorTimer).
void ToolbarMouseMove();

}  // namespace kv
