#include "platform/vb.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace kv {

double Val(const std::string& input) {
    std::string s;
    s.reserve(input.size());
    for (char c : input)
        if (c != ' ' && c != '\t' && c != '\n') s += c;
    size_t i = 0;
    if (s.size() >= 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h' || s[1] == 'O' || s[1] == 'o')) {
        const int base = (s[1] == 'H' || s[1] == 'h') ? 16 : 8;
        i = 2;
        uint64_t v = 0;
        size_t digits = 0;
        for (; i < s.size(); ++i) {
            int d;
            char c = s[i];
            if (c >= '0' && c <= '9') d = c - '0';
            else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
            else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
            else break;
            if (d >= base) break;
            v = v * base + d;
            if (v > 0xFFFFFFFFull) v &= 0xFFFFFFFFull;
            ++digits;
        }
        if (digits == 0) return 0;
        // Values that fit the 16-bit (or 32-bit) pattern are read as signed
        // integers of that size, as the runtime does ("&HFFFF" is -1).
        const bool shortForm = base == 16 ? digits <= 4 : v <= 0xFFFF;
        if (shortForm) return static_cast<double>(static_cast<int16_t>(static_cast<uint16_t>(v)));
        return static_cast<double>(static_cast<int32_t>(static_cast<uint32_t>(v)));
    }
    std::string num;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) num += s[i++];
    bool anyDigit = false, dot = false;
    for (; i < s.size(); ++i) {
        char c = s[i];
        if (c >= '0' && c <= '9') { num += c; anyDigit = true; }
        else if (c == '.' && !dot) { num += c; dot = true; }
        else break;
    }
    if (!anyDigit) return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        size_t j = i + 1;
        std::string ex = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ex += s[j++];
        bool expDigit = false;
        while (j < s.size() && s[j] >= '0' && s[j] <= '9') { ex += s[j++]; expDigit = true; }
        if (expDigit) num += ex;
    }
    double v = std::strtod(num.c_str(), nullptr);
    if (!std::isfinite(v)) return 0;
    return v;
}

// The default rounding mode is to nearest, ties to even.
double RoundHalfEven(double v) { return std::nearbyint(v); }

int16_t CInt(double v) {
    double r = RoundHalfEven(v);
    if (!(r >= -32768.0 && r <= 32767.0)) throw VbError(6, "Overflow");
    return static_cast<int16_t>(r);
}

int32_t CLng(double v) {
    double r = RoundHalfEven(v);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw VbError(6, "Overflow");
    return static_cast<int32_t>(r);
}

int16_t CIntClamp(double v) {
    if (std::isnan(v)) return 0;
    double r = RoundHalfEven(v);
    if (r < -32768.0) return -32768;
    if (r > 32767.0) return 32767;
    return static_cast<int16_t>(r);
}

int32_t IDiv(double a, double b) {
    int32_t x = CLng(a), y = CLng(b);
    if (y == 0) throw VbError(11, "Division by zero");
    return static_cast<int32_t>(static_cast<int64_t>(x) / y);
}

std::string Mid(const std::string& s, long start, long length) {
    if (start < 1) throw VbError(5, "Invalid procedure call");
    if (length < -1) throw VbError(5, "Invalid procedure call");
    size_t st = static_cast<size_t>(start - 1);
    if (st >= s.size()) return {};
    if (length < 0) return s.substr(st);
    return s.substr(st, static_cast<size_t>(length));
}

std::string Left(const std::string& s, long n) {
    if (n < 0) throw VbError(5, "Invalid procedure call");
    return s.substr(0, static_cast<size_t>(n));
}

std::string Right(const std::string& s, long n) {
    if (n < 0) throw VbError(5, "Invalid procedure call");
    size_t k = std::min<size_t>(s.size(), static_cast<size_t>(n));
    return s.substr(s.size() - k);
}

void MidAssign(std::string& s, long start, const std::string& r, long length) {
    if (start < 1 || static_cast<size_t>(start) > s.size()) throw VbError(5, "Invalid procedure call");
    size_t st = static_cast<size_t>(start - 1);
    size_t n = r.size();
    if (length >= 0) n = std::min(n, static_cast<size_t>(length));
    n = std::min(n, s.size() - st);
    s.replace(st, n, r.substr(0, n));
}

long InStr(long start, const std::string& s, const std::string& needle) {
    if (start < 1) throw VbError(5, "Invalid procedure call");
    if (static_cast<size_t>(start) > s.size() + 1) return 0;
    if (needle.empty()) return start;
    size_t p = s.find(needle, static_cast<size_t>(start - 1));
    return p == std::string::npos ? 0 : static_cast<long>(p + 1);
}

long InStrRev(const std::string& s, const std::string& needle) {
    if (needle.empty()) return static_cast<long>(s.size());
    size_t p = s.rfind(needle);
    return p == std::string::npos ? 0 : static_cast<long>(p + 1);
}

long InStrLast(const std::string& text, const std::string& part) { return part.empty() ? 0 : InStrRev(text, part); }

std::string LTrim(const std::string& s) {
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    return s.substr(i);
}

std::string RTrim(const std::string& s) {
    size_t n = s.size();
    while (n > 0 && s[n - 1] == ' ') --n;
    return s.substr(0, n);
}

std::string Trim(const std::string& s) { return LTrim(RTrim(s)); }

