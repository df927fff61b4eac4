// What the core asks of the windows, as a few small roles: the picture of the
// current graphic sign, the editor picture, the character strip of the text
// signs, the state of menus and toolbar, the controls around the editor,
// the main window's own boxes and caption, its two lists with the boxes of
// the current entry, and its sign pictures as a whole. The Qt main window
// implements them; tests install fakes; without a window every call does
// nothing (each Set* with nullptr restores that).
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>

namespace kv {

// The current graphic sign's picture. Coordinates in fifths of a dot: the
// dot is column x / 5, row y / 5 (each to the nearest integer), painted lit
// or erased in black at the sign's zoom. The dot layers are not touched.
class SignCanvas {
public:
    virtual ~SignCanvas() = default;
    virtual void SetSignPixel(int32_t x, int32_t y) {}
    virtual void ClearSignPixel(int32_t x, int32_t y) {}
    // The selection frame (the rectangle of gSelX1, gSelY1, gSelX2, gSelY2)
    // drawn in an RGB colour: white shows it, black (0) removes it.
    virtual void ClearSignPictureColor(int32_t colour) {}
    // Makes the graphic sign shown in picture k current again and clears it.
    virtual void SelectK4000Graphic(int16_t k) {}
    // Paints the lit dots of the current sign's layers on its picture; the
    // layers are already rendered. (Printed dots go to the print target, not
    // here: toPrinter is always false.)
    virtual void PaintSign(bool toPrinter) {}
    // Keyboard focus to the current graphic sign's picture; in text mode the
    // cursor timer runs. Nothing is repainted.
    virtual void FocusSignPicture() {}
    // An outline between two corners in fifths of a dot: a rectangle (box)
    // or a line, in an RGB colour (0 black removes it, 255 red, 0xFFFFFF
    // white).
    virtual void ClearSignRect(int32_t colour, int32_t x1, int32_t y1, int32_t x2, int32_t y2, bool box) {}
};

// The editor picture of the graphic sign, in fifths of a dot. The editor
// calls these only while it paints itself (gNoEditorPaint clear).
class EditorCanvas {
public:
    virtual ~EditorCanvas() = default;
    // The inner width of the picture in its scale units; `fallback` when
    // there is no picture.
    virtual int32_t EditorPictureScaleWidth(int32_t fallback) { return fallback; }
    virtual void ClearEditorPicture() {}
    virtual void RefreshEditorPicture() {}
    // Black over the rectangle.
    virtual void ClearEditorRect(int32_t x, int32_t y, int32_t w, int32_t h) {}
    // Copies the rectangle (x, y, w, h) to (toX, toY).
    virtual void CopyEditorRect(int32_t x, int32_t y, int32_t w, int32_t h, int32_t toX, int32_t toY) {}
    // Draws the lit dots of a character (placeholders 250..254 as the route
    // number's characters) over the picture with its top-left at (x, y).
    virtual void PaintEditorGlyph(const std::string& fontId, int16_t charCode, int32_t x, int32_t y) {}
};

// The character strip of the text signs (K2000_pct, pixels): black over one
// 25 x 35 place, a character of font "2" copied into the place at (x, y),
// and the refresh after a change.
class StripCanvas {
public:
    virtual ~StripCanvas() = default;
    virtual void ClearStripPlace(int32_t x, int32_t y) {}
    virtual void DrawStripChar(int32_t x, int32_t y, int16_t charCode) {}
    virtual void RefreshStrip() {}
    // Keyboard focus to the strip.
    virtual void FocusStrip() {}
};

// Menus, toolbar and tool images of the main window.
class CommandState {
public:
    virtual ~CommandState() = default;
    // Menu items by name (ShowLineNo_e, Insert_LineNo_e, mnuToolsGenerateMBL,
    // ...): enabled state and check mark.
    virtual void EnableMenuItem(const std::string& name, bool enabled) {}
    virtual void CheckMenuItem(const std::string& name, bool checked) {}
    virtual bool MenuItemChecked(const std::string& name) { return false; }
    // The caption of a menu item as the menu shows it (Windows-1252); the
    // name as the item is named, in UTF-8 ("mnu\xC3\x96ppna").
    virtual std::string MenuItemCaption(const std::string& name) { return {}; }
    // The Value of toolbar button `index` of tbToolBar (1 = pressed); the
    // alignment buttons are 10 left, 11 centre, 12 right.
    virtual int16_t ToolbarButtonValue(int16_t index) { return 0; }
    virtual void SetToolbarButtonValue(int16_t index, int16_t value) {}
    // When the first cut tool (toolbar button 33) is enabled, disables the
    // six cut tools (fraCutSub with False).
    virtual void ResetCutTools() {}
    // Enables or disables the undo tool image imgUndo.
    virtual void EnableUndoImage(bool on) {}
    // The Enabled state of toolbar button `index` of tbToolBar.
    virtual bool ToolbarButtonEnabled(int16_t index) { return false; }
    virtual void EnableToolbarButton(int16_t index, bool on) {}
    // The alignment buttons show the alignment gTextAlignment.
    virtual void ShowAlignment() {}
};

// A file dialog: open or save, a filter of description|pattern pairs, the
// proposed name and filter entry (1-based); the choice, or a cancel. The
// chosen entry is 0 when the dialog could not tell it.
struct FileDialogRequest {
    bool save = false;
    std::string title;
    std::string filter;
    std::string fileName;
    int filterIndex = 1;
};
struct FileDialogChoice {
    bool cancelled = true;
    std::string path;
    int filterIndex = 1;
};

// The controls around the graphic sign's editor: the edit picture's mouse
// pointer and draw style, the tool images, the text cursor and its timer,
// the font step buttons and where the keyboard focus is.
class EditorControls {
public:
    virtual ~EditorControls() = default;
    // The mouse pointer of the edit picture: 0 default, 2 the cross, 5 the
    // move pointer, 1 the point tool's pointer of pen `pen` (0..3). The window
    // shows the system's pointers or its own pointer pictures.
    virtual void SetEditPointer(int16_t pointer, int16_t pen) {}
    // Draw style of the active sign's picture: 0 solid, 3 dotted.
    virtual void SetDrawStyle(int16_t style) {}
    // The image of the chosen graphic tool (1 rectangle, 2 line, 3 point,
    // 4 fill, 20 selection) and of the chosen pen (0..3) get a border.
    virtual void MarkToolImage(int16_t tool) {}
    virtual void MarkPenImage(int16_t pen) {}
    // The cursor timer CursorTimer.
    virtual bool CursorTimerEnabled() { return false; }
    virtual void EnableCursorTimer(bool on) {}
    // The text cursor picture of the active graphic sign: shown or hidden,
    // and its place in picture pixels.
    virtual bool CursorPictureShown() { return false; }
    virtual void ShowCursorPicture(bool on) {}
    virtual void PlaceCursorPicture(int32_t left, int32_t top, int32_t width, int32_t height) {}
    // The same for the text signs' strip cursor Curs_2000.
    virtual bool StripCursorShown() { return false; }
    virtual void ShowStripCursor(bool on) {}
    virtual void PlaceStripCursor(int32_t left, int32_t top, int32_t width, int32_t height) {}
    // The cursor timer's interval in milliseconds.
    virtual void SetCursorTimerInterval(int32_t ms) {}
    // A sign picture (picSign) has the keyboard focus.
    virtual bool SignPictureHasFocus() { return false; }
    // The font step buttons (SizeFrame) shown or hidden.
    virtual void ShowFontStepButtons(bool on) {}
};

// The main window's caption and the boxes around the sign pictures.
class DocumentWindow {
public:
    virtual ~DocumentWindow() = default;
    // Sets the main window's caption ("Kivar32® <name>").
    virtual void SetMainCaption(const std::string& caption) {}
    // The recent-files entries of the File menu: mnuArkivFile1..4 (n = 1..4)
    // with their captions ("&1  path"), and their separator mnuArkivFilesSep.
    virtual void ShowRecentFileEntry(int n, const std::string& caption, bool visible) {}
    virtual void ShowRecentFilesSeparator(bool visible) {}
    // Shows or hides the route-number box LineNo_txt, its label LineNo_lbl
    // (caption S57 when shown) and the labels AutoSign_lbl and AutoSign_lbl2.
    virtual void ShowRouteNumberControls(bool on) {}
    // The changing-texts check box Ch_Check (value 1 = checked).
    virtual bool ChangingTextsChecked() { return false; }
    virtual void SetChangingTextsChecked(bool checked) {}
    // The window's own copy of the current page.
    virtual void SetWindowPage(int16_t page) {}
    // The route-number box LineNo_txt.
    virtual void SetRouteNoBoxText(const std::string& text) {}
    // The caption as it stands.
    virtual std::string MainCaption() { return {}; }
    // The caption of the record button SaveDestOrExtra.
    virtual void SetSaveButtonCaption(const std::string& caption) {}
    // A font list entry in the font label size_lbl, and in the status bar's
    // second panel (the font frame's caption, ": " and the entry).
    virtual void ShowFontLabel(const std::string& entry) {}
    virtual void ShowFontStatus(const std::string& entry) {}
    // The window's file dialog; a cancel without a window.
    virtual FileDialogChoice FileDialog(const FileDialogRequest& request) { return {}; }
};

// The two lists of the main window (DestList, ExtraList: `destinations`
// chooses one) and the boxes around them that switching the list and
// loading an entry set: the captions, the blackout box, the route-number box
// and the changing-texts frame.
class ListWindow {
public:
    virtual ~ListWindow() = default;
    // The name of the control that has the main window's own focus, whether
    // or not the window is active; "" for none.
    virtual std::string FocusedControl() { return {}; }
    // The line the list's selection stands on (0-based; -1 for none), and
    // choosing a line as the user does (its click runs).
    virtual int SelectedListRow(bool destinations) { return -1; }
    virtual void SelectListRow(bool destinations, int row) {}
    // Shows that list and hides the other one.
    virtual void ShowList(bool destinations) {}
    virtual bool ListShown(bool destinations) { return false; }
    // How far the list scrolls sideways, in pixels; the list takes the focus.
    virtual void SetListExtent(bool destinations, int32_t extent) {}
    // The captions of the number box (Label3) and of the list (Label2), and
    // the longest number the box takes.
    virtual void SetListCaptions(const std::string& numberCaption, const std::string& listCaption) {}
    virtual void SetNumberBoxMaxLength(int length) {}
    // BlackOut_chk and its label lblBlackOut.
    virtual void ShowBlackoutBox(bool shown) {}
    virtual void SetBlackoutChecked(bool checked) {}
    // LineNo_txt and LineNo_lbl.
    virtual void ShowRouteNumberBox(bool shown) {}
    // The changing-texts frame Ch_Frame is shown.
    virtual void ShowPageFrame() {}
};

// The graphic sign pictures as a whole and the window's arrangement by the
// model of the current sign.
class SignWindow {
public:
    virtual ~SignWindow() = default;
    // Picture sets for the shown graphic signs; with resize placed afresh
    // and their zooms reset.
    virtual void LayoutSignPictures(bool resize, bool large) {}
    // The sign's picture sized to its dot grid.
    virtual void SelectSign(int16_t sign) {}
    // The graphics of the visible pictures cleared before an entry is
    // loaded (only the current sign's with currentOnly).
    virtual void SelectK4000Graphic(bool currentOnly) {}
    // Forgets the active picture set, so that the next change of the active
    // sign saves no editor state.
    virtual void ResetActivePicture() {}
    // The window arranged for the sign's model; the sign becomes current.
    virtual void UpdateSignControls(int16_t address) {}
    // Enters and leaves the text-sign line mode.
    virtual void UpdateToolbarState() {}
    virtual void UpdateToolbarState2() {}
};

SignCanvas& SignPicturePort();
EditorCanvas& EditorPicturePort();
StripCanvas& StripPort();
CommandState& CommandPort();
DocumentWindow& WindowPort();
ListWindow& ListPort();
SignWindow& SignWindowPort();
EditorControls& ControlsPort();

void SetSignCanvas(SignCanvas* port);
void SetEditorCanvas(EditorCanvas* port);
void SetStripCanvas(StripCanvas* port);
void SetCommandState(CommandState* port);
void SetDocumentWindow(DocumentWindow* port);
void SetListWindow(ListWindow* port);
void SetSignWindow(SignWindow* port);
void SetEditorControls(EditorControls* port);

// Every port back to its do-nothing default.
void ResetPorts();

// Installs one object for every role it plays and removes it again when it
// goes (for windows and test fakes that play several roles).
template <class T>
void InstallPorts(T* p) {
    if constexpr (std::is_base_of_v<SignCanvas, T>) SetSignCanvas(p);
    if constexpr (std::is_base_of_v<EditorCanvas, T>) SetEditorCanvas(p);
    if constexpr (std::is_base_of_v<StripCanvas, T>) SetStripCanvas(p);
    if constexpr (std::is_base_of_v<CommandState, T>) SetCommandState(p);
    if constexpr (std::is_base_of_v<DocumentWindow, T>) SetDocumentWindow(p);
    if constexpr (std::is_base_of_v<ListWindow, T>) SetListWindow(p);
    if constexpr (std::is_base_of_v<SignWindow, T>) SetSignWindow(p);
    if constexpr (std::is_base_of_v<EditorControls, T>) SetEditorControls(p);
}
template <class T>
void RemovePorts(T* p) {
    if constexpr (std::is_base_of_v<SignCanvas, T>) if (&SignPicturePort() == p) SetSignCanvas(nullptr);
    if constexpr (std::is_base_of_v<EditorCanvas, T>) if (&EditorPicturePort() == p) SetEditorCanvas(nullptr);
    if constexpr (std::is_base_of_v<StripCanvas, T>) if (&StripPort() == p) SetStripCanvas(nullptr);
    if constexpr (std::is_base_of_v<CommandState, T>) if (&CommandPort() == p) SetCommandState(nullptr);
    if constexpr (std::is_base_of_v<DocumentWindow, T>) if (&WindowPort() == p) SetDocumentWindow(nullptr);
    if constexpr (std::is_base_of_v<ListWindow, T>) if (&ListPort() == p) SetListWindow(nullptr);
    if constexpr (std::is_base_of_v<SignWindow, T>) if (&SignWindowPort() == p) SetSignWindow(nullptr);
    if constexpr (std::is_base_of_v<EditorControls, T>) if (&ControlsPort() == p) SetEditorControls(nullptr);
}

}  // namespace kv
