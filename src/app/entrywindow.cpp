#include "app/entrywindow.h"

#include "app/signcontrols.h"
#include "data/destlist.h"
#include "platform/ports.h"

namespace kv {

namespace {
EntryWindow gNoEntryWindow;
EntryWindow* gEntryWindow = &gNoEntryWindow;
}  // namespace

EntryWindow& EntryPort() { return *gEntryWindow; }
void SetEntryWindow(EntryWindow* window) { gEntryWindow = window ? window : &gNoEntryWindow; }

void ChooseListLine(bool dest, int index) {
    ListModel& list = dest ? DestList : ExtraList;
    if (index < 0 || index >= list.ListCount()) return;
    list.SetListIndex(index);
    // Inside a batch the box still shows the lines of before.
    if (!list.InBatch()) EntryPort().ShowListLine(dest, index);
}

void FocusEditedSign() {
    if (gTextSignActive) StripPort().FocusStrip();
    else SignPicturePort().FocusSignPicture();
}

}  // namespace kv
