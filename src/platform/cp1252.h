// Windows-1252 <-> UTF-8. Every record string, file content and settings value
// inside the program is a Windows-1252 byte string; only the Qt boundary and
// the file-system boundary convert.
#pragma once

#include <cstdint>
#include <string>

namespace kv {

// The Unicode code point of a Windows-1252 byte. The five bytes that have no
// character in the code page map to the C1 control of the same value, so every
// byte round-trips.
char32_t UnicodeOf1252(unsigned char b);
// The Windows-1252 byte of a code point, or -1 when the code page lacks it.
int ByteOf1252(char32_t cp);

std::string Utf8From1252(const std::string& bytes);
// Characters that the code page lacks become `replacement`.
std::string Cp1252FromUtf8(const std::string& utf8, char replacement = '?');

}  // namespace kv
