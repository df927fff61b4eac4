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
};

MainWindowServices& Head();
void SetHead(MainWindowServices* head);  // nullptr: no window

}  // namespace kv
