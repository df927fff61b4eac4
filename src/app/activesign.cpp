#include "app/activesign.h"

#include "app/headstate.h"
#include "app/pagetimes.h"
#include "data/records.h"
#include "engine/alignment.h"
#include "engine/editorslots.h"
#include "engine/editstate.h"
#include "engine/marking.h"
#include "engine/shownpages.h"
#include "engine/signpictures.h"

namespace kv {

int16_t ChangeActiveSign(int16_t previous, int16_t index, bool recount) {
    // The sign that was active keeps its editor state in its slot.
    if (previous >= 0 && previous < kMaxSignPictures) {
        NoteEditorLeavesHand(previous);
        StoreEditorPage(previous, true, -1);
    }
    CancelMarking();
    if (index < 0 || index >= kMaxSignPictures) return 0;
    const int16_t s = FindK4000ByGraphic(index);
    if (s <= 0) return 0;
    gCurrentSign = s;
    // ... and the new one's comes back, on the page the window shows.
    RestoreEditorPage(index);
    if (recount) ShowPagesOfShownSigns();
    gCurrentPictureIndex = index;
    gActivePicture = index;
    // The buttons show the alignment the sign's typing takes.
    ShowAlignmentKeys(gTextAlignment);
    return s;
}

}  // namespace kv
