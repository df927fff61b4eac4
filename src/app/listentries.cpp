#include "app/listentries.h"

#include <algorithm>

#include "data/destcodes.h"
#include "data/destlist.h"
#include "data/fontlist.h"
#include "data/language.h"
#include "data/records.h"
#include "data/signdata.h"
#include "engine/fontlib.h"
#include "engine/textedit.h"
#include "platform/host.h"
#include "platform/vb.h"

namespace kv {

const char* const kAutoCreateTitle = "Snabb";
const char* const kAutoCreateTotalPrompt = "Hur m\xe5nga destinationer vill du ha totalt?";
const char* const kAutoCreateCountPrompt = "Hur m\xe5nga texter i f\xf6ljd vill du skapa ?";
const char* const kAutoCreateStartPrompt = "Vilket v\xe4rde (1-9999) skall texten b\xf6rja med ?";

int16_t LeadingNumber(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    long v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) v = std::min(v * 10 + (text[i] - '0'), 32767L);
    return static_cast<int16_t>(v);
}

int16_t ExtraNumberOfLine(const std::string& line) { return ListLineNumber(line); }

int16_t CurrentChangeTime() {
    const DestRecord& r = ActiveAt(gDestListActive ? gCurrentDest : gCurrentExtra);
    const std::string section =
        !gDestListActive && !gExtraPerSign ? r.SignData : GetSectionText(gCurrentSign, r.SignData);
    const size_t mark = section.find(kPageMark);
    if (mark == std::string::npos || mark + 1 >= section.size()) return gDefaultChangeTime;
    return static_cast<unsigned char>(section[mark + 1]);
}

std::string CurrentNumberBoxText(int16_t dest) {
    const std::string& code = DestAt(dest).Code;
    if (code.find_first_not_of(std::string(" \0", 2)) == std::string::npos) return std::to_string(dest);
    return code;
}

CurrentNumberCheck CheckCurrentNumber(const std::string& typed) {
    CurrentNumberCheck r;
    const std::string text = UCase(typed);
    if (!gDestListActive) {
        const int16_t v = LeadingNumber(text);
        if (v == 0) {
            MsgBox(gTextS101, vbExclamation);
            r.keepFocus = true;
        } else {
            gCurrentExtra = std::min<int16_t>(v, kExtraCount - 1);
        }
        return r;
    }
    if (gDestCodesOn) {
        std::string code = text;
        if (!CheckCodeChars(code, 4)) {
            MsgBox(gTextS133, vbOKOnly);
            r.keepFocus = true;
            return r;
        }
        r.boxText = code;
        int16_t index = 0;
        if (code != DestAt(gCurrentDest).Code) {
            if (FindDestByCode(code, index)) {
                MsgBox(gTextS134, vbOKOnly);
                gCurrentDest = index;
            } else {
                const int16_t n = GetFreeListNo(1, code);
                if (n >= 1) gCurrentDest = n;
            }
        } else if (FindDestByCode(code, index)) {
            MsgBox(gTextS134, vbOKOnly);
            gCurrentDest = index;
        }
        return r;
    }
    if (LeadingNumber(text) == 0) {
        MsgBox(gTextS98, vbExclamation);
        r.keepFocus = true;
        return r;
    }
    gCurrentDest = std::clamp<int16_t>(GetDestIndex(text), 0, kDestCount - 1);
    return r;
}

// ------------------------------------------------------------------ auto-create

namespace {

std::string Pos(int x, int y) {
    return std::string{static_cast<char>(210), static_cast<char>(x), static_cast<char>(211), static_cast<char>(y),
                       static_cast<char>(212)};
}

std::string FourDigits(int n) { return Format(n, "0000"); }

bool FontInLibrary(char id) {
    const int code = static_cast<unsigned char>(id);
    return code >= kFirstFontCode && code <= kLastFontCode && StartAdressVektor[code - kFirstFontCode] >= 0;
}

}  // namespace

