#include "app/entrywindow.h"

#include "app/signcontrols.h"
#include "platform/ports.h"

namespace kv {

namespace {
EntryWindow gNoEntryWindow;
EntryWindow* gEntryWindow = &gNoEntryWindow;
}  // namespace

EntryWindow& EntryPort() { return *gEntryWindow; }
void SetEntryWindow(EntryWindow* window) { gEntryWindow = window ? window : &gNoEntryWindow; }

void FocusEditedSign() {
    if (gTextSignActive) StripPort().FocusStrip();
    else SignPicturePort().FocusSignPicture();
}

}  // namespace kv
