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
};

MainWindowServices& Head();
void SetHead(MainWindowServices* head);  // nullptr: no window

}  // namespace kv
