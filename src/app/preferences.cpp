#include "app/preferences.h"

#include <algorithm>

#include "app/docsettings.h"
#include "data/destcodes.h"
#include "data/headmode.h"
#include "data/ini.h"
#include "data/language.h"
#include "data/printprefs.h"
#include "data/settings.h"
#include "data/startup.h"
#include "platform/vb.h"

namespace kv {

namespace {

// The values of keys that stand in this order in one section, read in one
// pass over the settings file.
std::vector<std::string> SettingsInOneRun(const std::string& section, const std::vector<std::string>& keys) {
    std::vector<std::string> out;
    for (size_t i = 0; i < keys.size(); ++i) {
        const int16_t mode = i == 0 ? kIniOpenKeep : i + 1 == keys.size() ? kIniContinueClose : kIniContinue;
        out.push_back(IniGetValue(gSettingsFile, section, keys[i], mode));
    }
    return out;
}

int16_t Int(const std::string& v) { return CIntClamp(Val(v)); }

// A Boolean as the settings file stores it: "True" or "False", unquoted.
IniValue BooleanValue(bool b) {
    IniValue v(0);
    v.text = b ? "True" : "False";
    return v;
}

void WriteIfChanged(const std::string& section, const std::string& key, int16_t value, int16_t remembered) {
    if (value != remembered) IniSetValue(gSettingsFile, section, key, IniValue(static_cast<int>(value)));
}

}  // namespace

bool ClampPaperWidth(int& width) {
    if (width < 10) {
        width = 10;
        return true;
    }
    if (width > 999) {
        width = 999;
        return true;
    }
    return false;
}

int16_t AutoSaveMinutesShown(float seconds) {
    if (seconds <= 60) return 1;
    return static_cast<int16_t>(std::clamp<int>(CIntClamp(seconds / 60.0), 1, 60));
}

PrintFlags PrintFlagsOf(int16_t printPreferences) {
    PrintFlags f{};
    for (int i = 0; i < kPrintFlags; ++i) f[static_cast<size_t>(i)] = (printPreferences & (1 << i)) != 0;
    f[kCompact] = !f[kCompact];
    return f;
}

int16_t PrintPreferencesOf(const PrintFlags& flags) {
    PrintFlags bits = flags;
    bits[kCompact] = !bits[kCompact];
    int16_t v = 0;
    for (int i = 0; i < kPrintFlags; ++i)
        if (bits[static_cast<size_t>(i)]) v = static_cast<int16_t>(v | (1 << i));
    return v;
}

int16_t HeaderOf(bool header, bool title, bool date, bool time) {
    return static_cast<int16_t>((header ? 1 : 0) + (title ? 2 : 0) + (date ? 4 : 0) + (time ? 8 : 0));
}

PreferencesStart ReadPreferences() {
    PreferencesStart s;
    s.printingOffered = IniGetValue(gSettingsFile, "Generell", "PrintTextFormat145", kIniOpenClose) != "1";

    const std::vector<std::string> g = SettingsInOneRun(
        "Generell", {"Language", "Automatik", "ShowLineNO", "ChangeTime", "SaveWinPos", "InsertMode", "BoundLNActive"});
    s.language = g[0];
    s.automatik = Int(g[1]);
    s.showLineNo = Int(g[2]);
    s.changeTime = Int(g[3]);
    if (s.changeTime == 0) s.changeTime = 3;
    s.changeTime = std::clamp<int16_t>(s.changeTime, 1, 20);
    s.saveWinPos = Int(g[4]);
    s.insertMode = Int(g[5]);
    s.boundLnOffered = Int(g[6]) == 1;

    const std::vector<std::string> p =
        SettingsInOneRun("Printer", {"PrintPreferences", "Header", "LineNoOption", "PageNumber", "PaperWidth",
                                     "PaperStartPos", "PaperEndPos", "Orientation"});
    s.printPreferences = Int(p[0]);
    s.header = Int(p[1]);
    s.lineNoOption = Int(p[2]);
    if (s.lineNoOption < 0 || s.lineNoOption > 2) s.lineNoOption = 0;
    s.pageNumber = Int(p[3]);
    int width = Int(p[4]);
    s.paperWidthClamped = ClampPaperWidth(width);
    s.paperWidth = static_cast<int16_t>(width);
    // The positions as the bars can hold them: start 1..width - 1, end above
    // the start (a larger end than the width raises the bar's maximum).
    s.paperStartPos = std::clamp<int16_t>(Int(p[5]), 1, static_cast<int16_t>(width - 1));
    s.paperEndPos = std::max<int16_t>(Int(p[6]), static_cast<int16_t>(s.paperStartPos + 1));
    s.orientation = Int(p[7]);
    if (s.orientation != 2) s.orientation = 1;

    s.printGraphical = IniGetValue(gSettingsFile, "Printer", "PrintGraphical", kIniOpenClose) == "1";
    s.foreColour = CLng(Val(IniGetValue(gSettingsFile, "Printer", "PrintGraphicalFC", kIniOpenClose)));
    s.backColour = CLng(Val(IniGetValue(gSettingsFile, "Printer", "PrintGraphicalBC", kIniOpenClose)));
    if (s.foreColour == 0 && s.backColour == 0) s.backColour = 0xFFFFFF;

    s.autoSaveOn = gAutoSaveEnabled ? 1 : 0;
    s.autoSaveMinutes = AutoSaveMinutesShown(gAutoSaveTime);
    s.insertBoxEnabled = !(gTxlVersion == 6 || (gTxlVersion == 7 && gDestCodesOn));
    s.insertBox = s.insertBoxEnabled && gInsertMode ? 1 : 0;
    s.boundLnBox = s.boundLnOffered && gLineNoTableOn ? 1 : 0;
    s.languages = LoadLanguageList();
    return s;
}

bool ApplyPreferences(const PreferencesStart& start, const PreferencesChoice& c) {
    WriteIfChanged("Generell", "Automatik", c.automatik, start.automatik);
    WriteIfChanged("Generell", "ChangeTime", c.changeTime, start.changeTime);
    WriteIfChanged("Generell", "ShowLineNO", c.showLineNo, start.showLineNo);
    WriteIfChanged("Generell", "SaveWinPos", c.saveWinPos, start.saveWinPos);
    WriteIfChanged("Generell", "InsertMode", c.insertMode, start.insertMode);

    bool languageChanged = false;
    if (!c.language.empty() && UCase(c.language) != UCase(start.language)) {
        StoreLanguageChoice(c.language);
        LoadLanguageTexts();
        languageChanged = true;
    }

    WriteIfChanged("Printer", "PageNumber", c.pageNumber, start.pageNumber);
    WriteIfChanged("Printer", "Header", HeaderOf(c.header, c.headerTitle, c.headerDate, c.headerTime), start.header);
    if (c.lineNoOption >= 0) WriteIfChanged("Printer", "LineNoOption", c.lineNoOption, start.lineNoOption);
    WriteIfChanged("Printer", "PrintPreferences", PrintPreferencesOf(c.printFlags), start.printPreferences);
    if (c.paperWidth != start.paperWidth) IniSetValue(gSettingsFile, "Printer", "PaperWidth", IniValue(c.paperWidth));
    WriteIfChanged("Printer", "PaperStartPos", c.paperStartPos, start.paperStartPos);
    WriteIfChanged("Printer", "PaperEndPos", c.paperEndPos, start.paperEndPos);
    if (c.orientation == 1 || c.orientation == 2) WriteIfChanged("Printer", "Orientation", c.orientation, start.orientation);
    IniSetValue(gSettingsFile, "Printer", "PrintGraphical", IniValue(c.printGraphical ? 1 : 0));
    IniSetValue(gSettingsFile, "Printer", "PrintGraphicalFC", IniValue(std::to_string(c.foreColour)));
    IniSetValue(gSettingsFile, "Printer", "PrintGraphicalBC", IniValue(std::to_string(c.backColour)));

    if (c.autoSaveOn != start.autoSaveOn) {
        gAutoSaveEnabled = VbBool(c.autoSaveOn != 0);
        IniSetValue(gSettingsFile, "AutoSave", "Enabled", BooleanValue(gAutoSaveEnabled != 0));
    }
    if (c.autoSaveMinutes != start.autoSaveMinutes) {
        gAutoSaveTime = static_cast<float>(c.autoSaveMinutes * 60);
        IniSetValue(gSettingsFile, "AutoSave", "Time", IniValue(static_cast<double>(gAutoSaveTime)));
    }
    if (start.boundLnOffered) SetHeadModeControls(c.boundLn == 1);
    gSaveWinPos = VbBool(c.saveWinPos == 1);
    gInsertMode = VbBool(c.insertMode == 1);
    return languageChanged;
}

std::string LanguageLabel(const std::string& text, size_t languages) {
    return languages == 1 ? text + ":  " + gLanguage : text;
}

std::vector<PreferencesCaption> PreferencesCaptions(bool printingOffered) {
    // The dialog's own keys in the order they stand in the language file.
    std::vector<std::string> keys = {"S1604", "S1902"};
    for (int n = 2200; n <= 2241; ++n)
        if (printingOffered || n < 2209 || n > 2230) keys.push_back("S" + std::to_string(n));
    const std::vector<std::string> values = LangTextsInOneRun(keys);
    auto text = [&](const std::string& key) {
        const auto at = std::find(keys.begin(), keys.end(), key);
        return at == keys.end() ? std::string() : values[static_cast<size_t>(at - keys.begin())];
    };
    auto orDefault = [&](const std::string& key, const std::string& builtIn) {
        const std::string t = text(key);
        return t == "0" ? builtIn : t;
    };

    std::vector<PreferencesCaption> c = {
        {"frmPreferences", -1, text("S2200")},
        {"lblTag", 0, text("S2201")},
        {"lblTag", 1, text("S2202")},
        {"lblTag", 2, text("S2205")},
        {"lblTag", 3, text("S2209")},
        {"lblLanguage", -1, text("S2203")},
        {"lblStandard", -1, text("S2204")},
        {"chkSaveWinPos", -1, text("S2206")},
        {"chkInsertEnabled", -1, text("S2207")},
        {"chkBoundLn", -1, text("S2208")},
        {"fraAutoSave", -1, text("S2231")},
        {"chkAutoSaveEnabled", -1, text("S2232")},
        {"lblAutoSaveTime", -1, text("S2233")},
        {"fraLibLadder", -1, text("S2234")},
        {"lblLibladder", -1, text("S2235")},
        {"lblAutoSaveFileName", -1, gTextS113},
        {"fraPrinterOrientation", -1, orDefault("S2236", "Orientation")},
        {"chkPrintGraphical", -1, orDefault("S2237", "Print graphical appearance")},
        {"lblPrintColor", 0, orDefault("S2238", "Dot, forecolor")},
        {"lblPrintColor", 1, orDefault("S2239", "Dot, backcolor")},
        {"lblDefaultFont", -1,
         orDefault("S2240", "You can define which fonts to use by default for a specific signheight.")},
        {"fraDefaultFont", -1, orDefault("S2241", "Default start- and route no. fonts")},
        {"cmdChangeLibLadder", -1, text("S1604") + "..."},
        {"cmdDefaultFont", -1, text("S1604") + "..."},
        {"chkAutomatik", -1, RemoveString(gTextS76, "&")},
        {"chkShowLineNo", -1, RemoveString(gTextS83, "&")},
        {"fraChangingTime", -1, RemoveString(gTextS109, ":")},
        {"cmdOK", -1, gTextS1},
        {"cmdCancel", -1, gTextS2},
    };
    if (printingOffered) {
        const char* result[] = {"fraPrintResult", "chkPrintEmptyLines", "chkPrintCompact", "chkPrintUserInfo",
                                "chkPrintCodeName", "chkPrintTrimLeftSpaces", "chkPrintTrimRightSpaces",
                                "chkPrintPromptSignText"};
        for (int i = 0; i < 8; ++i) c.push_back({result[i], -1, text("S" + std::to_string(2210 + i))});
        c.push_back({"fraLineNumber", -1, text("S2218")});
        c.push_back({"optLineNo", 0, text("S2219")});
        c.push_back({"optLineNo", 1, gTextS13});
        c.push_back({"optLineNo", 2, text("S2220")});
        c.push_back({"fraHeader", -1, text("S2221")});
        c.push_back({"chkPrintHeader", -1, text("S2222")});
        c.push_back({"chkHeaderInfo", 0, text("S2223")});
        c.push_back({"chkHeaderInfo", 1, RemoveString(text("S1902"), ":")});
        c.push_back({"chkHeaderInfo", 2, text("S2224")});
        const char* printer[] = {"fraPrinter", "chkPrintPageNumber", "fraPrintTextPosHor", "lblPrintPaperWidth",
                                 "lblPrintStartPos", "lblPrintEndPos"};
        for (int i = 0; i < 6; ++i) c.push_back({printer[i], -1, text("S" + std::to_string(2225 + i))});
    }
    return c;
}

}  // namespace kv
