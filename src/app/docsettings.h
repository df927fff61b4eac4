// The program settings a document starts from, read again at every start of
// a document: the editing options of [Generell], the auto-save options, the
// font list, the default fonts per sign height and the default route-number
// fonts per sign address.
#pragma once

#include <cstdint>
#include <string>

#include "data/records.h"  // gDefaultChangeTime: change time of new pages, kept to 0..20

namespace kv {

// [AutoSave] Enabled: on when the value is "-1", "1", "SANT" or "TRUE" in
// any letter case.
extern int16_t gAutoSaveEnabled;
// [AutoSave] Time: seconds between two auto-saves.
extern float gAutoSaveTime;
// [AutoSave] FileName: the name of the project the auto-save file holds;
// "" (or "0") for an untitled one.
extern std::string gAutoSaveName;
// One font id per sign address 2..16 (index address - 2), 15 characters.
extern std::string gDefaultRouteNoFonts;

bool AutoSaveEnabledValue(const std::string& value);

// Reads, from gSettingsFile: [Generell] Language, Automatik, ShowLineNO,
// ChangeTime, SaveWinPos, InsertMode in one forward run, then [AutoSave]
// Enabled, Time, FileName; [Fonts] with the font list; [Signs] with the
// default fonts per sign height.
void ReadDocumentSettings();

// [DefaultRouteNoFonts] DefaultFonts into gDefaultRouteNoFonts: padded with
// "h" to 15 characters or cut to 15. When the key is absent, the section is
// appended to the settings file with 15 times "h".
void ReadDefaultRouteNoFonts();

void ResetDocumentSettings();

}  // namespace kv
