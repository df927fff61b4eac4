// The out-file options of a project: which layout the out-file is built in,
// whether the fonts go with it, the keypad and route-number settings of the
// information block, the command description file, the sign to show and the
// name written into the file. They travel in the project file; the editor
// reads the route-number characters too.
#pragma once

#include <cstdint>
#include <string>

namespace kv {

// --- The option set (16-bit integers; Booleans are -1/0)
extern int16_t gCommandRowOn;           // 1: layout 1.5 with the information block; else the old layout
extern int16_t gFontSectionOn;          // non-zero: the fonts follow the information block
extern int16_t gComrowMems;             // command-row memories (the information block keeps it to 1..6)
extern int16_t gControlInfoOn;          // 1: the project's own route-number characters
extern std::string gRouteNumberSeq;     // route-number characters in order
extern int16_t gRouteNumberStartIndex;  // 1-based position of the first route-number character
extern int16_t gLineNumberOn;           // Boolean: the keypad offers no route-number command
extern std::string gCommandFile;        // "description (file name)" of the command description file
extern std::string gSignToShow;         // sign-list entry; the number at its start is the address
extern std::string gPromName;           // name of a layout-1.5 out-file
extern std::string gAsciiName;          // name digits of an old-layout out-file
// LastUsedNumber of the destination list when the dialog was last filled.
extern int16_t gOptionsDestCount;
// Set by the project-file reader when the file holds an out-file configuration.
extern int16_t gOutCfgLoaded;

extern const char* const kDefaultRouteNumberSeq;  // " 0123456789ABCDEF"
extern const char* const kDefaultCommandFile;     // "(EnglskTD.kcm)"
constexpr int kMaxAsciiNameLength = 8;            // digits the old layout's header holds

// The values a new document starts with: layout 1.5 with fonts, one
// command-row memory, the fixed route-number sequence starting at "0", the
// shipped command file. The options that only a project file sets keep
// their values.
void InitOutFileDefaults();
// InitOutFileDefaults, and every other option emptied (for tests and a
// clean start).
void ResetOutOptions();

}  // namespace kv
