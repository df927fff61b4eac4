#include "app/signcontrols.h"

#include "data/charmap.h"
#include "data/fieldtext.h"
#include "data/language.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/dotlayers.h"
#include "engine/editstate.h"
#include "platform/host.h"
#include "platform/ports.h"
#include "platform/reset.h"
#include "platform/vb.h"
#include "app/signsel.h"
#include "app/shownsigns.h"

namespace kv {

int16_t gTextSignActive = kFalse;
std::array<int16_t, kTextSignModeItems> gSavedControlState{};
int16_t gSavedCursorScale = 0;
std::string gSavedEditorFont;
int16_t gK1000Shown = kFalse;

bool AnyK1000Shown() {
    for (int a = kFirstSignAddress; a <= kLastSignAddress; ++a) {
        const SignInfo& s = SignInfoOf(static_cast<int16_t>(a));
        if (s.Model == "K1000" && s.Shown) return true;
    }
    return false;
}

bool AskSaveChanges(int16_t page) {
    // Only what a shown sign holds and no Save stored would be lost.
    if (!UnstoredEdits(page)) return true;
    return MsgBox(gTextS105 + "\r" + gTextS106 + "\r" + gTextS107, vbOKCancel | vbExclamation) == vbOK;
}

const std::array<TextSignModeItem, kTextSignModeItems>& TextSignModeItems() {
    using K = TextSignModeItem;
    static const std::array<TextSignModeItem, kTextSignModeItems> items{{
        {"Cut_e", K::MenuItem, false, false},
        {"Paste_e", K::MenuItem, false, false},
        {"Del_e", K::MenuItem, false, false},
        {"cutALL_E", K::MenuItem, false, true},
        {"Im_e", K::MenuItem, false, false},
        {"Export_e", K::MenuItem, false, false},
        {"auto_e", K::MenuItem, false, false},
        {"ExpandMore_e", K::MenuItem, false, false},
        {"ExpandLess_e", K::MenuItem, false, false},
        {"ShowLineNo_e", K::MenuItem, false, false},
        {"Font_e", K::MenuItem, false, false},
        {"Show_e", K::MenuItem, false, false},
        {"LineNo_lbl", K::Label, true, false},
        {"LineNo_txt", K::TextBox, true, false},
        {"Ln_e", K::MenuItem, false, false},
    }};
    return items;
}

std::string ShownSignNames(bool routeNumberShown) {
    std::string joined;
    for (int a = kFirstSignAddress; a <= kLastSignAddress; ++a) {
        const SignInfo& s = SignInfoOf(a);
        if (routeNumberShown ? s.RouteNoShown : s.Shown) joined += ", " + s.Name;
    }
    // The caption drops the first character of the joined text.
    return joined.empty() ? joined : joined.substr(1);
}

StripSize TextStripSize(const std::string& model, int16_t w, int16_t h) {
    if (model == "K2000_1R") return {30 * w - 3, 37};
    if (model == "K2000_2R") return {30 * h - 3, 79};
    return {};
}

int16_t CountSignPages(int16_t address) {
    if (address == -1) address = gCurrentSign;
    std::string text;
    if (gDestListActive) {
        if (gCurrentDest < 0 || gCurrentDest >= kDestCount) return 0;
        text = GetSignText(gDestList[gCurrentDest].Text, address);
    } else {
        if (gCurrentExtra < 0 || gCurrentExtra >= kExtraCount) return 0;
        text = gExtraList[gCurrentExtra].Text;
        if (gExtraPerSign) text = GetSignText(text, address);
    }
    return CountHashMarks(text);
}

int16_t FirstListedSign() { return SignSelFirstRow(); }

std::string EditorFontAfterStrip() {
    if (!gSavedEditorFont.empty()) return gSavedEditorFont;
    if (IsSignAddress(gCurrentSign)) {
        const std::string start = Trim(DefaultStartFontOfHeight(SignInfoOf(gCurrentSign).Height));
        if (start.size() == 1) return start;
    }
    return gCurrentFontCode;
}

int16_t FirstSignOfModels(std::initializer_list<const char*> models) {
    for (int16_t a = kFirstSignAddress; a <= kLastSignAddress; ++a)
        for (const char* m : models)
            if (SignInfoOf(a).Model == m) return a;
    return 0;
}

void ShowOnlySign(int16_t address) {
    for (SignInfo& s : gSignInfo) s.Shown = kFalse;
    if (!IsSignAddress(address)) return;
    gCurrentSign = address;
    SignInfo& s = SignInfoOf(address);
    s.Shown = kTrue;
    if (Left(s.Model, 2) == "K2") SignWindowPort().UpdateToolbarState();
    else SignWindowPort().UpdateToolbarState2();
}

void ResetSignControls() {
    gTextSignActive = kFalse;
    gSavedControlState.fill(0);
    gSavedCursorScale = 0;
    gSavedEditorFont.clear();
    gK1000Shown = kFalse;
}

namespace {
const ResetRegistrar kReset("sign controls", StateLayer::App, ResetSignControls);
}  // namespace

}  // namespace kv
