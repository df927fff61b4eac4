#include "data/language.h"

#include <vector>

#include "data/fontlist.h"
#include "data/ini.h"
#include "platform/paths.h"
#include "platform/host.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

#define KV_DEFINE_TEXT(n) std::string gTextS##n;
KV_SHARED_TEXT_KEYS(KV_DEFINE_TEXT)
#undef KV_DEFINE_TEXT

std::string gDataPath;
std::string gSettingsFile;
std::string gLanguage;
std::string gLanguageFile;

namespace {
std::vector<std::function<void()>>& Hooks() {
    static std::vector<std::function<void()>> hooks;
    return hooks;
}
}  // namespace

void AddLanguageTextsHook(std::function<void()> hook) { Hooks().push_back(std::move(hook)); }

void LoadLanguageTexts() {
    struct Slot {
        int number;
        std::string* text;
    };
    static const std::vector<Slot> run = {
#define KV_SLOT(n) {n, &gTextS##n},
        KV_SHARED_TEXT_KEYS(KV_SLOT)
#undef KV_SLOT
    };
    // S1 opens the file, S2..S134 continue the run, S135 closes it; S150 and
    // S155 are read on their own.
    for (const Slot& s : run) {
        int16_t mode;
        if (s.number == 1) mode = kIniOpenKeep;
        else if (s.number == 135) mode = kIniContinueClose;
        else if (s.number == 150 || s.number == 155) mode = kIniOpenClose;
        else mode = kIniContinue;
        *s.text = IniGetValue(gLanguageFile, gLanguage, "S" + std::to_string(s.number), mode);
    }
    if (gTextS150 == "0") gTextS150 = "Max 3 signs!";
    if (gTextS155 == "0") gTextS155 = "Insertmode disabled!";
    if (gTextS133.size() < 2) gTextS133 = "Bad destinationnumber!";
    if (gTextS134.size() < 2) gTextS134 = "Destinationnumber exists!";
    if (gTextS135.size() < 2) gTextS135 = "Index not found!";
    RenameGraphicFontEntry();
    for (auto& h : Hooks()) h();
}

std::string MainWindowCaption() { return kMsgTitle + " <" + gTextS38 + ">"; }

void ResetLanguageTexts() {
#define KV_CLEAR(n) gTextS##n.clear();
    KV_SHARED_TEXT_KEYS(KV_CLEAR)
#undef KV_CLEAR
    Hooks().clear();
}

namespace {
const ResetRegistrar kReset("language texts", StateLayer::Data, ResetLanguageTexts);
}  // namespace

std::string LangText(const std::string& key) { return IniGetValue(gLanguageFile, gLanguage, key, kIniOpenClose); }

std::string LangText(const std::string& key, const std::string& builtIn) {
    std::string v = LangText(key);
    return v == "0" ? builtIn : v;
}

std::string RemoveString(const std::string& text, const std::string& part) {
    if (part.empty()) return {};
    std::string r = text;
    size_t p = r.find(part);
    while (p != std::string::npos) {
        r.erase(p, part.size());
        p = r.find(part, p);
    }
    return r;
}

std::string ReplaceString(const std::string& text, const std::string& searched, const std::string& replacement) {
    if (searched.empty() || replacement.empty()) return {};
    // The search goes on after the inserted text, so a replacement that
    // contains the searched text cannot loop forever.
    return ReplaceStringNext(text, searched, replacement);
}

std::string ReplaceStringNext(const std::string& text, const std::string& searched, const std::string& replacement) {
    if (searched.empty()) return text;
    std::string r = text;
    size_t p = r.find(searched);
    while (p != std::string::npos) {
        r.replace(p, searched.size(), replacement);
        p = r.find(searched, p + replacement.size());
    }
    return r;
}

bool ChangeDirectory(const std::string& path) { return SetCurrentDir(path); }

Placement ParsePlacement(const std::string& value) {
    Placement p;
    if (value == "0" || Trim(value).empty()) return p;
    size_t blanks = 0;
    for (char c : value) blanks += c == ' ';
    if (blanks != 3) return p;
    std::string parts[4];
    int k = 0;
    for (char c : value) {
        if (c == ' ') ++k;
        else parts[k] += c;
    }
    double v[4];
    for (int i = 0; i < 4; ++i) v[i] = Val(parts[i]);
    // Positions beyond the 16-bit range (very large desktops) are clamped.
    p.left = CIntClamp(v[0]);
    p.top = CIntClamp(v[1]);
    p.width = CIntClamp(v[2]);
    p.height = CIntClamp(v[3]);
    if (p.left < 1 || (p.width == -1 && p.height == -1)) p.kind = Placement::Maximize;
    else p.kind = Placement::Set;
    return p;
}

Placement ReadFormPlacement(const std::string& formName) {
    return ParsePlacement(IniGetValue(gSettingsFile, "Windows", formName, kIniOpenClose));
}

void WriteFormPlacement(const std::string& formName, float left, float top, float width, float height,
                        bool maximized) {
    std::string value = CStrSingle(left) + " " + CStrSingle(top) + " ";
    value += maximized ? std::string("-1 -1") : CStrSingle(width) + " " + CStrSingle(height);
    std::string stored = IniGetValue(gSettingsFile, "Windows", formName, kIniOpenClose);
    if (stored == "0") {
        IniInsertKey(gSettingsFile, "Windows", formName, value);
    } else if (IniCompareValue(gSettingsFile, "Windows", formName, value) != 0) {
        IniSetValue(gSettingsFile, "Windows", formName, value);
    }
}

}  // namespace kv
