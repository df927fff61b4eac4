// The edit commands on the sign pictures (copy, paste, delete, delete all,
// automatic layout), the graphic export and import, and the cursor timer
// that blinks the text cursor.
#pragma once

#include <cstdint>
#include <string>

namespace kv {

// The copied graphic selection as strip text.
extern std::string gGraphicClipboard;
// The cursor timer's blink state at its previous tick.
extern int16_t PreviousBlinkState;

// Copy: graphic mode takes the selection's strip text, text mode copies the
// marked cells.
void CopyOnSignPicture();
// Paste: graphic mode draws the copied graphic at the selection's top-left
// dot, text mode types the copied cells at the cursor.
void PasteOnSignPicture();
// Delete: graphic mode erases the selected dots, text mode deletes the
// marked cells and aligns the row again.
void DeleteOnSignPicture();
// Delete all: an empty page on a graphic sign, an empty strip on a text sign.
void DeleteAllOnSign();
// Layout/Automatic layout: switched after the question about unsaved edits;
// the page starts empty.
void ToggleAutomaticLayout();
// Switches the automatic layout and its menu items.
void ToggleAutoMode();

// The name the graphic file dialogs propose: the project's path ending in
// "grf", or "*.grf" in the document folder.
std::string GraphicFileProposal();
// Export needs a selection: without one a beep and S123, and false.
bool CanExportGraphic();
// Writes the selection as a graphic file; an empty selection shows S39.
bool ExportGraphic(const std::string& path);
// Draws a graphic file at the selection's top-left dot; a file that cannot
// be read, or holds no graphic, beeps and changes nothing.
bool ImportGraphic(const std::string& path);

// One tick of the cursor timer after the start-up notice: the text signs'
// strip cursor blinks, or the blink animation steps, or the graphic sign's
// text cursor blinks at the cursor position.
void CursorTimerTick();
// Where the graphic sign's text cursor is drawn, in picture pixels.
struct CursorPlace {
    int32_t left = 0, top = 0, width = 0, height = 0;
};
CursorPlace GraphicCursorPlace();

void ResetEditCommands();

}  // namespace kv
