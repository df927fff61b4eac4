#include "app/routenoinsert.h"

#include "data/language.h"
#include "engine/markup.h"
#include "engine/routenumber.h"
#include "engine/textedit.h"
#include "platform/host.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

int16_t gLineNoInsertCount = 0;

int16_t LineNoInsertSelection() {
    if (gLineNoInsertCount < 1 || gLineNoInsertCount > gLineNoFieldCount) return gLineNoFieldCount;
    return gLineNoInsertCount;
}

LineNoInsertAnswer AcceptLineNoInsert(const std::string& boxText) {
    LineNoInsertAnswer a;
    const int16_t n = CIntClamp(Val(boxText));
    gLineNoInsertCount = n;
    if (n > gLineNoFieldCount) {
        const std::string length = Str(gLineNoFieldCount);
        MsgBox(LangText("S1202") + length + LangText("S1203"), vbExclamation);
        a.refused = true;
        a.boxText = length;
        return a;
    }
    if (n > 0) {
        InsertLineNoField(n);
        SetEditMenuState(2);
    }
    return a;
}

void ResetRouteNoInsert() { gLineNoInsertCount = 0; }

namespace {
const ResetRegistrar kReset("route-number placeholder dialog", StateLayer::App, ResetRouteNoInsert);
}  // namespace

}  // namespace kv
