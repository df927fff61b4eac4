#include "engine/defaultdest.h"

#include "data/language.h"
#include "data/records.h"
#include "data/signdata.h"
#include "data/signtable.h"
#include "engine/signcommands.h"

namespace kv {

namespace {
std::string DefaultContent(const SignInfo& si) {
    if (si.Model == "K4000") {
        int16_t x = 0, y = 0;
        return PositionCommand(x, y) + FontCommand("x") + " " + SizeCommand(si.Width, si.Height);
    }
    if (si.Model == "K2000_1R" || si.Model == "K2000_2R") return " ";
    if (si.Model == "K1000") return std::string(4, '\0');
    return {};
}
}  // namespace

void InitDefaultDestination() {
    static const int kOrder[] = {2, 3, 4, 5, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 6};
    std::string data;
    for (int address : kOrder) {
        const SignInfo& si = SignInfoOf(address);
        const std::string content = DefaultContent(si);
        if (content.empty()) continue;
        data += SectionKey(static_cast<int16_t>(address)) + content;
    }
    DestRecord& r = gDestList[0];
    r.SignData = data;
    r.Text = gTextS28;
}

}  // namespace kv
