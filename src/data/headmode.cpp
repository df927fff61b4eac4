#include "data/headmode.h"

#include "platform/ports.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

int16_t gLineNoTableOn = kFalse;
std::array<std::string, kLineNoTableSize> gLineNoTable;

std::string LineNoTableText(int index) {
    if (index < 0 || index >= kLineNoTableSize) return "";
    return gLineNoTable[static_cast<size_t>(index)];
}

void SetHeadModeControls(bool on) {
    gLineNoTableOn = VbBool(on);
    WindowPort().ShowRouteNumberControls(on);
}

void ResetHeadMode() {
    gLineNoTableOn = kFalse;
    gLineNoTable.fill(std::string());
}

namespace {
const ResetRegistrar kReset("route-number table", StateLayer::Data, ResetHeadMode);
}  // namespace

}  // namespace kv
