#include "engine/routenodialog.h"

#include <algorithm>

#include "data/fontlist.h"
#include "data/outsettings.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/alignment.h"
#include "engine/editorslots.h"
#include "engine/editstate.h"
#include "engine/routenolayout.h"
#include "engine/routenumber.h"
#include "engine/signview.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

std::string gMBLRouteNo;
std::string gMBLFont;
int16_t gMBLFontIndex = 0;
int16_t gMBLFontHeight = 0;
int16_t gMBLAccepted = 0;

void PresetRouteNoDialogFont(const std::string& font, int16_t height) {
    gMBLFont = font.substr(0, 1);
    gMBLFontIndex = 0;
    for (int k = 1; !gMBLFont.empty() && k <= gFontCount && k < static_cast<int>(gFontList.size()); ++k) {
        if (gFontList[static_cast<size_t>(k)].compare(0, 1, gMBLFont) == 0) {
            gMBLFontIndex = static_cast<int16_t>(k);
            break;
        }
    }
    gMBLFontHeight = height;
}

namespace {

std::string FontEntry(int16_t index) {
    if (index < 1 || index > gFontCount || index >= static_cast<int>(gFontList.size())) return {};
    return gFontList[static_cast<size_t>(index)];
}

int16_t CurrentSignHeight() { return IsSignAddress(gCurrentSign) ? SignInfoOf(gCurrentSign).Height : int16_t{0}; }

}  // namespace

bool RespellRouteNo(std::string& text) {
    text = Trim(text);
    const std::string seq = gRouteNumberSeq, upperSeq = UCase(seq);
    bool valid = !text.empty();
    for (char& c : text) {
        const size_t at = upperSeq.find(UCase(std::string(1, c)));
        if (at == std::string::npos) valid = false;
        else c = seq[at];
    }
    return valid;
}

void FindFontIndex(RouteNoDialogFont& font, int16_t mode) {
    if (mode == 0) {
        font.code = Left(FontEntry(font.index), 1);
    } else {
        font.index = std::max<int16_t>(gFontCount, 0);
        for (int16_t k = 1; k < gFontCount; ++k)
            if (!font.code.empty() && FontEntry(k).compare(0, 1, font.code) == 0) {
                font.index = k;
                break;
            }
    }
    font.caption = FontEntry(font.index);
}

bool StepRouteNoFont(RouteNoDialogFont& font, int16_t direction) {
    int16_t i = font.index;
    if (direction == 1) {
        if (i < 0) i = 0;
        if (i >= gFontCount) return false;
        font.code = Left(FontEntry(static_cast<int16_t>(i + 1)), 1);
    } else {
        if (i < 2) return false;
        font.code = Left(FontEntry(static_cast<int16_t>(i - 1)), 1);
    }
    FindFontIndex(font, -1);
    return true;
}

RouteNoDialogFont OpenRouteNoDialog() {
    RouteNoDialogFont font;
    const int16_t height = CurrentSignHeight();
    if (gMBLFontHeight == height && gMBLFontIndex != 0 && gFontCount > 0) {
        // A font list that has grown shorter since shows its last entry.
        font.index = std::clamp<int16_t>(gMBLFontIndex, 1, gFontCount);
        FindFontIndex(font, 0);
    } else {
        font.code = RouteNoFontOfSign(gCurrentSign);
        FindFontIndex(font, -1);
    }
    gMBLFontHeight = height;
    return font;
}

bool AcceptRouteNoDialog(std::string& text, bool placementEnabled, bool left, const RouteNoDialogFont& font) {
    if (!RespellRouteNo(text)) return false;
    if (placementEnabled) {
        if (left) {
            gRouteNoLeft = kTrue;
        } else {
            gRouteNoLeft = kFalse;
            if (gTextAlignment != 2) SetAlignment(2, false, true, true);
        }
        // The area stands where the out-file will put it, at either end.
        PlaceRouteNoAreaOnSign();
    }
    gMBLRouteNo = text;
    gMBLFontIndex = font.index;
    gMBLFont = font.code;
    gMBLAccepted = kTrue;
    return true;
}

void ResetRouteNoDialog() {
    gMBLRouteNo.clear();
    gMBLFont.clear();
    gMBLFontIndex = 0;
    gMBLFontHeight = 0;
    gMBLAccepted = 0;
}

namespace {
const ResetRegistrar kReset("route-number dialog", StateLayer::Engine, ResetRouteNoDialog);
}  // namespace

}  // namespace kv
