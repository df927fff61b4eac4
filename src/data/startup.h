// Start settings: where the settings file and the data folder are, and which
// language the program speaks.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kv {

// True from just before the splash is shown until the splash's timer fires.
extern int16_t SplashActive;
// True from the main window's load until its first activation.
extern int16_t gStartUp;

// The settings file that names the data folder: KIVAR.LIB of the current
// folder when it has one (in any letter case), else the program folder's.
// The file is found without regard to letter case, and messages name it as it
// is on disk.
std::string FirstSettingsFile();
// The settings file of a folder: the name it has there, kivar.lib when it
// has none.
std::string SettingsFileIn(const std::string& folder);

// Fills gDataPath, gSettingsFile, gLanguage and gLanguageFile. When the
// language keys are present and empty, `chooseLanguage` runs (the first-start
// language choice; it is expected to store the choice).
void ReadStartSettings(const std::function<void()>& chooseLanguage);

// The digits at the start (fromStart) or at the end of the text.
std::string GetNumberPart(const std::string& text, bool fromStart);

// The icon file for a window: program folder & name, else program folder &
// "Icons" & name; "" when neither exists.
std::string FindIconFile(const std::string& iconName);

// First-start language choice: the languages of language.ini in the data
// folder, in the order offered.
std::vector<std::string> LoadLanguageList();
// A file name with the data folder put in front unless the name already
// contains it.
std::string InDataFolder(const std::string& name);
// The language file path of a language (language.ini's FileName), in the
// data folder.
std::string LanguageFileOf(const std::string& language);
// The language file has the section of that language, as the texts are read
// from it (a line "[" & language & "]").
bool LanguageFileHolds(const std::string& file, const std::string& language);
// The language whose FileName in language.ini names that file (compared by
// the file's name, in any letter case); "" when there is none.
std::string LanguageOfFile(const std::string& file);
// Stores the choice in gLanguage, gLanguageFile and [Generell] of the settings.
void StoreLanguageChoice(const std::string& language);

// The sections of the settings file that the program reads and that the file
// lacks, in the order the shipped file holds them: [Kivar-t], [AutoSave],
// [Signs], [DestNoCharachters], [Printer], [Windows] and the sections of the
// sign models. ([Generell] and [Fonts] are reported where they are read, and
// a missing [DefaultRouteNoFonts] is added.)
std::vector<std::string> MissingSettingsSections();
// At start: one message naming the settings file and every section it
// lacks; the program goes on with those sections' defaults.
void ReportMissingSettingsSections();

void ResetStartSettings();

}  // namespace kv
