#include "mainwindow/signcontrols.h"

#include <algorithm>

#include "data/headmode.h"
#include "data/records.h"
#include "data/signtable.h"
#include "platform/vb.h"

namespace kv {

int16_t gTextSignActive = kFalse;
std::array<int16_t, kTextSignModeItems> gSavedControlState{};
int16_t gSavedCursorScale = 0;

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
    return static_cast<int16_t>(std::count(text.begin(), text.end(), '#'));
}

int16_t FirstListedSign() {
    auto first = [](auto match) -> int16_t {
        for (int a = kFirstSignAddress; a <= kLastSignAddress; ++a)
            if (match(SignInfoOf(a).Model)) return static_cast<int16_t>(a);
        return 0;
    };
    if (int16_t a = first([](const std::string& m) { return m == "K4000"; })) return a;
    if (int16_t a = first([](const std::string& m) { return m == "K2000_1R" || m == "K2000_2R"; })) return a;
    if (!gLineNoTableOn)
        if (int16_t a = first([](const std::string& m) { return m == "K1000"; })) return a;
    return 0;
}

void ResetSignControls() {
    gTextSignActive = kFalse;
    gSavedControlState.fill(0);
    gSavedCursorScale = 0;
}

}  // namespace kv
