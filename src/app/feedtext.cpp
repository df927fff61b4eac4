#include "app/feedtext.h"

#include "app/commit.h"
#include "app/entrywindow.h"
#include "app/headstate.h"
#include "app/signcontrols.h"
#include "app/signkeys.h"
#include "data/signtable.h"
#include "data/records.h"
#include "engine/editstate.h"
#include "engine/shownpages.h"
#include "engine/textedit.h"
#include "engine/textstrip.h"
#include "platform/host.h"
#include "platform/ports.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

int16_t gFeedMode = 0;

namespace {

bool gFeedRunning = false;
bool gHandingOver = false;
std::string gLeftOut;

// The characters the sign being typed on holds: the text sign's strip, or
// the cells of the graphic sign's editor.
int HeldCharacters() {
    if (gTextSignActive) return gCodeCount;
    int n = 0;
    for (int c = 1; c <= kCellPoolSize; ++c)
        if (IsUsedCell(c)) ++n;
    return n;
}

// Ends a feed however it ends.
struct FeedScope {
    FeedScope() { gFeedRunning = true; }
    ~FeedScope() {
        gFeedRunning = false;
        gHandingOver = false;
        gFeedMode = 0;
    }
};

}  // namespace

bool FeedingText() { return gHandingOver; }

void TypeFedCharacter(int16_t code) {
    const int before = HeldCharacters();
    int16_t key = code;
    if (gTextSignActive) TypeOnStrip(key);
    else TypeOnSignPicture(key);
    // Enter and Backspace edit; every other code is a character to show.
    if (code != 13 && code != 8 && HeldCharacters() <= before) gLeftOut += static_cast<char>(code);
}

const std::string& FedCharactersLeftOut() { return gLeftOut; }

void SkrivTextISkylt(const std::string& text, int16_t, int16_t& sign) {
    if (gFeedRunning) return;
    FeedScope scope;
    gLeftOut.clear();
    gHandingOver = true;
    DoEvents();
    if (sign != 0 && IsSignAddress(sign) && SignInfoOf(sign).Model == "K1000") {
        WindowPort().SetRouteNoBoxText(text);
        NoteContentToStore(kRouteBoxEditor);
    } else {
        gFeedMode = 2;
        for (unsigned char c : text) {
            int16_t key = c;
            EntryPort().FeedKey(key);
        }
        // The page the text names is stored, whatever the sign took of it.
        NoteContentToStore(gTextSignActive ? kStripEditor : CurrentGraphicEditor());
    }
    gHandingOver = false;
    SaveAndNew();
    DoEvents();
}

void ResetFeedText() {
    gLeftOut.clear();
    gFeedMode = 0;
    gFeedRunning = false;
    gHandingOver = false;
}

namespace {
const ResetRegistrar kReset("feeding text", StateLayer::App, ResetFeedText);
}  // namespace

}  // namespace kv
