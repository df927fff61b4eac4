#include "data/startup.h"

#include <algorithm>

#include "data/ini.h"
#include "data/language.h"
#include "platform/error.h"
#include "platform/host.h"
#include "platform/paths.h"
#include "platform/reset.h"
#include "platform/vb.h"
#include "platform/vbfile.h"

namespace kv {

int16_t gStartUp = kFalse;

int16_t SplashActive = kFalse;

std::string SettingsFileIn(const std::string& folder) { return ResolvePath(JoinPath(folder, "kivar.lib")); }

std::string FirstSettingsFile() {
    const std::string folder = !ListDir(CurrentDir(), "kivar.lib").empty() ? CurrentDir() : ProgramFolder();
    return SettingsFileIn(folder);
}

void ReadStartSettings(const std::function<void()>& chooseLanguage) {
    std::string kivarPath = IniGetValue(FirstSettingsFile(), "Generell", "KivarPath", kIniOpenClose);
    gDataPath = kivarPath;
    if (gDataPath.empty() || gDataPath == "0") gDataPath = ProgramFolder();
    gSettingsFile = SettingsFileIn(gDataPath);

    gLanguage = IniGetValue(gSettingsFile, "Generell", "Language", kIniOpenClose);
    gLanguageFile = IniGetValue(gSettingsFile, "Generell", "LanguageFile", kIniOpenClose);
    if ((gLanguageFile + gLanguage).empty() && chooseLanguage) chooseLanguage();
}

std::string GetNumberPart(const std::string& text, bool fromStart) {
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    size_t n = 0;
    if (fromStart) {
        while (n < text.size() && digit(text[n])) ++n;
        return text.substr(0, n);
    }
    while (n < text.size() && digit(text[text.size() - 1 - n])) ++n;
    return text.substr(text.size() - n);
}

std::string FindIconFile(const std::string& iconName) {
    std::string p = JoinPath(ProgramFolder(), iconName);
    if (FileExists(p)) return ResolvePath(p);
    p = JoinPath(JoinPath(ProgramFolder(), "Icons"), iconName);
    if (FileExists(p)) return ResolvePath(p);
    return {};
}

namespace {
std::string LanguageIni() { return JoinPath(gDataPath, "language.ini"); }
}  // namespace

std::vector<std::string> LoadLanguageList() {
    std::vector<std::string> list;
    int n = static_cast<int>(Val(IniGetValue(LanguageIni(), "Languages", "NoOfLanguages", kIniOpenClose)));
    for (int i = 1; i <= n; ++i)
        list.push_back(IniGetValue(LanguageIni(), "Languages", "Language" + std::to_string(i), kIniOpenClose));
    return list;
}

std::string InDataFolder(const std::string& name) {
    return name.find(gDataPath) == std::string::npos ? JoinPath(gDataPath, name) : name;
}

std::string LanguageFileOf(const std::string& language) {
    return InDataFolder(IniGetValue(LanguageIni(), language, "FileName", kIniOpenClose));
}

bool LanguageFileHolds(const std::string& file, const std::string& language) {
    std::string data;
    if (!ReadWholeFile(file, data)) return false;
    const std::string header = "[" + language + "]";
    for (const std::string& line : SplitLines(data))
        if (line == header) return true;
    return false;
}

std::string LanguageOfFile(const std::string& file) {
    if (!FileExists(LanguageIni())) return {};
    for (const std::string& language : LoadLanguageList())
        if (EqualsNoCase(BaseName(NativePath(LanguageFileOf(language))), BaseName(NativePath(file)))) return language;
    return {};
}

void StoreLanguageChoice(const std::string& language) {
    gLanguage = language;
    gLanguageFile = LanguageFileOf(language);
    IniSetValue(gSettingsFile, "Generell", "Language", RemoveString(gLanguage, "\""));
    IniSetValue(gSettingsFile, "Generell", "LanguageFile", RemoveString(gLanguageFile, "\""));
}

std::vector<std::string> MissingSettingsSections() {
    static const char* const kRead[] = {"Kivar-t", "AutoSave", "Signs", "DestNoCharachters", "Printer",
                                        "Windows", "K4000",    "K1000", "K2000_1R",          "K2000_2R"};
    std::string data;
    ReadWholeFile(gSettingsFile, data);
    const std::vector<std::string> lines = SplitLines(data);
    std::vector<std::string> missing;
    for (const char* section : kRead) {
        const std::string header = "[" + std::string(section) + "]";
        if (std::find(lines.begin(), lines.end(), header) == lines.end()) missing.push_back(header);
    }
    return missing;
}

void ReportMissingSettingsSections() {
    const std::vector<std::string> missing = MissingSettingsSections();
    if (missing.empty()) return;
    std::string sections;
    for (const std::string& header : missing) sections += (sections.empty() ? "" : ", ") + header;
    MsgBox(FileMessage(gSettingsFile, sections + NotFoundText() + " The program goes on with " +
                                          (missing.size() == 1 ? "its defaults." : "their defaults.")) +
               SettingsFileAdvice(),
           vbCritical);
}

void ResetStartSettings() {
    SplashActive = kFalse;
    gStartUp = kFalse;
    gDataPath.clear();
    gSettingsFile.clear();
    gLanguage.clear();
    gLanguageFile.clear();
}

namespace {
const ResetRegistrar kReset("start settings", StateLayer::Data, ResetStartSettings);
}  // namespace

}  // namespace kv
