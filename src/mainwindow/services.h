// What the core asks of the main window. The Qt main window implements
// these; tests install a fake; without a window every call does nothing.
// Add a method (with a do-nothing default) when a core module needs one.
#pragma once

#include <string>

namespace kv {

class MainWindowServices {
public:
    virtual ~MainWindowServices() = default;
    // Shows or hides the route-number box LineNo_txt, its label LineNo_lbl
    // (caption S57 when shown) and the labels AutoSign_lbl and AutoSign_lbl2.
    virtual void ShowRouteNumberControls(bool on) {}
};

MainWindowServices& Head();
void SetHead(MainWindowServices* head);  // nullptr: no window

}  // namespace kv
