// Helpers with the exact semantics of the classic BASIC runtime that the
// stored formats and the editor's arithmetic were defined with: Val, CInt
// (round half to even), 1-based Mid/InStr, Str/CStr of numbers, Format.
// All strings are Windows-1252 byte strings.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace kv {

// A runtime error with its classic error number (6 overflow, 5 invalid call,
// 9 subscript out of range, 52 bad file name, 53 file not found, 62 input past
// end of file, 75 path/file access error).
struct VbError : std::runtime_error {
    int number;
    explicit VbError(int n, const std::string& what = {})
        : std::runtime_error(what.empty() ? "Error # " + std::to_string(n) : what), number(n) {}
};

constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;
inline int16_t VbBool(bool b) { return b ? kTrue : kFalse; }

// Val: leading blanks, tabs and line feeds are skipped, and blanks are skipped
// inside the number too; "&H" and "&O" prefixes; stops at the first character
// that cannot continue the number. "" and non-numbers give 0.
double Val(const std::string& s);

// Banker's rounding as CInt/CLng do it.
double RoundHalfEven(double v);
// CInt: rounds half to even; throws VbError(6) outside -32768..32767.
int16_t CInt(double v);
// CLng: rounds half to even; throws VbError(6) outside the 32-bit range.
int32_t CLng(double v);
// Same rounding, but clamps to the 16-bit range instead of failing.
int16_t CIntClamp(double v);
// Integer division "\" : both operands rounded (half to even) first, result
// truncated toward zero; throws VbError(11) on division by zero.
int32_t IDiv(double a, double b);

// 1-based substring. start < 1 throws VbError(5); start beyond the end gives "".
std::string Mid(const std::string& s, long start, long length = -1);
std::string Left(const std::string& s, long n);
std::string Right(const std::string& s, long n);
// Replaces characters of s from start (1-based) by those of r, like the Mid
// statement: the length of s never changes.
void MidAssign(std::string& s, long start, const std::string& r, long length = -1);
// 1-based position of needle in s at or after start, 0 when absent. An empty
// needle gives start (when start <= Len(s)+1).
long InStr(long start, const std::string& s, const std::string& needle);
inline long InStr(const std::string& s, const std::string& needle) { return InStr(1, s, needle); }
// Last 1-based position of needle, 0 when absent.
long InStrRev(const std::string& s, const std::string& needle);
// The same, but an empty part is absent too (0): splits folders and
// extensions off file names.
long InStrLast(const std::string& text, const std::string& part);

std::string LTrim(const std::string& s);
std::string RTrim(const std::string& s);
std::string Trim(const std::string& s);
std::string UCase(const std::string& s);   // Windows-1252 aware
std::string LCase(const std::string& s);   // Windows-1252 aware
inline int Asc(const std::string& s) { return s.empty() ? 0 : static_cast<unsigned char>(s[0]); }
inline std::string Chr(int c) { return std::string(1, static_cast<char>(static_cast<unsigned char>(c))); }

// Str: a leading blank for numbers that are not negative.
std::string Str(double v);
// CStr of a Double: shortest text, up to 15 significant digits.
std::string CStr(double v);
// CStr of a Single: shortest text, up to 7 significant digits.
std::string CStrSingle(float v);
inline std::string CStr(long v) { return std::to_string(v); }
inline std::string CStr(int v) { return std::to_string(v); }
std::string Hex(long v);

// Format of a number with a digit pattern: "0" forces a digit, "#" an
// optional one, one "." splits the integer and fraction patterns; other
// characters are copied. A pattern without digit placeholders is returned as it is.
// A pattern with "." always writes the point ("50." for 50 with ".##").
std::string Format(double v, const std::string& pattern);

// Case-insensitive comparison (Windows-1252 aware), as vbTextCompare.
bool EqualsNoCase(const std::string& a, const std::string& b);

}  // namespace kv
