#include "engine/routenumber.h"

#include <algorithm>

#include "data/charmap.h"
#include "data/headmode.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/dotlayers.h"
#include "engine/render.h"
#include "platform/ports.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

int16_t gShowLineNo = 0;
int16_t gRouteNoLeft = 0;
int16_t gRouteNoX = 0;
int16_t gRouteNoY = 0;
std::string& gRouteNoText = gLineNoFields;
int16_t gLineNoFieldCount = 0;
std::string gPageRouteNoFont;
std::array<SignCell, kDrawnRouteNoChars + 1> gRouteNoCells;

namespace {

std::function<void()> gDisplayLineNumberHook;

// A position in fifths of a dot as a dot, to the nearest integer.
int32_t ToDot(double v) { return CLng(v / 5.0); }

// The area is as high as the font's "0" and as wide as gLineNoFieldCount
// whole-dot "0"s.
void MeasureRouteNoArea() {
    int16_t w0 = 0, h0 = 0;
    MeasureRouteNoChar(gRouteNoFont, '0', w0, h0);
    gRouteNoAreaHeight = h0;
    gRouteNoAreaWidth = CIntClamp(int32_t{w0} / 5 * 5 * gLineNoFieldCount);
}

void DrawRouteNumber() {
    if (!IsSignAddress(gCurrentSign)) return;
    const SignInfo& sign = SignInfoOf(gCurrentSign);
    const int16_t k = sign.GraphicIndex;
    gRouteNoFont = PageRouteNoFont();
    int16_t x = gRouteNoX;
    const int16_t y = gRouteNoY;

    std::string s;
    if (gLineNoTableOn) {
        s = gDestListActive ? LineNoTableText(gCurrentDest) : std::string();
        WindowPort().SetRouteNoBoxText(s);
        gLineNoFieldCount = CIntClamp(static_cast<int32_t>(s.size()));
    } else {
        s = gRouteNoText;
        WindowPort().SetRouteNoBoxText("");
    }

    int32_t column = ToDot(x);
    // Positions beyond the route number draw nothing; the records hold four.
    const int count = std::min<int>({gLineNoFieldCount, static_cast<int>(s.size()), kDrawnRouteNoChars});
    for (int i = 1; i <= count; ++i) {
        const int16_t c = static_cast<unsigned char>(s[static_cast<size_t>(i - 1)]);
        gRouteNoCells[static_cast<size_t>(i)].CharCode = c;
        if (gRouteNoFont.empty()) gRouteNoFont = PageRouteNoFont();
        int16_t w = 0, h = 0;
        MeasureRouteNoChar(gRouteNoFont, c, w, h);
        if (gRouteNoLeft) column = ToDot(x);
        else if (i > 1) column += ToDot(w);
        DrawCharToGraphic(gRouteNoFont, c, column, ToDot(y), k);
        PasteLineNoPicture(static_cast<int16_t>(i), x, y, w, h);
    }
    gRouteNoAreaDots = ToDot(x);
    if (count >= 1) gRouteNoCells[static_cast<size_t>(count)].Next = 0;

    MeasureRouteNoArea();
}

}  // namespace

std::string PageRouteNoFont() {
    if (!gPageRouteNoFont.empty()) return gPageRouteNoFont;
    return IsSignAddress(gCurrentSign) ? DefaultRouteNoFontOfHeight(SignInfoOf(gCurrentSign).Height) : std::string();
}

void TakePageRouteNoFont() {
    gRouteNoFont = PageRouteNoFont();
    MeasureRouteNoArea();
}

std::string PlaceholderChars(int16_t code) {
    const int n = code - kFirstPlaceholder + 1;
    const int len = static_cast<int>(gRouteNoText.size());
    std::string out;
    for (int i = gLineNoFieldCount - n + 1; i <= gLineNoFieldCount; ++i)
        if (i >= 1 && i <= len) out += gRouteNoText[static_cast<size_t>(i - 1)];
    return out;
}

void PasteLineNoPicture(int16_t i, int16_t& x, int16_t y, int16_t w, int16_t h) {
    if (i < 1 || i > kDrawnRouteNoChars) return;
    SignCell& cell = gRouteNoCells[static_cast<size_t>(i)];
    cell.X = x;
    cell.Y = y;
    cell.Width = static_cast<int16_t>(w / 5 * 5);
    cell.Height = static_cast<int16_t>(h / 5 * 5);
    x = CIntClamp(int32_t{x} + cell.Width);
}

void DisplayLineNumber() {
    if (gDisplayLineNumberHook) gDisplayLineNumberHook();
    else DrawRouteNumber();
}

void SetDisplayLineNumberHook(std::function<void()> hook) { gDisplayLineNumberHook = std::move(hook); }

void ResetRouteNumberArea() {
    gShowLineNo = 0;
    gRouteNoLeft = 0;
    gRouteNoX = 0;
    gRouteNoY = 0;
    gLineNoFieldCount = 0;
    gPageRouteNoFont.clear();
    gRouteNoCells.fill(SignCell{});
    gDisplayLineNumberHook = nullptr;
}

namespace {
const ResetRegistrar kReset("route-number area", StateLayer::Engine, ResetRouteNumberArea);
}  // namespace

}  // namespace kv
