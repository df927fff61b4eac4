// Byte helpers of the out-file image, which is built in memory and written
// in one piece: 4-byte pointers, 16-bit little-endian numbers, single bytes
// with a range check, the sub-record checksum, and writing at a position.
#pragma once

#include <cstdint>
#include <string>

namespace kv {

// A pointer names a position as its offset inside a 4096-byte page and the
// page number (0..255), so positions stop short of 1 MiB.
constexpr int32_t kOutPageSize = 4096;
constexpr int32_t kOutFileLimit = 256 * kOutPageSize;  // first position a pointer cannot name

// The 4 pointer bytes of a position: offset LE16, 0, page. Throws VbError(6)
// outside 0..kOutFileLimit - 1.
std::string PointerBytes(int32_t pos);
// Two bytes, low first. Throws VbError(6) outside 0..65535.
std::string Le16(int32_t value);
// A block length as two bytes. Throws VbError(6) above 32767.
std::string BlockLength(size_t length);
// One byte. Throws VbError(5) outside 0..255.
std::string ByteOf(long value);
// Length byte and the text. Throws VbError(5) for texts longer than 255.
std::string CountedText(const std::string& text);

// Sum of the character codes from the second character on, modulo 256: 254
// and 255 become the two bytes 254 0 and 254 1, any other sum one byte.
std::string MakeChecksum(const std::string& text);

// Writes bytes at a 0-based position of the image, growing it with zero
// bytes when the position lies beyond its end.
void PutAt(std::string& image, int32_t pos, const std::string& bytes);

}  // namespace kv
