#include "app/docsettings.h"

#include "data/destcodes.h"
#include "data/fontlist.h"
#include "data/ini.h"
#include "data/language.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/editstate.h"
#include "engine/routenumber.h"
#include "data/settings.h"
#include "platform/error.h"
#include "platform/paths.h"
#include "platform/reset.h"
#include "platform/safefile.h"
#include "platform/host.h"
#include "platform/vb.h"

namespace kv {

int16_t gAutoSaveEnabled = kFalse;
float gAutoSaveTime = 0;
std::string gAutoSaveName;
std::string gDefaultRouteNoFonts(15, 'h');

namespace {

constexpr int kRouteNoFontCount = kSignCount;

int16_t Bool16(const std::string& v) { return VbBool(Val(v) != 0); }

}  // namespace

bool AutoSaveEnabledValue(const std::string& value) {
    const std::string v = UCase(value);
    return v == "-1" || v == "1" || v == "SANT" || v == "TRUE";
}

void ReadDocumentSettings() {
    const std::string& f = gSettingsFile;
    gLanguage = IniGetValue(f, "Generell", "Language", kIniOpenKeep);
    gAutoMode = Bool16(IniGetValue(f, "Generell", "Automatik", kIniContinue));
    gShowLineNo = CIntClamp(Val(IniGetValue(f, "Generell", "ShowLineNO", kIniContinue)));
    gDefaultChangeTime = ClampChangeTime(static_cast<int>(Val(IniGetValue(f, "Generell", "ChangeTime", kIniContinue))));
    gSaveWinPos = Bool16(IniGetValue(f, "Generell", "SaveWinPos", kIniContinue));
    gInsertMode = Bool16(IniGetValue(f, "Generell", "InsertMode", kIniContinue));
    gAutoSaveEnabled = VbBool(AutoSaveEnabledValue(IniGetValue(f, "AutoSave", "Enabled", kIniContinue)));
    gAutoSaveTime = static_cast<float>(Val(IniGetValue(f, "AutoSave", "Time", kIniContinue)));
    gAutoSaveName = IniGetValue(f, "AutoSave", "FileName", kIniContinueClose);
    if (gAutoSaveName == "0") gAutoSaveName.clear();
    ReadFontSection(f);
    ReadSignFontSection();
}

void ReadDefaultRouteNoFonts() {
    std::string fonts = IniGetValue(gSettingsFile, "DefaultRouteNoFonts", "DefaultFonts", kIniOpenClose);
    if (fonts == "0") {
        fonts = std::string(kRouteNoFontCount, 'h');
        std::string bytes;
        ReadWholeFile(gSettingsFile, bytes);
        bytes += "\r\n[DefaultRouteNoFonts]\r\nDefaultFonts=" + fonts + "\r\n";
        std::string error;
        if (!SafeWriteFile(gSettingsFile, bytes, &error)) MsgBox(FileMessage(gSettingsFile, error), vbExclamation);
    }
    fonts.resize(kRouteNoFontCount, 'h');
    gDefaultRouteNoFonts = fonts;
}

void ResetDocumentSettings() {
    gAutoSaveEnabled = kFalse;
    gAutoSaveTime = 0;
    gAutoSaveName.clear();
    gDefaultRouteNoFonts.assign(kRouteNoFontCount, 'h');
}

namespace {
const ResetRegistrar kReset("document settings", StateLayer::App, ResetDocumentSettings);
}  // namespace

}  // namespace kv
