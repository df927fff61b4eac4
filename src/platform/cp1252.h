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

// Escapes of file names (see Cp1252PathFromUtf8) become the characters or
// bytes they stand for.
std::string Utf8From1252(const std::string& bytes);
// Characters that the code page lacks become `replacement`.
std::string Cp1252FromUtf8(const std::string& utf8, char replacement = '?');

// A file name of the system (UTF-8) as the program holds names: in the code
// page, with each character the code page lacks (and each byte that is no
// UTF-8) kept as an escape: the unassigned byte 0x81, the character's code
// point in hexadecimal digits, ";" ("\x81" "141;" for U+0141; a byte b that
// is no UTF-8 as the code point 0xDC00 + b). Utf8From1252 gives the system's
// name back, so a name goes from a file dialog through the program to the
// file system unchanged, and messages show it as it is.
std::string Cp1252PathFromUtf8(const std::string& utf8);

}  // namespace kv
