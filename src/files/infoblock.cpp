#include "files/infoblock.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "data/destcodes.h"
#include "data/destlist.h"
#include "data/headmode.h"
#include "data/ini.h"
#include "data/language.h"
#include "data/records.h"
#include "data/signtable.h"
#include "files/outbytes.h"
#include "platform/paths.h"
#include "platform/host.h"
#include "platform/reset.h"
#include "platform/vb.h"
#include "platform/vbfile.h"

namespace kv {

int16_t gCommandFileNo = 0;

namespace {
// The file itself goes with the numbered files.
const ResetRegistrar kReset("command file", StateLayer::Files, [] { gCommandFileNo = 0; });
}  // namespace

namespace {

const std::string kDigitRun = "0123456789";

// Closes the command file when a build ends, however it ends.
struct CommandFileGuard {
    ~CommandFileGuard() { CloseCommandFile(); }
};

std::string Block(const std::string& tag, const std::string& payload) {
    return tag.substr(0, 2) + BlockLength(payload.size()) + payload;
}

void RequireOpen(int16_t fileNo) {
    if (fileNo <= 0 || !FileIsOpen(fileNo)) throw VbError(52, "Bad file name or number");
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The numeric value of a whole text as the runtime's conversion takes it:
// blanks around it, an optional sign, digits with one decimal point and an
// optional exponent, or "&H" / "&O" digits. False for anything else.
bool ParseNumber(const std::string& text, double& value) {
    size_t b = 0, e = text.size();
    while (b < e && IsBlank(text[b])) ++b;
    while (e > b && IsBlank(text[e - 1])) --e;
    const std::string s = text.substr(b, e - b);
    if (s.empty()) return false;
    if (s.size() >= 2 && s[0] == '&') {
        const char k = static_cast<char>(std::toupper(static_cast<unsigned char>(s[1])));
        const int base = k == 'H' ? 16 : k == 'O' ? 8 : 0;
        if (base == 0 || s.size() == 2) return false;
        for (size_t i = 2; i < s.size(); ++i) {
            const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(s[i])));
            const bool ok = base == 16 ? std::isxdigit(static_cast<unsigned char>(c)) != 0 : (c >= '0' && c <= '7');
            if (!ok) return false;
        }
        if (s.size() > 10) return false;
        value = Val(s);
        return true;
    }
    size_t i = 0;
    if (s[i] == '+' || s[i] == '-') ++i;
    bool digits = false, dot = false;
    for (; i < s.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(s[i]))) digits = true;
        else if (s[i] == '.' && !dot) dot = true;
        else break;
    }
    if (!digits) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        const size_t start = j;
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) ++j;
        if (j == start) return false;
        i = j;
    }
    if (i != s.size()) return false;
    value = Val(s);
    return std::isfinite(value);
}

std::string KeyText(int16_t fileNo, const std::string& section, const std::string& key) {
    return CountedText(CommandText(fileNo, section, key));
}

std::string KeyNumber(int16_t fileNo, const std::string& section, const std::string& key) {
    return ByteOf(CommandNumber(fileNo, section, key));
}

// Beep and the notice that destination codes together with a route-number
// command can no longer be set up; the command is left out.
void ReportRouteCommandWithCodes() {
    Beep();
    MsgBox("Alfanumeriska destinationsnummer tillsammans med linjenummer \xE4r en inst\xE4llning som inte "
           "l\xE4ngre kan g\xF6ras.\rInst\xE4llningen korrigeras nu.",
           vbOKOnly);
}

}  // namespace

InfoBlockInput CurrentInfoBlockInput() {
    InfoBlockInput in;
    in.Signs = CurrentSignView();
    in.DestLastUsed = LastUsedNumber(DestList);
    in.ExtraLastUsed = LastUsedNumber(ExtraList);
    in.DestCodesOn = gDestCodesOn != 0;
    in.LineNoTableOn = gLineNoTableOn != 0;
    in.ExtraPerSign = gExtraPerSign != 0;
    in.AllowedCodeChars = gAllowedCodeChars;
    return in;
}

std::string PathFromParenthesis(const std::string& entry) {
    const long open = InStrRev(entry, "(");
    const long length = static_cast<long>(entry.size()) - open - 1;
    return JoinPath(gDataPath, length > 0 ? Mid(entry, open + 1, length) : std::string());
}

int16_t OpenCommandFile(const std::string& path) {
    CloseCommandFile();
    int16_t fn = FileOpen(path, FileMode::Input);
    if (fn <= 0) {
        MsgBox(LangText("S2000") + path + LangText("S2001"), vbExclamation + vbOKOnly);
        gCommandFileNo = 0;
        return -1;
    }
    gCommandFileNo = fn;
    return fn;
}

