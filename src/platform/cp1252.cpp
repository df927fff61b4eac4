#include "platform/cp1252.h"

namespace kv {

namespace {
// 0x80..0x9F; the unassigned bytes map to the C1 control of the same value.
constexpr char32_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
}  // namespace

char32_t UnicodeOf1252(unsigned char b) {
    if (b >= 0x80 && b <= 0x9F) return kHigh[b - 0x80];
    return b;
}

int ByteOf1252(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == cp) return 0x80 + i;
    return -1;
}

namespace {

// The byte that starts an escape of a file name, and the code points that
// stand for bytes that are no UTF-8.
constexpr unsigned char kEscape = 0x81;
constexpr char32_t kRawByteBase = 0xDC00;

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsRawByteCode(char32_t cp) { return cp >= kRawByteBase + 0x80 && cp <= kRawByteBase + 0xFF; }

// A character a name keeps as an escape: one the code page lacks (not a
// surrogate, which UTF-8 cannot hold), or the escape byte's own character.
bool NeedsEscape(char32_t cp) {
    return cp == kEscape || (ByteOf1252(cp) < 0 && (cp < 0xD800 || cp > 0xDFFF) && cp <= 0x10FFFF);
}

// The escape at bytes[i] (the escape byte), as its code point and length;
// false when the bytes there are no escape the encoder makes.
bool ReadEscape(const std::string& bytes, size_t i, char32_t& cp, size_t& length) {
    cp = 0;
    size_t k = i + 1;
    for (; k < bytes.size() && k - i <= 6; ++k) {
        const char c = bytes[k];
        int digit = -1;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        if (digit < 0) break;
        cp = cp * 16 + static_cast<char32_t>(digit);
    }
    if (k == i + 1 || k >= bytes.size() || bytes[k] != ';') return false;
    length = k - i + 1;
    return NeedsEscape(cp) || IsRawByteCode(cp);
}

void AppendEscape(std::string& out, char32_t cp) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string digits;
    do {
        digits.insert(digits.begin(), kHex[cp & 0xF]);
        cp >>= 4;
    } while (cp != 0);
    out += static_cast<char>(kEscape);
    out += digits;
    out += ';';
}

// Decodes UTF-8 at s[i]: the code point and the sequence's length; false for
// bytes that are no UTF-8 sequence.
bool DecodeUtf8(const std::string& s, size_t i, char32_t& cp, size_t& len) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) { cp = c; len = 1; return true; }
    if ((c & 0xE0) == 0xC0) { cp = c & 0x1F; len = 2; }
    else if ((c & 0xF0) == 0xE0) { cp = c & 0x0F; len = 3; }
    else if ((c & 0xF8) == 0xF0) { cp = c & 0x07; len = 4; }
    else return false;
    if (i + len > s.size()) return false;
    for (size_t k = 1; k < len; ++k) {
        const unsigned char cc = static_cast<unsigned char>(s[i + k]);
        if ((cc & 0xC0) != 0x80) return false;
        cp = (cp << 6) | (cc & 0x3F);
    }
    // Overlong forms and surrogates are no UTF-8 a name holds.
    static constexpr char32_t kLeast[5] = {0, 0, 0x80, 0x800, 0x10000};
    return cp >= kLeast[len] && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
}

}  // namespace

std::string Utf8From1252(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(bytes[i]);
        char32_t cp = 0;
        size_t length = 0;
        if (b == kEscape && ReadEscape(bytes, i, cp, length)) {
            if (IsRawByteCode(cp)) out += static_cast<char>(cp - kRawByteBase);
            else AppendUtf8(out, cp);
            i += length - 1;
            continue;
        }
        AppendUtf8(out, UnicodeOf1252(b));
    }
    return out;
}

namespace {

// UTF-8 to the code page; what the code page lacks (and bytes that are no
// UTF-8) become escapes, or `replacement` when `escape` is false.
std::string FromUtf8(const std::string& s, bool escape, char replacement) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        char32_t cp = 0;
        size_t len = 1;
        if (!DecodeUtf8(s, i, cp, len)) {
            if (escape) AppendEscape(out, kRawByteBase + static_cast<unsigned char>(s[i]));
            else out += replacement;
            ++i;
            continue;
        }
        i += len;
        if (escape && NeedsEscape(cp)) AppendEscape(out, cp);
        else if (const int b = ByteOf1252(cp); b >= 0) out += static_cast<char>(b);
        else out += replacement;
    }
    return out;
}

}  // namespace

std::string Cp1252FromUtf8(const std::string& s, char replacement) { return FromUtf8(s, false, replacement); }

std::string Cp1252PathFromUtf8(const std::string& s) { return FromUtf8(s, true, '?'); }

}  // namespace kv
