#include "files/texttransforms.h"

#include <array>

#include "data/headmode.h"
#include "data/signtable.h"
#include "engine/routenumber.h"
#include "engine/signcommands.h"
#include "files/outoptions.h"
#include "platform/vb.h"

namespace kv {

namespace {

constexpr unsigned char kSectionByte = 255;
constexpr unsigned char kPageByte = 176;
constexpr unsigned char kDestTextByte = 162;
constexpr unsigned char kBlank = 32;
constexpr size_t kShortestTrimmedText = 26;

unsigned char At(const std::string& s, size_t i) { return static_cast<unsigned char>(s[i]); }

}  // namespace

int SignToShowAddress() { return static_cast<int>(Val(gSignToShow)); }

std::string MoveSectionToEnd(int address, const std::string& data) {
    const std::string key{static_cast<char>(kSectionByte), static_cast<char>(address)};
    const size_t p = data.find(key);
    if (p == std::string::npos) return data;
    const size_t q = data.find(static_cast<char>(kSectionByte), p + 1);
    if (q == std::string::npos) return data;
    return data.substr(0, p) + data.substr(q) + data.substr(p, q - p);
}

std::string ExpandRouteNumberPlaceholder(const std::string& text, int address, int32_t recordNo) {
    const char header = static_cast<char>(kCmdHeaderEnd);
    if (text.find(header) == std::string::npos) return text;

    const int height = SignInfoOf(address).Height;
    if (height < kMinFontHeight || height > kMaxFontHeight) throw VbError(9, "Subscript out of range");
    const std::string font = DefaultRouteNoFontOfHeight(static_cast<int16_t>(height));

    std::string route;
    if (recordNo >= 0) {
        if (recordNo >= kLineNoTableSize) throw VbError(9, "Subscript out of range");
        route = gLineNoTable[static_cast<size_t>(recordNo)];
        if (static_cast<long>(route.size()) < gLineNoFieldCount)
            route.insert(0, static_cast<size_t>(gLineNoFieldCount) - route.size(), ' ');
    }

    // The sign to show keeps the height of its text's first row.
    unsigned char y = 0;
    if (static_cast<int>(Val(Left(gSignToShow, 3))) == address && gCommandRowOn == 1) {
        const size_t p = text.find(static_cast<char>(kCmdPosY));
        const size_t at = p == std::string::npos ? 0 : p + 1;
        if (at < text.size()) y = At(text, at);
    }
    std::string replacement{static_cast<char>(kCmdPosX), '\0', static_cast<char>(kCmdPosY), static_cast<char>(y)};
    replacement += FontCommand(font);
    replacement += route;

    // The search goes on after each replacement, so a route-number text that
    // held the byte 242 cannot make it endless.
    std::string out = text;
    size_t from = 0;
    for (size_t p = out.find(header, from); p != std::string::npos; p = out.find(header, from)) {
        if (p < 6) throw VbError(5, "Invalid procedure call or argument");
        out.replace(p - 6, 7, replacement);
        from = p - 6 + replacement.size();
    }
    return out;
}

std::string TrimBlankRuns(const std::string& text) {
    if (text.size() < kShortestTrimmedText) return text;
    std::string t = text;
    long i = static_cast<long>(t.size()) - 1;  // the last byte of the current run
    while (i >= 0) {
        const long runEnd = i;
        long counted = 0;
        bool blank = true;
        // Walk back over the run; it ends (going back) at the font id, the
        // byte that follows a 212.
        long cur = i;
        while (cur >= 0 && !(cur >= 1 && At(t, static_cast<size_t>(cur - 1)) == kCmdFont)) {
            if (blank) {
                if (At(t, static_cast<size_t>(cur)) == kBlank) ++counted;
                else blank = false;
            }
            --cur;
        }
        if (cur < 0) {
            // The first run has no font command: only its trailing blanks go.
            t.erase(static_cast<size_t>(runEnd - counted + 1), static_cast<size_t>(counted));
            break;
        }
        long commands = cur - 1;  // the 212
        if (blank) counted += 2;
        if (commands >= 2 && At(t, static_cast<size_t>(commands - 2)) == kCmdPosY) {
            commands -= 2;
            if (blank) counted += 2;
            if (commands >= 2 && At(t, static_cast<size_t>(commands - 2)) == kCmdPosX) {
                commands -= 2;
                if (blank) counted += 2;
            }
        }
        t.erase(static_cast<size_t>(runEnd - counted + 1), static_cast<size_t>(counted));
        i = commands - 1;
    }
    return t;
}

std::string DropRepeatedCommands(const std::string& text) {
    std::string out;
    AppendDropRepeatedCommands(out, text);
    return out;
}

void AppendDropRepeatedCommands(std::string& out, std::string_view text) {
    // Bytes that are not one of the four commands are copied in runs.
    static const auto kSpecial = [] {
        std::array<bool, 256> t{};
        for (unsigned char c : {kDestTextByte, kPageByte, kCmdPosY, kCmdFont}) t[c] = true;
        return t;
    }();
    const size_t n = text.size();
    out.reserve(out.size() + n);
    unsigned char lastY = 255, lastFont = kBlank;
    size_t i = 0;
    while (i + 1 < n) {
        size_t j = i;
        while (j + 1 < n && !kSpecial[static_cast<unsigned char>(text[j])]) ++j;
        out.append(text.data() + i, j - i);
        i = j;
        if (i + 1 >= n) break;
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == kDestTextByte || c == kPageByte) {
            lastY = 255;
            lastFont = kBlank;
            out += text[i++];
        } else {
            unsigned char& last = c == kCmdPosY ? lastY : lastFont;
            const unsigned char arg = static_cast<unsigned char>(text[i + 1]);
            if (arg != last) {
                out.append(text.data() + i, 2);
                last = arg;
            }
            i += 2;
        }
    }
    if (i + 1 == n) out += text[i];  // the last byte, unless it was an argument
}

}  // namespace kv
