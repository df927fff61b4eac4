#include "engine/signcommands.h"

#include <algorithm>

namespace kv {

namespace {
char ValueByte(int v) { return static_cast<char>(std::clamp(v, 0, kMaxCommandValue)); }
}  // namespace

std::string SizeCommand(int16_t a, int16_t b) {
    return std::string{static_cast<char>(kCmdSizeWidth), ValueByte(a), static_cast<char>(kCmdSizeHeight), ValueByte(b)};
}

std::string PositionCommand(int16_t& x, int16_t& y) {
    if (x < 0) x = 0;
    if (y < 0) y = 0;
    return std::string{static_cast<char>(kCmdPosX), ValueByte(x), static_cast<char>(kCmdPosY), ValueByte(y)};
}

std::string FontCommand(const std::string& f) {
    return std::string{static_cast<char>(kCmdFont), f.empty() ? ' ' : f[0]};
}

}  // namespace kv
