#include "signconfig/routenodialog.h"

namespace kv {

std::string gMBLRouteNo;
std::string gMBLFont;
int16_t gMBLFontIndex = 0;
int16_t gMBLFontHeight = 0;
int16_t gMBLAccepted = 0;

void ResetRouteNoDialog() {
    gMBLRouteNo.clear();
    gMBLFont.clear();
    gMBLFontIndex = 0;
    gMBLFontHeight = 0;
    gMBLAccepted = 0;
}

}  // namespace kv
