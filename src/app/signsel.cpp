#include "app/signsel.h"

#include <algorithm>

#include "data/headmode.h"
#include "data/language.h"
#include "data/records.h"
#include "data/signtable.h"
#include "app/signcontrols.h"
#include "platform/host.h"
#include "platform/vb.h"

namespace kv {

namespace {

bool IsTextModel(const std::string& m) { return m == "K2000_1R" || m == "K2000_2R"; }

int16_t NextOfModel(int16_t a, bool (*match)(const std::string&)) {
    for (int b = std::max<int>(a + 1, kFirstSignAddress); b <= kLastSignAddress; ++b)
        if (match(SignInfoOf(b).Model)) return static_cast<int16_t>(b);
    return 17;
}

int16_t CountOfModel(bool (*match)(const std::string&)) {
    int16_t n = 0;
    for (int a = kFirstSignAddress; a <= kLastSignAddress; ++a)
        if (match(SignInfoOf(a).Model)) ++n;
    return n;
}

bool IsGraphicModel(const std::string& m) { return m == "K4000"; }
bool IsRouteNumberModel(const std::string& m) { return m == "K1000"; }

std::string RowCaption(int i, const std::string& name) {
    return i < 10 ? "&" + std::to_string(i) + " -- " + name : name;
}

}  // namespace

int16_t IsK2000Type(int16_t a) { return NextOfModel(a, IsTextModel); }
int16_t IsK4000Type(int16_t a) { return NextOfModel(a, IsGraphicModel); }
int16_t IsK1000Type(int16_t a) {
    const int16_t b = NextOfModel(a, IsRouteNumberModel);
    return b > kLastSignAddress ? static_cast<int16_t>(kLastSignAddress) : b;
}
int16_t IsK2000Sign() { return CountOfModel(IsTextModel); }
int16_t IsK1000Sign() { return CountOfModel(IsRouteNumberModel); }
int16_t IsK4000Sign() { return CountOfModel(IsGraphicModel); }

SignSelRows BuildSignSelRows() {
    SignSelRows r;
    r.nK4000 = IsK4000Sign();
    r.nK2000 = IsK2000Sign();
    // Route-number signs are not offered while each destination carries its
    // own route-number text.
    r.nK1000 = gLineNoTableOn ? 0 : IsK1000Sign();

    struct Group {
        SignSelRow::Kind kind;
        int16_t count;
        int16_t (*next)(int16_t);
        bool (*match)(const std::string&);
    };
    const Group groups[] = {
        {SignSelRow::Graphic, r.nK4000, IsK4000Type, IsGraphicModel},
        {SignSelRow::Text, r.nK2000, IsK2000Type, IsTextModel},
        {SignSelRow::RouteNumber, r.nK1000, IsK1000Type, IsRouteNumberModel},
    };
    for (const Group& g : groups) {
        int16_t a = 1;
        for (int n = 0; n < g.count; ++n) {
            a = g.next(a);
            // The walk ends early past the last address; the route-number
            // walk's 16 counts only when that sign is one.
            if (!IsSignAddress(a) || !g.match(SignInfoOf(a).Model)) break;
            const SignInfo& s = SignInfoOf(a);
            SignSelRow row;
            row.kind = g.kind;
            row.address = a;
            const int i = static_cast<int>(r.rows.size()) + 1;
            row.caption = RowCaption(i, s.Name);
            row.ticked = s.Shown != 0;
            if (g.kind == SignSelRow::Graphic && gLineNoTableOn) {
                row.hasRouteNoBox = true;
                row.routeNoCaption = i < 10 ? std::string("&") + static_cast<char>('A' + i - 1) : std::string();
                row.routeNoTicked = s.RouteNoShown != 0;
            }
            r.rows.push_back(row);
            if (a >= kLastSignAddress) break;
        }
    }
    // The only sign of a configuration, a graphic one, is offered ticked.
    if (r.nK4000 == 1 && r.nK2000 == 0 && r.nK1000 == 0 && !r.rows.empty()) r.rows.front().ticked = true;
    return r;
}

int16_t SignSelFirstRow() {
    const SignSelRows r = BuildSignSelRows();
    return r.rows.empty() ? 0 : r.rows.front().address;
}

SignSelTexts ReadSignSelTexts() { return {LangText("S1803"), LangText("S1804"), LangText("S1805")}; }

SignSelOutcome ApplySignSel(const std::vector<SignSelTick>& ticks, const SignSelTexts& texts) {
    SignSelOutcome out;
    if (ticks.empty()) {
        out.result = SignSelOutcome::Closed;
        gK1000Shown = kFalse;
        return out;
    }
    // The choice is checked before anything is written: a refused choice
    // leaves the signs as they were.
    bool noGraphicOrText = true, anyTicked = false, k1000Ticked = false;
    int16_t widest = 0, current = gCurrentSign;
    int16_t lowest = 100;
    for (const SignSelTick& t : ticks) {
        if (!IsSignAddress(t.address) || !t.ticked) continue;
        const SignInfo& s = SignInfoOf(t.address);
        const bool routeNumberSign = s.Model == "K1000";
        anyTicked = true;
        if (routeNumberSign) {
            k1000Ticked = true;
            widest = std::max(widest, s.Width);
        } else {
            noGraphicOrText = false;
        }
        if (t.address < lowest) {
            if (!routeNumberSign) current = t.address;
            lowest = t.address;
        }
    }
    if (!anyTicked || noGraphicOrText) {
        MsgBox(anyTicked ? texts.onlyRouteNumbers : texts.nothingTicked, vbExclamation);
        out = RouteNoBoxOfShownSigns();
        out.result = anyTicked ? SignSelOutcome::OnlyRouteNumberSigns : SignSelOutcome::NothingTicked;
        return out;
    }
    for (const SignSelTick& t : ticks) {
        if (!IsSignAddress(t.address)) continue;
        SignInfo& s = SignInfoOf(t.address);
        s.Shown = VbBool(t.ticked);
        if (s.Model == "K4000" && gLineNoTableOn) s.RouteNoShown = VbBool(t.routeNoTicked);
    }
    gCurrentSign = current;
    gK1000Shown = VbBool(k1000Ticked);
    out.result = SignSelOutcome::Accepted;
    out.routeNoBoxShown = k1000Ticked;
    out.routeNoBoxLength = widest;
    return out;
}

SignSelOutcome RouteNoBoxOfShownSigns() {
    SignSelOutcome out;
    out.routeNoBoxShown = gK1000Shown != 0;
    if (out.routeNoBoxShown)
        for (int a = kFirstSignAddress; a <= kLastSignAddress; ++a) {
            const SignInfo& s = SignInfoOf(a);
            if (s.Model == "K1000" && s.Shown) out.routeNoBoxLength = std::max(out.routeNoBoxLength, s.Width);
        }
    return out;
}

}  // namespace kv
