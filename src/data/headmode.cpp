#include "data/headmode.h"

#include "mainwindow/services.h"
#include "platform/vb.h"

namespace kv {

int16_t gLineNoTableOn = kFalse;

void SetHeadModeControls(bool on) {
    gLineNoTableOn = VbBool(on);
    Head().ShowRouteNumberControls(on);
}

}  // namespace kv
