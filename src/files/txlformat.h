// What each format version of the project file holds. Versions 0 to 7 are
// told apart by the ID tag after the sign lines; version 4 has none.
#pragma once

#include <cstdint>
#include <string>

namespace kv {

constexpr int16_t kTxlVersionCount = 8;  // 0..7
// The version a new document is saved in (6 with destination codes).
constexpr int16_t kTxlStandardVersion = 5;

// The ID tag of a version; "" for version 4 and unknown versions.
std::string TxlTagOfVersion(int16_t version);
// The version of an ID tag (already cut before any "SRAD=" suffix); 4 for
// any text that is no tag.
int16_t TxlVersionOfTag(const std::string& tag);
bool IsTxlVersion(int16_t version);

// The refused two-direction block, the version-7 mark and the suffix that
// switches the ten-character record field on for one read.
extern const char* const kTxlTwoDirecTag;
extern const char* const kTxlVersion7Mark;  // "001"
constexpr size_t kTxlFlagStringLength = 20;
extern const char* const kTxlSradSuffix;    // "SRAD="

// Version-dependent parts.
inline bool TxlHasOutConfig(int16_t v) { return v != 4; }
inline bool TxlHasLineNumberOn(int16_t v) { return v != 4 && v != 3; }
inline bool TxlHasRouteNoFields(int16_t v) { return v == 0 || v == 5 || v == 6 || v == 7; }
inline bool TxlHasOldRouteNoDefaults(int16_t v) { return v == 1 || v == 2; }
inline bool TxlDestHasAltText(int16_t v) { return v >= 5; }
inline bool TxlExtraHasAltText(int16_t v) { return v == 5; }
inline bool TxlDestHasCode(int16_t v, int16_t codesOn) { return v == 6 || (v == 7 && codesOn != 0); }

}  // namespace kv
