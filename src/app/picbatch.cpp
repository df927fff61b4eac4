#include "app/picbatch.h"

#include <algorithm>

#include "platform/paths.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

std::vector<PictureFileRec> m_aDestPictures;
std::vector<PictureFileRec> m_aExtraPictures;
std::string m_sPictureFolder;

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The number that `part` begins with. False when it does not begin with a
// digit, when it goes on as a fraction, or when it is above `max`.
bool LeadingNumber(const std::string& part, int32_t max, int32_t& value) {
    size_t i = 0;
    int64_t v = 0;
    while (i < part.size() && IsDigit(part[i])) {
        v = v * 10 + (part[i] - '0');
        if (v > max) return false;
        ++i;
    }
    if (i == 0 || (i < part.size() && (part[i] == '.' || part[i] == ','))) return false;
    value = static_cast<int32_t>(v);
    return true;
}

std::string Padded(int32_t n, int width) {
    std::string s = std::to_string(n);
    return std::string(static_cast<size_t>(std::max(0, width - static_cast<int>(s.size()))), '0') + s;
}

}  // namespace

bool ParsePictureName(const std::string& name, PictureFileRec& rec, bool& extra) {
    const std::string upper = UCase(name);
    const long dot = InStrLast(upper, ".");
    const std::string base = dot > 0 ? Left(upper, dot - 1) : upper;
    std::string rest;
    if (Left(base, 2) == "KX") {
        extra = true;
        rest = base.substr(2);
    } else if (Left(base, 1) == "K") {
        extra = false;
        rest = base.substr(1);
    } else {
        return false;
    }
    int32_t textNo = 1, number = 0;
    const size_t bar = rest.find('_');
    if (bar != std::string::npos) {
        if (!LeadingNumber(rest.substr(bar + 1), 99, textNo) || textNo == 0) return false;
        rest.resize(bar);
    }
    if (!LeadingNumber(rest, extra ? 999 : 9999, number)) return false;
    rec.Number = number;
    rec.TextNo = textNo;
    rec.NormName = (extra ? "KX" + Padded(number, 3) : "K" + Padded(number, 4)) + "_" + Padded(textNo, 2);
    return true;
}

void AddPictureFile(const std::string& name) {
    PictureFileRec rec;
    bool extra = false;
    if (!ParsePictureName(name, rec, extra)) return;
    rec.FileName = JoinPath(m_sPictureFolder, name);
    (extra ? m_aExtraPictures : m_aDestPictures).push_back(rec);
}

void SortPictureList(std::vector<PictureFileRec>& list) {
    std::stable_sort(list.begin(), list.end(),
                     [](const PictureFileRec& a, const PictureFileRec& b) { return a.NormName < b.NormName; });
}

namespace {
const ResetRegistrar kReset("batch picture lists", StateLayer::App, [] {
    m_aDestPictures.clear();
    m_aExtraPictures.clear();
    m_sPictureFolder.clear();
});
}  // namespace

}  // namespace kv
