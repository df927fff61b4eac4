#include "engine/routenodialog.h"

#include "data/fontlist.h"
#include "platform/reset.h"

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
