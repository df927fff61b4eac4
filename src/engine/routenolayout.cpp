#include "engine/routenolayout.h"

#include <algorithm>
#include <utility>

#include "data/charmap.h"
#include "data/destlist.h"
#include "data/records.h"
#include "data/settings.h"
#include "data/signtable.h"
#include "engine/fontlib.h"
#include "engine/routenumber.h"
#include "platform/ports.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

int16_t gRouteNoPos = 0;
std::string gLineNoFields;
std::string gRouteNoFont;
int16_t gRouteNoAreaWidth = 0;
int16_t gRouteNoAreaHeight = 0;
int16_t gRouteNoFieldPlaced = kFalse;

namespace {

// The glyph the font's map gives the character, measured in the library.
bool LibraryMeasure(const std::string& fontId, int16_t charCode, int16_t& w, int16_t& h) {
    if (fontId.empty()) return false;
    const int16_t glyph = MapGlyphOfChar(fontId, charCode);
    if (glyph <= 0 || glyph >= kGlyphCodes) return false;
    GlyphSize size;
    if (!MeasureGlyph(static_cast<unsigned char>(fontId[0]), glyph, size)) return false;
    w = size.width;
    h = size.height;
    return true;
}

RouteNoCharMeasure gMeasure;

const SignInfo* CurrentSign() { return IsSignAddress(gCurrentSign) ? &SignInfoOf(gCurrentSign) : nullptr; }

}  // namespace

void SetRouteNoCharMeasure(RouteNoCharMeasure measure) { gMeasure = std::move(measure); }

bool MeasureRouteNoChar(const std::string& fontId, int16_t charCode, int16_t& w, int16_t& h) {
    w = 0;
    h = 0;
    if (gMeasure) return gMeasure(fontId, charCode, w, h);
    return LibraryMeasure(fontId, charCode, w, h);
}

void PlaceRouteNoArea(int32_t rightEdge) {
    const SignInfo* sign = CurrentSign();
    gRouteNoFont = DefaultRouteNoFontOfHeight(sign ? sign->Height : 0);
    int16_t w = 0, h = 0;
    MeasureRouteNoChar(gRouteNoFont, '0', w, h);
    gRouteNoAreaHeight = h;
    const int32_t charWidth = (w / 5) * 5;
    gRouteNoAreaWidth = CIntClamp(charWidth * gLineNoFieldCount);
    if (gRouteNoLeft) gRouteNoX = CIntClamp(int32_t{gRouteNoPos} * 5);
    else gRouteNoX = CIntClamp(rightEdge - int32_t{gRouteNoAreaWidth} - int32_t{gRouteNoPos} * 5);
    gRouteNoY = 0;
}

void RecalcRouteNoArea() {
    const SignInfo* sign = CurrentSign();
    const int32_t fallback = sign ? int32_t{sign->Width} * 5 : 0;
    PlaceRouteNoArea(EditorPicturePort().EditorPictureScaleWidth(fallback));
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

int16_t OfferedLineNoCounts() { return gMaxLineNumbers == 4 ? 4 : 3; }

int16_t ClampLineNoCount(int16_t count) { return std::clamp<int16_t>(count, 1, OfferedLineNoCounts()); }

std::string StoredRouteNoSample(const std::string& sample) {
    const std::string cut = sample.substr(0, std::min<size_t>(4, sample.size()));
    return cut + std::string("4567890").substr(0, 4 - cut.size());
}

std::string ShownRouteNoSample(int16_t count) { return Left(gLineNoFields, std::max<int>(count, 0)); }

void ApplyRouteNoLayout(const RouteNoLayoutChoice& choice) {
    gLineNoFieldCount = ClampLineNoCount(choice.count);
    gRouteNoLeft = VbBool(choice.left);
    gRouteNoPos = CIntClamp(Val(choice.left ? choice.startPos : choice.endPos));
    gLineNoFields = StoredRouteNoSample(choice.sample);
    PlaceRouteNoAreaOnSign();
}

void PlaceRouteNoAreaOnSign() {
    const SignInfo* sign = CurrentSign();
    PlaceRouteNoArea(sign ? int32_t{sign->Width} * 5 : 0);
}

bool RouteNoPlacementLocked() {
    const int16_t last = LastUsedNumber(DestList);
    if (last < 1) return false;
    if (gRouteNoFieldPlaced) return true;
    for (int16_t n = 1; n <= last && n < kDestCount; ++n) {
        const std::string& text = DestAt(n).Text;
        for (const char* tag : {"<L/", "<L:", "<L>"})
            if (text.find(tag) != std::string::npos) return true;
    }
    return false;
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

namespace {
const ResetRegistrar kReset("route-number layout", StateLayer::Engine, ResetRouteNoLayout);
}  // namespace

}  // namespace kv
