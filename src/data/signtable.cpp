#include "data/signtable.h"

#include <algorithm>
#include <vector>

#include "data/ini.h"
#include "data/language.h"
#include "data/records.h"
#include "platform/error.h"
#include "platform/host.h"
#include "platform/reset.h"
#include "platform/vb.h"
#include "platform/vbfile.h"

namespace kv {

std::array<SignInfo, kSignCount> gSignInfo;
std::array<SignEntry, kSignCount> gSignEntry;
std::array<std::string, kFontHeights> gDefaultStartFont;
std::array<std::string, kFontHeights> gDefaultRouteNoFont;

SignInfo& SignInfoOf(int address) {
    if (!IsSignAddress(address)) throw VbError(9, "Subscript out of range");
    return gSignInfo[static_cast<size_t>(address - kFirstSignAddress)];
}

int16_t DotSizeOfZoom(int32_t zoom) {
    switch (zoom) {
        case 0: return 5;
        case 1: return 4;
        case 2: return 3;
        case 3: return 2;
        case 4: return 1;
        default: return 4;
    }
}

namespace {

// The numeric value of a column range: its leading number, 0 when none.
int16_t NumberOf(const std::string& s) { return CIntClamp(Val(s)); }

// The address of a sign line: columns 32-33, left- or right-aligned.
int16_t AddressOfLine(const std::string& line) {
    if (line.size() < 32) return 0;
    return NumberOf(Mid(line, 32, 2));
}

// Blank-padded or cut to a fixed width.
std::string Fixed(const std::string& s, size_t width) {
    std::string r = s;
    r.resize(width, ' ');
    return r;
}

}  // namespace

bool ParseSignDefinition(const std::string& line) {
    const int16_t address = AddressOfLine(line);
    if (!IsSignAddress(address)) return false;
    SignInfo& si = SignInfoOf(address);
    si.Model = RTrim(Mid(line, 13, 8));
    si.Name = RTrim(Mid(line, 1, 8));
    if (si.Model == "K2000_1R") {
        si.Width = NumberOf(Mid(line, 22, 6));
    } else if (si.Model == "K2000_2R") {
        si.Width = NumberOf(Mid(line, 22, 2));
        const long plus = InStr(22, line, "+");
        if (plus > 0) si.Height = NumberOf(Mid(line, plus + 1, 2));
    } else {
        si.Width = NumberOf(Mid(line, 22, 6));
        const long x = InStr(22, line, "x");
        if (x > 0) si.Height = NumberOf(Mid(line, x + 1, 3));
    }
    si.Zoom = 1;
    si.DotSize = 4;
    if (si.Model == "K4000" && (si.Width > kMaxK4000Width || si.Height > kMaxK4000Height)) {
        std::string msg = "Sign " + std::to_string(address) + " (" + si.Name + "): ";
        msg += std::to_string(si.Width) + "x" + std::to_string(si.Height) + " is too large for a K4000 sign; ";
        si.Width = std::min<int16_t>(si.Width, kMaxK4000Width);
        si.Height = std::min<int16_t>(si.Height, kMaxK4000Height);
        msg += std::to_string(si.Width) + "x" + std::to_string(si.Height) + " is used.";
        MsgBox(msg, vbExclamation);
    }
    return true;
}

std::string ComposeSignLine(int16_t address) {
    std::string line(kSignLineLength, ' ');
    if (!IsSignAddress(address)) return line;
    const SignEntry& se = gSignEntry[static_cast<size_t>(address - kFirstSignAddress)];
    line.replace(0, 8, Fixed(se.Name, 8));
    line.replace(12, 8, Fixed(se.Model, 8));
    line.replace(21, 6, Fixed(se.Dimension, 6));
    const std::string digits = std::to_string(address);
    line.replace(31, digits.size(), digits);
    return line;
}

bool SetSignConfig(const std::string& line) {
    const int16_t address = AddressOfLine(line);
    if (!IsSignAddress(address)) return false;
    SignEntry& se = gSignEntry[static_cast<size_t>(address - kFirstSignAddress)];
    se.Name = Fixed(Mid(line, 1, 8), 8);
    se.Model = Fixed(Mid(line, 13, 8), 8);
    se.Dimension = Fixed(Mid(line, 22, 6), 6);
    se.Used = kTrue;
    if (gCurrentSign == 0) gCurrentSign = address;
    return true;
}

void ClearSignConfigFlags() {
    for (auto& se : gSignEntry) se.Used = kFalse;
}

void ClearSignTable() {
    for (auto& si : gSignInfo) {
        si.Name.clear();
        si.Model.clear();
        si.Width = 0;
        si.Height = 0;
        si.Shown = 0;
    }
}

bool FindSignByPrefix(const std::string& prefix) {
    for (const auto& si : gSignInfo)
        if (si.Model.size() >= prefix.size() && si.Model.compare(0, prefix.size(), prefix) == 0) return true;
    return false;
}

namespace {
size_t HeightSlot(int height) {
    height = std::clamp(height, kMinFontHeight, kMaxFontHeight);
    return static_cast<size_t>(height - kMinFontHeight);
}

// One item of a "start,route" line as a data read takes it: leading blanks
// and surrounding double quotes dropped; the font id is its first character.
std::string FontIdOf(const std::string& item) {
    std::string s = Trim(item);
    if (s.size() >= 2 && s.front() == '"') s = s.substr(1);
    return s.substr(0, 1);
}
}  // namespace

std::string DefaultStartFontOfHeight(int height) { return gDefaultStartFont[HeightSlot(height)]; }
std::string DefaultRouteNoFontOfHeight(int height) { return gDefaultRouteNoFont[HeightSlot(height)]; }

void ReadSignFontSection() {
    const int16_t fn = OpenFileNo(gSettingsFile, 0);
    if (fn < 0) throw FileNotFound(gSettingsFile, NotFoundText());
    const std::string value = IniGetValueOpen(fn, "Signs", "MAXHEIGHT");
    // Without the key the file is not positioned in the section: no pairs are read.
    const bool found = value != "0";
    int maxHeight = found ? CIntClamp(Val(value)) : 24;
    maxHeight = std::clamp(maxHeight, 24, kMaxFontHeight);
    if (found) {
        std::string description, pair;
        for (int h = kMinFontHeight; h <= maxHeight; ++h) {
            if (!FileLineInput(fn, description) || !FileLineInput(fn, pair)) break;
            const size_t comma = pair.find(',');
            const std::string start = FontIdOf(pair.substr(0, comma));
            const std::string route = comma == std::string::npos ? std::string() : FontIdOf(pair.substr(comma + 1));
            // An empty field keeps the font the height had.
            if (!start.empty()) gDefaultStartFont[HeightSlot(h)] = start;
            if (!route.empty()) gDefaultRouteNoFont[HeightSlot(h)] = route;
        }
    }
    for (int h = maxHeight + 1; h <= kMaxFontHeight; ++h) {
        gDefaultStartFont[HeightSlot(h)] = gDefaultStartFont[HeightSlot(24)];
        gDefaultRouteNoFont[HeightSlot(h)] = gDefaultRouteNoFont[HeightSlot(24)];
    }
    FileClose(fn);
}

bool SaveSignFontSection() {
    const std::string& file = gSettingsFile;
    const std::string header = "[Signs]";
    std::vector<std::string> in;
    if (!IniReadLinesForWriting(file, in)) return false;
    const auto at = std::find(in.begin(), in.end(), header);
    if (at == in.end()) {
        MsgBox(FileMessage(file, header + NotFoundText()) + SettingsFileAdvice(), vbCritical);
        return false;
    }
    if (at + 1 == in.end()) {
        MsgBox(FileMessage(file, header + " found!\r" + NotFoundText()) + SettingsFileAdvice(), vbCritical);
        return false;
    }
    std::vector<std::string> out(in.begin(), at + 1);
    out.push_back("MAXHEIGHT=" + std::to_string(kSavedMaxHeight));
    for (int h = kMinFontHeight; h <= kSavedMaxHeight; ++h) {
        out.push_back("Start- and routenumber font for " + std::to_string(h) + "-height sign");
        out.push_back(gDefaultStartFont[HeightSlot(h)] + "," + gDefaultRouteNoFont[HeightSlot(h)]);
    }
    // The old body goes up to an empty line or the next header, which stay.
    // A pair line of the font "[" is part of the body, not a header.
    auto isFontPair = [](const std::string& l) { return l.size() == 3 && l[1] == ','; };
    auto rest = at + 1;
    while (rest != in.end() && !rest->empty() && ((*rest)[0] != '[' || isFontPair(*rest))) ++rest;
    out.insert(out.end(), rest, in.end());
    return IniStoreLines(file, out);
}

void ResetSignTable() {
    gSignInfo.fill(SignInfo{});
    gSignEntry.fill(SignEntry{});
    gDefaultStartFont.fill(std::string());
    gDefaultRouteNoFont.fill(std::string());
}

namespace {
const ResetRegistrar kReset("sign table", StateLayer::Data, ResetSignTable);
}  // namespace

}  // namespace kv
