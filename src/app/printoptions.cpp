#include "app/printoptions.h"

#include <algorithm>
#include <map>

#include "platform/vb.h"

namespace kv {

std::vector<int16_t> RenumberPrintOrder(const std::vector<bool>& ticked) {
    std::vector<int16_t> order(ticked.size(), 0);
    int16_t m = 0;
    for (size_t i = 0; i < ticked.size(); ++i)
        if (ticked[i]) order[i] = ++m;
    return order;
}

PrintOptionsVerdict CheckPrintOptions(const std::vector<std::string>& orderTexts, bool rangeEnabled,
                                      const std::string& from, const std::string& to, const std::string& lowest,
                                      const std::string& highest) {
    for (size_t i = 0; i < orderTexts.size(); ++i)
        for (size_t j = i + 1; j < orderTexts.size(); ++j)
            if (!orderTexts[i].empty() && orderTexts[i] == orderTexts[j]) return PrintOptionsVerdict::SameOrderTwice;
    if (rangeEnabled) {
        auto number = [](const std::string& s) { return CIntClamp(Val(s)); };
        const int16_t f = number(from), t = number(to), lo = number(lowest), hi = number(highest);
        if (f < lo || f > t) return PrintOptionsVerdict::FromOutOfRange;
        if (t > hi) return PrintOptionsVerdict::ToAboveLimit;
    }
    return PrintOptionsVerdict::Accept;
}

std::vector<int> PrintOrderOfRows(const std::vector<bool>& ticked, const std::vector<std::string>& orderTexts) {
    std::map<long, int> byOrder;
    for (size_t i = 0; i < ticked.size() && i < orderTexts.size(); ++i)
        if (ticked[i]) byOrder.emplace(static_cast<long>(Val(orderTexts[i])), static_cast<int>(i) + 1);
    std::vector<int> rows;
    for (const auto& [order, row] : byOrder) rows.push_back(row);
    return rows;
}

}  // namespace kv
