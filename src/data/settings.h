// Program-wide options of the main window, read from the settings file when
// the main window loads: the folders, the editing limits, the serial port.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "data/charmap.h"  // gFontPath

namespace kv {

// Window placements are saved when windows close.
extern int16_t gSaveWinPos;
// Document folder ([Generell] OpenSavePath).
extern std::string gOpenSavePath;
// Cut mode of the graphic selection ([Generell] CutPreferences).
extern int16_t gCutMode;
// How many changing texts (pages) one sign of an entry may have: 8 to 20 at
// start ([Generell] MaxNoOfChangingTexts).
extern int16_t gNumberOfChangingTexts;
// Length of the route number, 3 or 4 ([Generell] MaxLineNumbers).
extern int16_t gMaxLineNumbers;
// A ".BAK" copy is kept when a project is saved ([Generell] NoBackup not "1").
extern int16_t gBackupOn;
// Serial port index 0..3; the port number is the index + 1 ([Kivar-t] PORTINDEX).
extern int16_t gPortIndex;
// A serial device named directly ([Kivar-t] PortName; "" when absent or
// empty): it stands in for the port index, for adapters and tests.
extern std::string gPortName;

// What the reader finds for the main window itself.
struct MainFormSettings {
    // [Generell] AutoCreateTextButtonVisible = "1": the auto-create button shows.
    bool autoCreateButtonVisible = false;
    // [Generell] UseStandardMousePointer = "Y": system pointers instead of the
    // tools' own cursor pictures.
    bool useStandardMousePointer = false;
    // [DestNoCharachters] DestPos1..4: allowed characters per code position
    // (DefaultAllowedCodeChars where a key is absent).
    std::array<std::string, 4> allowedCodeChars;
};

// Settles the folders and the settings file and reads the main window's
// options, in this order: the program folder becomes current; the settings
// file; KivarPath and the data folder (written back when it is empty or
// cannot be used); AutoCreateTextButtonVisible; FontsPath (written back the
// same way); then `loadFontLibrary` runs and the data folder becomes current
// again; the language file (found through language.ini when the stored one
// does not exist; when neither names one, an Error that names the settings
// file and its keys; a language the file has no texts for becomes, and is
// stored as, the language language.ini gives the file to); OpenSavePath; CutPreferences; MaxNoOfChangingTexts;
// UseStandardMousePointer (written as "N" unless it is "Y" or "N");
// MaxLineNumbers; the code characters; the OpenSavePath test (written back
// when it is empty or cannot be used); the clamp of the changing texts to
// 8..20; NoBackup; PORTINDEX clamped to 0..3; PortName.
// Numeric keys that do not hold a number count as absent.
MainFormSettings ReadMainSettings(const std::function<void()>& loadFontLibrary = {});

void ResetMainSettings();

}  // namespace kv