std::string AutoCreateTemplate() {
    std::string t;
    t += '\xff';
    t += '\x06';
    t += Pos(0, 4) + "w" + std::string(128, '!');
    t += Pos(0, 17) + "<FONT1><DEST>";
    struct Digit {
        int x, y, font;
        char digit;
    };
    static constexpr Digit kDigits[] = {{38, 8, 2, '1'},  {38, 15, 2, '2'}, {45, 16, 3, '3'}, {53, 16, 4, '4'},
                                        {64, 16, 5, '5'}, {73, 15, 6, '6'}, {84, 16, 5, '7'}, {93, 16, 4, '8'},
                                        {104, 16, 3, '9'}, {112, 16, 2, '0'}};
    for (const Digit& d : kDigits) t += Pos(d.x, d.y) + "<FONT" + std::to_string(d.font) + ">" + d.digit;

    t = ReplaceStringNext(t, "<FONT1>", "i");
    int n = 2;
    for (int i = 1; i <= gFontCount && i < static_cast<int>(gFontList.size()) && n <= 6; ++i) {
        const std::string& entry = gFontList[static_cast<size_t>(i)];
        if (entry.empty() || entry.back() != '1' || entry[0] == 'i') continue;
        t = ReplaceStringNext(t, "<FONT" + std::to_string(n) + ">", entry.substr(0, 1));
        ++n;
    }
    return t;
}

bool AutoCreateFontsPresent(const std::string& templ) {
    if (templ.find("<FONT") != std::string::npos) return false;
    // The font byte follows every 212.
    for (size_t i = 0; i + 1 < templ.size(); ++i)
        if (static_cast<unsigned char>(templ[i]) == 212 && templ[i + 1] != 'w' && !FontInLibrary(templ[i + 1]))
            return false;
    return true;
}

std::string AutoCreateRepeatQuestion() {
    return "Vill du kopiera existerande destinationer ett antal upprepade g\xe5nger ?\r\n\r\n"
           "(Dest 1,2,3 10 ggr ger 1,2,3,4,5..32,33 d\xe4r 1 = 4 = 7... = 33)";
}

bool AutoCreateCanRepeat() {
    const int16_t n = LastUsedNumber(DestList);
    if (n <= 0) return false;
    for (int i = 1; i <= n && i < kDestCount; ++i)
        if (gDestList[static_cast<size_t>(i)].Text.empty()) return false;
    return true;
}

int AutoCreateRepeat(int total) {
    const int n = LastUsedNumber(DestList);
    if (n <= 0 || total <= n) return 0;
    const int top = std::min(total, kDestCount - 1);
    int made = 0;
    for (int k = 1;; ++k)
        for (int j = 1; j <= n; ++j) {
            const int target = n + (k - 1) * n + j;
            if (target > top) return made;
            gDestList[static_cast<size_t>(target)] = gDestList[static_cast<size_t>(j)];
            AddListLine(static_cast<int16_t>(target), true);
            ++made;
        }
}

int AutoCreateNumbered(const std::string& templ, int count, int start) {
    if (count < 1 || start < 1 || start > kDestCount - 1) return 0;
    gRowFullWarning = 2;
    const int last = static_cast<int>(std::min<long>(long{start} + count - 1, kDestCount - 1));
    const DestRecord& first = gDestList[static_cast<size_t>(start)];
    for (int m = start; m <= last; ++m) {
        // The first record is made in place; the others are copies of it.
        DestRecord& r = gDestList[static_cast<size_t>(m)];
        if (m == start) {
            r.ChangeTime = 3;
            r.Flag = kFalse;
        } else {
            r = first;
        }
        r.SignData = ReplaceStringNext(templ, "<DEST>", FourDigits(m));
        r.Text = FourDigits(m) + " auto...";
        AddListLine(static_cast<int16_t>(m), true);
    }
    gRowFullWarning = 0;
    return last - start + 1;
}

int InputNumber(const std::string& answer) { return CIntClamp(Val(answer)); }

}  // namespace kv
