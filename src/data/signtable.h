// The sign table: fifteen sign slots, addressed 2 to 16, in two forms. A
// SignEntry is the slot as the user configured it (fixed-width texts); a
// SignInfo is the working form the editor and renderer use. Both are filled
// from the 33-character sign line that the project file stores.
//
// The default start and route-number fonts per sign height (7 to 48) live
// here too, with the reader and writer of the settings file's [Signs] section.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kv {

constexpr int kSignCount = 15;
constexpr int kFirstSignAddress = 2;
constexpr int kLastSignAddress = 16;
constexpr int kSignLineLength = 33;

// A graphic sign wider than this would put the bytes 176 (page mark) or 255
// (section mark) into its size and position commands.
constexpr int kMaxK4000Width = 175;
constexpr int kMaxK4000Height = 48;

struct SignInfo {
    std::string Model;          // "K4000", "K2000_1R", "K2000_2R", "K1000"; "" = not configured
    int16_t Width = 0;          // dots (places for text signs)
    int16_t Height = 0;
    std::string Name;           // at most 8 characters; the sign's tag in Text
    int16_t Shown = 0;          // -1/0
    int16_t RouteNoShown = 0;   // -1/0
    int32_t Zoom = 0;           // 0..4
    int16_t DotSize = 0;
    int16_t GraphicIndex = 0;   // 0..2
};

struct SignEntry {
    std::string Name = std::string(8, ' ');       // 8 characters, blank-padded
    std::string Model = std::string(8, ' ');      // 8 characters
    std::string Dimension = std::string(6, ' ');  // 6 characters
    int16_t Used = 0;
};

// Indexed by sign address - 2.
extern std::array<SignInfo, kSignCount> gSignInfo;
extern std::array<SignEntry, kSignCount> gSignEntry;

// True for 2..16.
inline bool IsSignAddress(int address) { return address >= kFirstSignAddress && address <= kLastSignAddress; }
// The slot of an address; throws VbError(9) outside 2..16.
SignInfo& SignInfoOf(int address);

// The dot size that belongs to a zoom step: 0..4 give 5..1, anything else 4.
int16_t DotSizeOfZoom(int32_t zoom);

// Fills SignInfo of the line's address (columns 32-33, left- or
// right-aligned). Returns false and changes nothing when the address is not
// 2..16. A K4000 wider than 175 or taller than 48 dots is limited to that
// with a warning.
bool ParseSignDefinition(const std::string& line);
// The 33-character sign line of an address from its SignEntry.
std::string ComposeSignLine(int16_t address);
// Fills SignEntry of the line's address and marks it used; the address
// becomes the current sign when none is. False (no change) for a bad address.
bool SetSignConfig(const std::string& line);
void ClearSignConfigFlags();
// Clears Name, Model, Width, Height and Shown of every slot.
void ClearSignTable();
// True when the model of any configured sign begins with the prefix.
bool FindSignByPrefix(const std::string& prefix);

// Default fonts per sign height: one font id character each, index height - 7
// for heights 7 to 48.
constexpr int kMinFontHeight = 7;
constexpr int kMaxFontHeight = 48;
constexpr int kFontHeights = kMaxFontHeight - kMinFontHeight + 1;
constexpr int kSavedMaxHeight = 32;  // the [Signs] writer stores heights 7..32
extern std::array<std::string, kFontHeights> gDefaultStartFont;
extern std::array<std::string, kFontHeights> gDefaultRouteNoFont;
// The fonts of a sign height; heights outside 7..48 take the nearest end.
std::string DefaultStartFontOfHeight(int height);
std::string DefaultRouteNoFontOfHeight(int height);

// Reads [Signs] of gSettingsFile into the two font tables: MAXHEIGHT (below
// 24 read as 24, above 48 as 48), then per height from 7 one description line
// and one "start,route" line; heights above MAXHEIGHT take height 24's fonts.
// A settings file that cannot be opened is reported and ends the program.
void ReadSignFontSection();
// Rewrites the body of [Signs] of gSettingsFile from the font tables:
// MAXHEIGHT=32 and heights 7..32. The old body is dropped up to an empty line,
// the next header or the end of the file. Returns true when written; failures
// are reported and leave the file as it was.
bool SaveSignFontSection();

// Empties both sign tables and the font tables.
void ResetSignTable();

}  // namespace kv
