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
};

MainWindowServices& Head();
void SetHead(MainWindowServices* head);  // nullptr: no window

}  // namespace kv