void CloseCommandFile() {
    if (gCommandFileNo > 0 && FileIsOpen(gCommandFileNo)) FileClose(gCommandFileNo);
    gCommandFileNo = 0;
}

std::string CommandText(int16_t fileNo, const std::string& section, const std::string& key) {
    RequireOpen(fileNo);
    return IniGetValueOpen(fileNo, section, key);
}

int CommandNumber(int16_t fileNo, const std::string& section, const std::string& key) {
    double v = 0;
    if (!ParseNumber(CommandText(fileNo, section, key), v)) throw VbError(13, "Type mismatch");
    v = RoundHalfEven(v);
    if (v < 0 || v > 255) throw VbError(6, "Overflow");
    return static_cast<int>(v);
}

std::string WriteKeyBlock(int16_t fileNo, const InfoBlockInput& in) {
    static const char* const kKeys[] = {"LINJENUMMER", "DESTNUMMER", "EXTRANUMMER"};
    std::string p;
    p += '\0';
    p += ByteOf(std::clamp<int>(gComrowMems, 1, 6));
    p += '\0';
    std::vector<int> codes;
    const bool routeCommand = gLineNumberOn == 0 && !in.LineNoTableOn;
    if (routeCommand && in.DestCodesOn) ReportRouteCommandWithCodes();
    if (routeCommand && !in.DestCodesOn) codes.push_back(0);
    codes.push_back(1);
    if (in.ExtraLastUsed > 0) codes.push_back(2);
    p += ByteOf(static_cast<long>(codes.size()));
    for (int c : codes) p += ByteOf(c);
    p += ByteOf(static_cast<long>(codes.size()));
    for (int c : codes) p += KeyText(fileNo, "KommandoRad", kKeys[c]);
    return p;
}

std::string RouteNumberBlock(const InfoBlockInput& in) {
    const bool own = gControlInfoOn == 1;
    const std::string seq = own ? gRouteNumberSeq : std::string(kDefaultRouteNumberSeq);
    std::string p = ByteOf(in.LineNoFieldCount);
    p += '\0';
    p += ByteOf(own ? gRouteNumberStartIndex - 1 : 1);
    p += CountedText(seq);
    return p;
}

std::string TextSignFlags(const SignTableView& signs) {
    int flags = 0;
    if (AnySignModelStartsWith(signs, "K2000")) {
        flags = 1;
        if (AnySignModelStartsWith(signs, "K1000")) flags |= 2;
    }
    return ByteOf(flags);
}

std::string WriteSignTestBlock(int16_t fileNo) {
    std::string p = KeyNumber(fileNo, "SkyltTest", "NEDRAKNINGSTID");
    p += KeyNumber(fileNo, "SkyltTest", "PAUSTID");
    p += '\x03';
    for (const char* k : {"HOLDBUTTONS", "RELEASEBUTTONS", "SELFTEST"}) p += KeyText(fileNo, "SkyltTest", k);
    return p;
}

std::string BuildSignInfoBlock(const SignTableView& signs) {
    std::string p;
    for (int a = kFirstSignAddress; a <= kLastSignAddress; ++a) {
        const SignSummary& s = signs[static_cast<size_t>(a - kFirstSignAddress)];
        if (s.Model != "K4000") continue;
        std::string entry = "\xFF" + ByteOf(a) + "\xA2";
        entry += "\xD0" + ByteOf(s.Width) + "\xD1" + ByteOf(s.Height);
        entry += MakeChecksum(entry);
        entry += '\xFF';
        p += entry;
    }
    return p;
}

std::string WriteIntroBlock(int16_t fileNo) {
    std::string p = KeyNumber(fileNo, "IntroTexter", "PAUSTID");
    p += KeyText(fileNo, "IntroTexter", "VERSIONTEXT");
    p += '\x01';
    p += CountedText("Prg: " + gPromName);
    return p;
}

std::string WriteFlashBlock(int16_t fileNo) {
    std::string p("\0\0\0\0\x04", 5);
    for (const char* k : {"TANKNING1", "TANKNING2", "TANKNINGKLAR", "TANKNINGSFEL"})
        p += KeyText(fileNo, "TankningFlash", k);
    return p;
}

std::string WriteFlashErrorBlock(int16_t fileNo) {
    std::string p = "\x05";
    for (const char* k : {"FEL", "INGATEXTER", "INGATYPSNITT", "INGAKONTROLLDATA", "TANKANYTT"})
        p += KeyText(fileNo, "FlashFel", k);
    return p;
}

std::string BuildOptionBytes(const InfoBlockInput& in) {
    std::string p;
    p += static_cast<char>(in.ExtraPerSign ? 1 : 0);
    p += static_cast<char>(in.DestCodesOn ? 1 : 0);
    return p;
}

