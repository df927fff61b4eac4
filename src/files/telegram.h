// What serial sending puts on the wire for one destination: the record's
// sub-records, each framed as a telegram
//
//   255, the sub-record from its third byte up to its closing 255, checksum, 255
//
// where the checksum is the sum of the framed bytes modulo 256, with 254 sent
// as 254 0 and 255 as 254 1. The sign does not answer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kv {

// Exactly the bytes of the destination's layout-1.5 out-file record.
std::string BuildDestTelegramData(const std::string& signData, int changeTime, int16_t flag, int32_t destNo);

// The checksum of a telegram that starts with its 255: the sum covers the
// characters from the second on.
std::string TelegramChecksum(const std::string& telegram);

// The telegrams of telegram data, in order: a page change time of 0 goes out
// as 1, and each sub-record becomes one framed telegram.
std::vector<std::string> SplitTelegrams(std::string data);

// The telegrams of destination n (empty when its SignData is empty or it
// yields no sub-record). Build failures throw VbError.
std::vector<std::string> DestTelegrams(int16_t destNo);

}  // namespace kv
