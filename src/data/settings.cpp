#include "data/settings.h"

#include "data/destcodes.h"
#include "data/ini.h"
#include "data/language.h"
#include "data/startup.h"
#include "platform/error.h"
#include "platform/host.h"
#include "platform/paths.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

int16_t gSaveWinPos = 0;
std::string gOpenSavePath;
int16_t gCutMode = 0;
int16_t gNumberOfChangingTexts = 8;
int16_t gMaxLineNumbers = 3;
int16_t gBackupOn = kTrue;
int16_t gPortIndex = 0;
std::string gPortName;

namespace {

bool Unset(const std::string& v) { return v.empty() || v == "0"; }

// A settings number as a 16-bit integer; text that is no number reads 0.
int16_t Number16(const std::string& v) { return CIntClamp(Val(v)); }

std::string Generell(const std::string& key) { return IniGetValue(gSettingsFile, "Generell", key, kIniOpenClose); }

}  // namespace

MainFormSettings ReadMainSettings(const std::function<void()>& loadFontLibrary) {
    MainFormSettings form;
    const std::string program = ProgramFolder();
    ChangeDirectory(program);

    std::string kivarPath = IniGetValue(FirstSettingsFile(), "Generell", "KivarPath", kIniOpenClose);
    if (!Unset(kivarPath) && ChangeDirectory(kivarPath)) {
        gDataPath = kivarPath;
    } else {
        // An empty value already means the program folder. It is not pinned
        // to the folder's full path: a program folder that is moved or copied
        // must still find its own settings at the next start.
        gDataPath = program;
    }
    gSettingsFile = SettingsFileIn(gDataPath);

    form.autoCreateButtonVisible = Generell("AutoCreateTextButtonVisible") == "1";

    std::string fontsPath = IniGetValue(gSettingsFile, "Fonts", "FontsPath", kIniOpenClose);
    if (!Unset(fontsPath) && ChangeDirectory(fontsPath)) {
        // The font files are named by appending to the folder, which must
        // end in a separator whether or not the stored value does.
        gFontPath = JoinPath(fontsPath, "");
    } else {
        gFontPath = JoinPath(JoinPath(gDataPath, "Fonts"), "");
        IniSetValue(gSettingsFile, "Fonts", "FontsPath", gFontPath);
    }
    if (loadFontLibrary) loadFontLibrary();
    ChangeDirectory(gDataPath);

    gLanguage = Generell("Language");
    const std::string stored = Generell("LanguageFile");
    gLanguageFile = InDataFolder(stored);
    if (!FileExists(gLanguageFile)) {
        std::string name = IniGetValue(JoinPath(gDataPath, "language.ini"), gLanguage, "FileName", kIniOpenClose);
        // The file language.ini names, when it names one; else the stored one
        // stays the file that is missing.
        if (!Unset(name)) gLanguageFile = name;
        if (FileExists(JoinPath(gDataPath, name))) {
            name = RemoveString(name, "\"");
            IniSetValue(gSettingsFile, "Generell", "LanguageFile", name);
            gLanguageFile = JoinPath(gDataPath, name);
        } else if (Unset(stored) && Unset(name)) {
            // Nothing names a language file: the message says where the
            // names are missing rather than "0 not found!".
            throw Error(FileMessage(gSettingsFile, "[Generell] names no language: its keys Language and LanguageFile "
                                                   "are missing or cannot be read.") +
                            SettingsFileAdvice(),
                        vbCritical);
        }
    }
    if (FileExists(gLanguageFile) && !LanguageFileHolds(gLanguageFile, gLanguage)) {
        // A language the file has no texts for: the language whose file it
        // is in language.ini, when there is one, which the settings keep.
        const std::string own = LanguageOfFile(gLanguageFile);
        if (own.empty())
            throw Error(FileMessage(gSettingsFile, "[Generell] Language \"" + gLanguage + "\" is no language of " +
                                                       gLanguageFile + ".") +
                            SettingsFileAdvice(),
                        vbCritical);
        gLanguage = own;
        IniSetValue(gSettingsFile, "Generell", "Language", gLanguage);
    }

    gOpenSavePath = Generell("OpenSavePath");
    gCutMode = Number16(Generell("CutPreferences"));
    gNumberOfChangingTexts = Number16(Generell("MaxNoOfChangingTexts"));

    std::string pointer = Generell("UseStandardMousePointer");
    if (pointer != "Y" && pointer != "N") IniSetValue(gSettingsFile, "Generell", "UseStandardMousePointer", "N");
    form.useStandardMousePointer = pointer == "Y";

    gMaxLineNumbers = Number16(Generell("MaxLineNumbers")) == 4 ? 4 : 3;

    for (int n = 1; n <= 4; ++n) {
        std::string v = IniGetValue(gSettingsFile, "DestNoCharachters", "DestPos" + std::to_string(n), kIniOpenClose);
        form.allowedCodeChars[n - 1] = v == "0" ? DefaultAllowedCodeChars(n) : v;
    }

    bool documentFolderOk = false;
    if (!Unset(gOpenSavePath)) {
        documentFolderOk = ChangeDirectory(gOpenSavePath);
        ChangeDirectory(gDataPath);
    }
    if (!documentFolderOk) {
        gOpenSavePath = gDataPath;
        IniSetValue(gSettingsFile, "Generell", "OpenSavePath", gDataPath);
    }

    if (gNumberOfChangingTexts < 8) gNumberOfChangingTexts = 8;
    if (gNumberOfChangingTexts > 20) gNumberOfChangingTexts = 20;

    gBackupOn = VbBool(Generell("NoBackup") != "1");

    int16_t port = Number16(IniGetValue(gSettingsFile, "Kivar-t", "PORTINDEX", kIniOpenClose));
    gPortIndex = port < 0 ? 0 : port > 3 ? 3 : port;
    // An absent key reads as "0", which names no device.
    gPortName = IniGetValue(gSettingsFile, "Kivar-t", "PortName", kIniOpenClose);
    if (gPortName == "0") gPortName.clear();
    return form;
}

void ResetMainSettings() {
    gSaveWinPos = 0;
    gOpenSavePath.clear();
    gCutMode = 0;
    gNumberOfChangingTexts = 8;
    gMaxLineNumbers = 3;
    gBackupOn = kTrue;
    gPortIndex = 0;
    gPortName.clear();
}

namespace {
const ResetRegistrar kReset("main settings", StateLayer::Data, ResetMainSettings);
}  // namespace

}  // namespace kv
