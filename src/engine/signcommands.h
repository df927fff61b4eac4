// Sign byte commands: the two-byte commands that carry size, position and
// font inside a page's bytes.
//
//   208 w 209 h   size of a text sign
//   210 x 211 y   position: left dot column and bottom dot row of the next run
//   212 f         font of the next run (the font's one-character id)
//   242           end of the route-number header
#pragma once

#include <cstdint>
#include <string>

namespace kv {

constexpr unsigned char kCmdSizeWidth = 208;
constexpr unsigned char kCmdSizeHeight = 209;
constexpr unsigned char kCmdPosX = 210;
constexpr unsigned char kCmdPosY = 211;
constexpr unsigned char kCmdFont = 212;
constexpr unsigned char kCmdHeaderEnd = 242;

// The largest value a command byte carries: 176 would split a page and 255 a
// section, so values are kept below them.
constexpr int kMaxCommandValue = 175;

// 208 a 209 b.
std::string SizeCommand(int16_t a, int16_t b);
// 210 x 211 y; a negative coordinate is written as 0 and the caller's
// variable becomes 0 too.
std::string PositionCommand(int16_t& x, int16_t& y);
// 212 f (the first character of f).
std::string FontCommand(const std::string& f);

}  // namespace kv
