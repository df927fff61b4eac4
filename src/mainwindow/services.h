// What the core asks of the main window. The Qt main window implements
// these; tests install a fake; without a window every call does nothing.
// Add a method (with a do-nothing default) when a core module needs one.
#pragma once

#include <cstdint>
#include <string>

namespace kv {

class MainWindowServices {
public:
    virtual ~MainWindowServices() = default;
    // Sets the main window's caption ("Kivar32® <name>").
    virtual void SetMainCaption(const std::string& caption) {}
    // The inner width of the graphic sign's editor picture in its scale
    // units (fifths of a dot); `fallback` when there is no picture.
    virtual int32_t EditorPictureScaleWidth(int32_t fallback) { return fallback; }
    // The recent-files entries of the File menu: mnuArkivFile1..4 (n = 1..4)
    // with their captions ("&1  path"), and their separator mnuArkivFilesSep.
    virtual void ShowRecentFileEntry(int n, const std::string& caption, bool visible) {}
    virtual void ShowRecentFilesSeparator(bool visible) {}

    // Shows or hides the route-number box LineNo_txt, its label LineNo_lbl
    // (caption S57 when shown) and the labels AutoSign_lbl and AutoSign_lbl2.
    virtual void ShowRouteNumberControls(bool on) {}

    // The current sign's picture. Coordinates in fifths of a dot: the dot
    // is column x / 5, row y / 5 (each to the nearest integer), painted lit
    // or erased in black at the sign's zoom. The layers are not touched.
    virtual void SetSignPixel(int32_t x, int32_t y) {}
    virtual void ClearSignPixel(int32_t x, int32_t y) {}
    // The selection frame (the rectangle of gSelX1, gSelY1, gSelX2, gSelY2)
    // drawn in an RGB colour: white shows it, black (0) removes it.
    virtual void ClearSignPictureColor(int32_t colour) {}
    // Enables or disables the undo tool image imgUndo.
    virtual void EnableUndoImage(bool on) {}

    // The editor picture of the graphic sign, in fifths of a dot. The editor
    // calls these only while it paints itself (gNoEditorPaint clear).
    virtual void ClearEditorPicture() {}
    virtual void RefreshEditorPicture() {}
    // Black over the rectangle.
    virtual void ClearEditorRect(int32_t x, int32_t y, int32_t w, int32_t h) {}
    // Copies the rectangle (x, y, w, h) to (toX, toY).
    virtual void CopyEditorRect(int32_t x, int32_t y, int32_t w, int32_t h, int32_t toX, int32_t toY) {}
    // Draws the lit dots of a character (placeholders 250..254 as the route
    // number's characters) over the picture with its top-left at (x, y).
    virtual void PaintEditorGlyph(const std::string& fontId, int16_t charCode, int32_t x, int32_t y) {}
    // Makes the graphic sign shown in picture k current again and repaints it.
    virtual void SelectK4000Graphic(int16_t k) {}

    // The character strip of the text signs (K2000_pct, pixels): black over
    // one 25 x 35 place, a character of font "2" copied into the place at
    // (x, y), and the refresh after a change.
    virtual void ClearStripPlace(int32_t x, int32_t y) {}
    virtual void DrawStripChar(int32_t x, int32_t y, int16_t charCode) {}
    virtual void RefreshStrip() {}

    // Menu items of the main window by name (ShowLineNo_e, Insert_LineNo_e,
    // mnuToolsGenerateMBL, ...): enabled state and check mark.
    virtual void EnableMenuItem(const std::string& name, bool enabled) {}
    virtual void CheckMenuItem(const std::string& name, bool checked) {}
    // The Value of toolbar button `index` of tbToolBar (1 = pressed); the
    // alignment buttons are 10 left, 11 centre, 12 right.
    virtual int16_t ToolbarButtonValue(int16_t index) { return 0; }
    virtual void SetToolbarButtonValue(int16_t index, int16_t value) {}
    // When the first cut tool (toolbar button 33) is enabled, disables the
    // six cut tools (fraCutSub with False).
    virtual void ResetCutTools() {}
    // Moves the cells of the cursor row to the alignment (1 left, 2 right,
    // 3 centred); unless noToolbar presses the matching toolbar button;
    // stores it in gTextAlignment and the row's Alignment; repaints the sign
    // with redraw.
    virtual void SetAlignment(int16_t alignment, bool noToolbar, bool redraw, bool flag4) {}
    // The page-up (one step) and page-down (two steps) keys of the graphic
    // sign picture.
    virtual void K4000_PageUp() {}
    virtual void K4000_PageDown() {}
    // Renders (unless keepTextLayer) and paints the current sign.
    virtual void ShowSign(bool keepTextLayer, bool toPrinter) {}
    // The changing-texts check box Ch_Check (value 1 = checked).
    virtual bool ChangingTextsChecked() { return false; }
    virtual void SetChangingTextsChecked(bool checked) {}
    // The window's own copy of the current page.
    virtual void SetWindowPage(int16_t page) {}
    // The route-number box LineNo_txt.
    virtual void SetRouteNoBoxText(const std::string& text) {}
};

MainWindowServices& Head();
void SetHead(MainWindowServices* head);  // nullptr: no window

}  // namespace kv
