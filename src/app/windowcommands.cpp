#include "app/windowcommands.h"

#include "app/routetools.h"
#include "app/signcontrols.h"
#include "data/charmap.h"
#include "data/language.h"
#include "data/records.h"
#include "platform/ports.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

int16_t gPrinting = kFalse;

void RunRouteNumberTool(bool copy, const std::function<void()>& window) {
    if (!AskSaveChanges()) return;
    if (!copy) {
        if (window) window();
        SignPicturePort().FocusSignPicture();
        return;
    }
    // The tool may move through the destinations; the open one comes back
    // however the tool ends.
    struct CopyScope {
        int16_t dest = gCurrentDest;
        CopyScope() { gSuperCopyMode = kTrue; }
        ~CopyScope() {
            gSuperCopyMode = kFalse;
            gCurrentDest = dest;
        }
    } scope;
    if (window) window();
    SignPicturePort().FocusSignPicture();
}

void ShowSymbols(const std::function<void(const std::string& caption)>& window) {
    const std::string font = gCurrentFontCode;
    const auto restore = [&font] {
        gCurrentFontCode = font;
        ReadCharMap(font);
    };
    try {
        ReadCharMap("g");
        if (window) window(gTextS110);
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

void ResetWindowCommands() {
    gPrinting = kFalse;
}

namespace {
const ResetRegistrar kReset("window commands", StateLayer::App, ResetWindowCommands);
}  // namespace

}  // namespace kv
