#include "engine/routenumber.h"

namespace kv {

int16_t gShowLineNo = 0;
int16_t gRouteNoLeft = 0;
int16_t gRouteNoX = 0;
int16_t gRouteNoY = 0;
std::string gRouteNoText;
int16_t gLineNoFieldCount = 0;

namespace {
std::function<void()> gDisplayLineNumberHook;
}

void DisplayLineNumber() {
    if (gDisplayLineNumberHook) gDisplayLineNumberHook();
}

void SetDisplayLineNumberHook(std::function<void()> hook) { gDisplayLineNumberHook = std::move(hook); }

void ResetRouteNumberArea() {
    gShowLineNo = 0;
    gRouteNoLeft = 0;
    gRouteNoX = 0;
    gRouteNoY = 0;
    gRouteNoText.clear();
    gLineNoFieldCount = 0;
    gDisplayLineNumberHook = nullptr;
}

}  // namespace kv
