#include "signconfig/routenolayout.h"

#include <algorithm>

#include "data/records.h"
#include "data/signtable.h"
#include "engine/routenumber.h"
#include "mainwindow/services.h"
#include "platform/vb.h"

namespace kv {

int16_t gRouteNoPos = 0;
std::string gLineNoFields;
std::string gRouteNoFont;
int16_t gRouteNoAreaWidth = 0;
int16_t gRouteNoAreaHeight = 0;
int16_t gRouteNoFieldPlaced = kFalse;

namespace {

bool NoFontMeasure(const std::string&, int16_t, int16_t& w, int16_t& h) {
    w = 0;
    h = 0;
    return false;
}

RouteNoCharMeasure gMeasure;

int16_t Clamp16(int32_t v) { return static_cast<int16_t>(std::clamp<int32_t>(v, -32768, 32767)); }

const SignInfo* CurrentSign() { return IsSignAddress(gCurrentSign) ? &SignInfoOf(gCurrentSign) : nullptr; }

}  // namespace

void SetRouteNoCharMeasure(RouteNoCharMeasure measure) { gMeasure = std::move(measure); }

bool MeasureRouteNoChar(const std::string& fontId, int16_t charCode, int16_t& w, int16_t& h) {
    w = 0;
    h = 0;
    if (gMeasure) return gMeasure(fontId, charCode, w, h);
    return NoFontMeasure(fontId, charCode, w, h);
}

void PlaceRouteNoArea(int32_t rightEdge) {
    const SignInfo* sign = CurrentSign();
    gRouteNoFont = DefaultRouteNoFontOfHeight(sign ? sign->Height : 0);
    int16_t w = 0, h = 0;
    MeasureRouteNoChar(gRouteNoFont, '0', w, h);
    gRouteNoAreaHeight = h;
    const int32_t charWidth = (w / 5) * 5;
    gRouteNoAreaWidth = Clamp16(charWidth * gLineNoFieldCount);
    if (gRouteNoLeft) gRouteNoX = Clamp16(int32_t{gRouteNoPos} * 5);
    else gRouteNoX = Clamp16(rightEdge - int32_t{gRouteNoAreaWidth} - int32_t{gRouteNoPos} * 5);
    gRouteNoY = 0;
}

void RecalcRouteNoArea() {
    const SignInfo* sign = CurrentSign();
    const int32_t fallback = sign ? int32_t{sign->Width} * 5 : 0;
    PlaceRouteNoArea(Head().EditorPictureScaleWidth(fallback));
}

void SetOldRouteNoDefaults() {
    gRouteNoLeft = kTrue;
    gLineNoFields = "4567890";
    gLineNoFieldCount = 3;
    gRouteNoX = 0;
    gRouteNoY = 0;
    gRouteNoAreaWidth = 135;
    gRouteNoAreaHeight = 65;
}

void ResetRouteNoLayout() {
    gRouteNoPos = 0;
    gLineNoFields.clear();
    gRouteNoFont.clear();
    gRouteNoAreaWidth = 0;
    gRouteNoAreaHeight = 0;
    gRouteNoFieldPlaced = kFalse;
    gMeasure = nullptr;
}

}  // namespace kv
