#include "files/txlformat.h"

namespace kv {

const char* const kTxlTwoDirecTag = "!TXL_ID:TwoDirec!";
const char* const kTxlVersion7Mark = "001";
const char* const kTxlSradSuffix = "SRAD=";

namespace {
const char* const kTags[kTxlVersionCount] = {
    "!TXL_ID:Kivar 1.5!",       "!TXL_ID:OutfileConfig_3!", "!TXL_ID:OutfileConfig_2!", "!TXL_ID:OutfileConfig!",
    "",                          "!TXL_ID:Kivar 1.5.3!",     "!TXL_ID:Kivar 1.5.5!",     "!TXL_ID:Kivar32!",
};
}  // namespace

bool IsTxlVersion(int16_t version) { return version >= 0 && version < kTxlVersionCount; }

std::string TxlTagOfVersion(int16_t version) { return IsTxlVersion(version) ? kTags[version] : ""; }

int16_t TxlVersionOfTag(const std::string& tag) {
    if (tag.empty()) return 4;
    for (int16_t v = 0; v < kTxlVersionCount; ++v)
        if (tag == kTags[v]) return v;
    return 4;
}

}  // namespace kv