namespace {
unsigned char Upper1252(unsigned char c) {
    if (c >= 'a' && c <= 'z') return c - 32;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
    switch (c) {
        case 0x9A: return 0x8A;
        case 0x9C: return 0x8C;
        case 0x9E: return 0x8E;
        case 0xFF: return 0x9F;
        default: return c;
    }
}
unsigned char Lower1252(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    switch (c) {
        case 0x8A: return 0x9A;
        case 0x8C: return 0x9C;
        case 0x8E: return 0x9E;
        case 0x9F: return 0xFF;
        default: return c;
    }
}
}  // namespace

std::string UCase(const std::string& s) {
    std::string r = s;
    for (char& c : r) c = static_cast<char>(Upper1252(static_cast<unsigned char>(c)));
    return r;
}

std::string LCase(const std::string& s) {
    std::string r = s;
    for (char& c : r) c = static_cast<char>(Lower1252(static_cast<unsigned char>(c)));
    return r;
}

bool EqualsNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Upper1252(static_cast<unsigned char>(a[i])) != Upper1252(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

namespace {
// Shortest text with at most `digits` significant digits, in the runtime's
// style: plain notation for moderate magnitudes, "1E+15" style otherwise.
std::string ShortestText(double v, int digits) {
    if (v == 0) return "0";
    if (std::isnan(v)) return "NaN";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*E", digits - 1, v);
    // Parse mantissa and exponent of the rounded value.
    std::string t = buf;
    size_t e = t.find('E');
    std::string mant = t.substr(0, e);
    int exp10 = std::atoi(t.c_str() + e + 1);
    bool neg = false;
    if (!mant.empty() && mant[0] == '-') { neg = true; mant.erase(0, 1); }
    std::string ds;
    for (char c : mant) if (c != '.') ds += c;
    while (ds.size() > 1 && ds.back() == '0') ds.pop_back();
    std::string out;
    if (exp10 >= digits || exp10 < -(digits + 4) + 3) {
        // scientific
        out = ds.substr(0, 1);
        if (ds.size() > 1) out += "." + ds.substr(1);
        char eb[16];
        std::snprintf(eb, sizeof eb, "E%c%02d", exp10 < 0 ? '-' : '+', std::abs(exp10));
        out += eb;
    } else if (exp10 >= 0) {
        if (static_cast<int>(ds.size()) <= exp10 + 1) {
            out = ds + std::string(static_cast<size_t>(exp10 + 1 - static_cast<int>(ds.size())), '0');
        } else {
            out = ds.substr(0, static_cast<size_t>(exp10 + 1)) + "." + ds.substr(static_cast<size_t>(exp10 + 1));
        }
    } else {
        // The runtime writes ".5" without the leading zero.
        out = "." + std::string(static_cast<size_t>(-exp10 - 1), '0') + ds;
    }
    return neg ? "-" + out : out;
}
}  // namespace

std::string CStr(double v) { return ShortestText(v, 15); }
std::string CStrSingle(float v) { return ShortestText(static_cast<double>(v), 7); }
std::string Str(double v) {
    std::string t = CStr(v);
    return (v >= 0 ? " " : "") + t;
}

std::string Hex(long v) {
    char buf[32];
    if (v >= -32768 && v < 0)
        std::snprintf(buf, sizeof buf, "%X", static_cast<unsigned>(static_cast<uint16_t>(v)));
    else
        std::snprintf(buf, sizeof buf, "%lX", static_cast<unsigned long>(static_cast<uint32_t>(v)));
    return buf;
}

std::string Format(double v, const std::string& pattern) {
    auto isPh = [](char c) { return c == '0' || c == '#'; };
    size_t firstPh = pattern.find_first_of("0#");
    if (firstPh == std::string::npos) return pattern;
    size_t lastPh = pattern.find_last_of("0#");
    // The decimal point: the first "." before the last placeholder (".##"
    // has no integer placeholders).
    size_t dot = pattern.find('.');
    if (dot > lastPh) dot = std::string::npos;
    const size_t intStart = dot < firstPh ? dot : firstPh;
    std::string prefix = pattern.substr(0, intStart);
    std::string suffix = pattern.substr(lastPh + 1);
    std::string ip = dot < firstPh ? std::string()
                                   : pattern.substr(firstPh, (dot == std::string::npos ? lastPh + 1 : dot) - firstPh);
    std::string fp = dot == std::string::npos ? std::string() : pattern.substr(dot + 1, lastPh + 1 - (dot + 1));
    int fracDigits = 0, fracMin = 0;
    for (char c : fp) if (isPh(c)) { ++fracDigits; if (c == '0') fracMin = fracDigits; }
    int minInt = 0;
    { bool zero = false; for (char c : ip) { if (c == '0') zero = true; if (zero && isPh(c)) ++minInt; } }
    char buf[512];
    std::snprintf(buf, sizeof buf, "%.*f", fracDigits, std::fabs(v));
    std::string num = buf;
    size_t p = num.find('.');
    std::string intDigits = num.substr(0, p);
    std::string fracStr = p == std::string::npos ? std::string() : num.substr(p + 1);
    if (intDigits == "0") intDigits.clear();
    while (static_cast<int>(fracStr.size()) > fracMin && fracStr.back() == '0') fracStr.pop_back();
    while (static_cast<int>(intDigits.size()) < minInt) intDigits.insert(0, "0");
    bool isZero = intDigits.find_first_not_of('0') == std::string::npos &&
                  fracStr.find_first_not_of('0') == std::string::npos;
    std::string out = intDigits;
    if (!fracStr.empty()) out += "." + fracStr;
    else if (dot != std::string::npos) out += ".";
    if (v < 0 && !isZero) out.insert(0, "-");
    return prefix + out + suffix;
}

}  // namespace kv