std::string BuildCustomerInfo(const InfoBlockInput& in) {
    std::string p = Le16(in.DestLastUsed);
    p += '\x04';
    int mask = 0;
    for (int i = 1; i <= 4; ++i)
        if (in.AllowedCodeChars[static_cast<size_t>(i - 1)].find(kDigitRun) != std::string::npos) mask |= 1 << (i - 1);
    p += ByteOf(mask);
    for (int i = 4; i >= 1; --i) {
        if (!(mask & (1 << (i - 1)))) continue;
        const std::string others = ReplaceStringNext(in.AllowedCodeChars[static_cast<size_t>(i - 1)], kDigitRun, "");
        if (!others.empty()) p += CountedText(others);
    }
    return p;
}

std::string BuildInfoBlock(int32_t pos, const InfoBlockInput& in) {
    CommandFileGuard guard;
    // An empty choice reads the shipped file, as it does once the project
    // has been saved and opened again.
    const int16_t fn = OpenCommandFile(PathFromParenthesis(CommandFileToStore()));
    RequireOpen(fn);

    std::string out = Block("FS", std::string(12, '\0'));
    out += Block("KR", WriteKeyBlock(fn, in));
    out += Block("LN", RouteNumberBlock(in));
    const bool bigDest = in.DestLastUsed > 999;
    out += Block("DN", PointerBytes(in.DestGroupTable) + std::string(2, '\0') + Le16(bigDest ? 9999 : 999) +
                           ByteOf(bigDest ? 4 : 3));
    out += Block("EN", PointerBytes(in.ExtraGroupTable) + std::string(2, '\0') + Le16(999) + ByteOf(3));
    out += Block("TF", TextSignFlags(in.Signs) + std::string(1, '\0'));
    out += Block("TG", in.AllSignsTextA);
    out += Block("TS", in.AllSignsTextB);
    out += Block("ST", WriteSignTestBlock(fn));
    out += Block("SI", BuildSignInfoBlock(in.Signs));
    out += Block("IT", WriteIntroBlock(fn));
    out += Block("TA", WriteFlashBlock(fn));
    out += Block("FE", WriteFlashErrorBlock(fn));
    out += Block("PN", gPromName);
    out += Block("UO", BuildOptionBytes(in));
    if (in.DestCodesOn) out += Block("CI", PointerBytes(in.RouteTable) + BuildCustomerInfo(in));
    out += Block("LE", std::string());

    // The first FS pointer names what follows the block: the fonts or the end.
    out.replace(4, 4, PointerBytes(pos + static_cast<int32_t>(out.size())));
    return out;
}

void WriteInfoBlock(std::string& image, int32_t& pos, const InfoBlockInput& in) {
    const std::string block = BuildInfoBlock(pos, in);
    PutAt(image, pos, block);
    pos += static_cast<int32_t>(block.size());
}

std::vector<std::string> ListCommandFiles(const std::string& current, int& selected) {
    std::vector<std::string> items;
    selected = -1;
    for (const std::string& name : ListDir(gDataPath, "*.kcm")) {
        const int16_t fn = OpenCommandFile(JoinPath(gDataPath, name));
        // A file that cannot be read was reported by the open; it is not offered.
        if (fn <= 0) continue;
        const std::string item = CommandText(fn, "Generell", "SPRAAKBESKRIVNING") + " (" + name + ")";
        CloseCommandFile();
        items.push_back(item);
        if (item == current) selected = static_cast<int>(items.size()) - 1;
    }
    if (selected < 0) selected = static_cast<int>(items.size()) - 1;
    return items;
}

std::string DumpInfoBlock(const std::string& block) {
    auto hex = [](const std::string& bytes, size_t from, size_t n) {
        std::string s;
        char buf[4];
        for (size_t i = 0; i < n; ++i) {
            std::snprintf(buf, sizeof buf, "%s%02x", i ? " " : "", static_cast<unsigned char>(bytes[from + i]));
            s += buf;
        }
        return s;
    };
    std::string out;
    size_t p = 0;
    while (p + 4 <= block.size()) {
        const size_t len = static_cast<unsigned char>(block[p + 2]) | static_cast<unsigned char>(block[p + 3]) << 8;
        if (p + 4 + len > block.size()) break;
        std::string tag = block.substr(p, 2);
        for (char& c : tag)
            if (static_cast<unsigned char>(c) < 0x21 || static_cast<unsigned char>(c) > 0x7E) c = '?';
        out += tag + " " + std::to_string(len) + ":";
        if (len) out += " " + hex(block, p + 4, len);
        out += "\n";
        p += 4 + len;
    }
    if (p < block.size()) out += "rest: " + hex(block, p, block.size() - p) + "\n";
    return out;
}

}  // namespace kv
