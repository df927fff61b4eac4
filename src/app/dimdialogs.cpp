#include "app/dimdialogs.h"

#include <algorithm>

#include "app/signconfig.h"
#include "data/language.h"
#include "data/signdims.h"
#include "platform/vb.h"

namespace kv {

namespace {

bool IsNumber(const std::string& s, int low, int high) {
    const bool digits = !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits) return false;
    const double v = Val(s);
    return v >= low && v <= high;
}

}  // namespace

NewDimension CheckNewDimension(const std::string& model, const std::string& widthText, const std::string& heightText,
                               const std::vector<std::string>& sizeList) {
    NewDimension d;
    const std::string sep = DimSeparator(model);
    d.width = RemoveString(widthText, " ");
    d.height = sep.empty() ? heightText : RemoveString(heightText, " ");
    const int maxWidth = DimMaxWidth(model);
    if (!sep.empty()) {
        const bool graphic = model == "K4000";
        if (!IsNumber(d.height, graphic ? kMinDimHeight : 1, graphic ? kMaxDimHeight : maxWidth)) {
            d.check = NewDimension::BadHeight;
            return d;
        }
    }
    if (!IsNumber(d.width, 1, maxWidth)) {
        d.check = NewDimension::BadWidth;
        return d;
    }
    d.dimension = sep.empty() ? d.width : d.width + sep + d.height;
    for (const std::string& item : sizeList)
        if (Trim(item) == d.dimension) {
            d.check = NewDimension::Listed;
            break;
        }
    return d;
}

std::string NewDimensionMessage(NewDimension::Check check) {
    switch (check) {
        case NewDimension::BadHeight: return LangText("S1683");
        case NewDimension::BadWidth: return LangText("S1684");
        case NewDimension::Listed: return LangText("S1685");
        default: return {};
    }
}

void SplitDimension(const std::string& model, const std::string& item, std::string& width, std::string& height) {
    const std::string sep = DimSeparator(model);
    const size_t p = sep.empty() ? std::string::npos : item.find(sep);
    width = item.substr(0, p);
    height = p == std::string::npos ? std::string() : item.substr(p + 1);
}

DimDeleteOffer BuildDimDeleteOffer(const std::vector<std::string>& signLines, const std::vector<std::string>& k4000Items) {
    std::vector<std::string> used;
    for (const std::string& line : signLines)
        used.push_back(SignLineModel(line) == "K1000" ? std::string("NoSizeInUse") : SignLineDimension(line));
    DimDeleteOffer o;
    for (const std::string& item : k4000Items) {
        const bool inUse = std::any_of(used.begin(), used.end(), [&](const std::string& u) {
            return item.find(u) != std::string::npos;
        });
        o.dims.push_back(item);
        o.inUse.push_back(inUse);
        o.listPos.push_back(inUse ? -1 : static_cast<int>(o.offered.size()));
        if (!inUse) o.offered.push_back(item);
    }
    return o;
}

bool DeleteOfferedDims(const DimDeleteOffer& offer, const std::vector<bool>& selected) {
    auto isSelected = [&](int pos) { return pos >= 0 && pos < static_cast<int>(selected.size()) && selected[static_cast<size_t>(pos)]; };
    if (std::none_of(offer.listPos.begin(), offer.listPos.end(), isSelected)) return false;
    std::vector<std::string> kept;
    for (size_t i = 0; i < offer.dims.size(); ++i)
        if (offer.inUse[i] || !isSelected(offer.listPos[i])) kept.push_back(offer.dims[i]);
    return WriteK4000Dims(kept);
}

}  // namespace kv
