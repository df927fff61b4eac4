#include "files/telegram.h"

#include <algorithm>

#include "data/records.h"
#include "files/outbytes.h"
#include "files/outrecords.h"

namespace kv {

namespace {

constexpr char kFrame = '\xFF';

std::string Frame(const std::string& body) {
    std::string t = kFrame + body;
    return t + TelegramChecksum(t) + kFrame;
}

}  // namespace

std::string BuildDestTelegramData(const std::string& signData, int changeTime, int16_t flag, int32_t destNo) {
    return WriteDestRecordVer1_5(signData, changeTime, flag, destNo);
}

std::string TelegramChecksum(const std::string& telegram) { return MakeChecksum(telegram); }

std::vector<std::string> SplitTelegrams(std::string data) {
    for (size_t p = data.find("\xB0\x00", 0, 2); p != std::string::npos; p = data.find("\xB0\x00", p + 2, 2))
        data[p + 1] = '\x01';

    // Each sub-record but the last ends at the first 255 from its second
    // byte on; the last one's body runs from its third byte up to the first
    // 255 after it, or to the end.
    std::vector<std::string> out;
    const auto k = std::count(data.begin(), data.end(), kFrame);
    std::string rest = std::move(data);
    for (long i = 1; i <= k; ++i) {
        if (i < k) {
            const size_t p = rest.find(kFrame, 1);
            out.push_back(Frame(p >= 2 ? rest.substr(2, p - 2) : std::string()));
            rest = rest.substr(p + 1);
        } else {
            const size_t q = rest.size() > 2 ? rest.find(kFrame, 2) : std::string::npos;
            out.push_back(Frame(rest.size() > 2 ? rest.substr(2, q == std::string::npos ? std::string::npos : q - 2)
                                                : std::string()));
        }
    }
    return out;
}

std::vector<std::string> DestTelegrams(int16_t destNo) {
    const DestRecord& r = DestAt(destNo);
    if (r.SignData.empty()) return {};
    const std::string data = BuildDestTelegramData(r.SignData, r.ChangeTime, r.Flag, destNo);
    if (data.empty()) return {};
    return SplitTelegrams(data);
}

}  // namespace kv
