// The information block of a layout-1.5 out-file: a run of tagged blocks
// (2-character tag, LE16 payload length, payload) that tells the controller
// its keypad commands, route-number characters, destination and extra-text
// ranges, text and graphic signs, test, intro, flash-loading and error texts
// and options. Most texts come from the project's command description file
// (*.kcm in the data folder), the rest from the project.
//
// Failures end the build: the writers throw VbError with the runtime's error
// number (5 a byte or counted text out of range, 6 a number or length out of
// range, 13 a number key that is not numeric, 52 no command file), and the
// out-file builder reports it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "files/outoptions.h"

namespace kv {

// What the block takes from the project besides the out-file options
// (which it reads from their globals). The out-file builder fills it.
struct InfoBlockInput {
    // Positions of the destination and extra-text group tables, and of the
    // route-number table (0 when there is none).
    int32_t DestGroupTable = 0;
    int32_t ExtraGroupTable = 0;
    int32_t RouteTable = 0;
    SignTableView Signs;           // models and sizes, index = address - 2
    int16_t DestLastUsed = 0;      // LastUsedNumber of the destination list
    int16_t ExtraLastUsed = 0;     // LastUsedNumber of the extra-text list
    bool DestCodesOn = false;      // 4-character destination codes
    bool LineNoTableOn = false;    // route-number texts per destination
    bool ExtraPerSign = false;     // extra texts with per-sign sections
    int16_t LineNoFieldCount = 0;  // route-number width in characters
    // Allowed characters of destination-code positions 1..4.
    std::array<std::string, 4> AllowedCodeChars;
    // The whole-project fill and blank texts (all signs' sub-records).
    std::string AllSignsTextA;
    std::string AllSignsTextB;
};

// The input with what the project's tables, lists and settings give: signs,
// the highest numbers in use, codes, route-number texts, per-sign extra
// texts and the allowed code characters. The builder adds the positions,
// the route-number width and the fill and blank texts.
InfoBlockInput CurrentInfoBlockInput();

// File number of the open command file; 0 when none is open or the open failed.
extern int16_t gCommandFileNo;

// gDataPath, "\" and the text between the last "(" of the entry and its
// final character: "English (EnglskTD.kcm)" names EnglskTD.kcm.
std::string PathFromParenthesis(const std::string& entry);
// Opens a command file for reading and keeps its number. On failure shows
// S2000 & path & S2001, keeps 0 and returns -1.
int16_t OpenCommandFile(const std::string& path);
void CloseCommandFile();

// The whole block for an out-file position `pos`; the first FS pointer
// names the position just past the block. Opens gCommandFile (the shipped
// file when it is empty) and closes it again, also on failure.
std::string BuildInfoBlock(int32_t pos, const InfoBlockInput& in);
// Puts the block into the image at pos and leaves pos just past it.
void WriteInfoBlock(std::string& image, int32_t& pos, const InfoBlockInput& in);

// Payloads of the single blocks. Those that read texts take the open
// command file's number.
std::string WriteKeyBlock(int16_t fileNo, const InfoBlockInput& in);       // KR
std::string RouteNumberBlock(const InfoBlockInput& in);                    // LN
std::string WriteSignTestBlock(int16_t fileNo);                            // ST
std::string BuildSignInfoBlock(const SignTableView& signs);                // SI
std::string WriteIntroBlock(int16_t fileNo);                               // IT
std::string WriteFlashBlock(int16_t fileNo);                               // TA
std::string WriteFlashErrorBlock(int16_t fileNo);                          // FE
std::string BuildOptionBytes(const InfoBlockInput& in);                    // UO
std::string BuildCustomerInfo(const InfoBlockInput& in);                   // CI after its pointer
std::string TextSignFlags(const SignTableView& signs);                     // first TF byte

// A text key of the command file: its value, "0" when absent.
std::string CommandText(int16_t fileNo, const std::string& section, const std::string& key);
// A number key 0..255: 0 when absent; VbError 13 when it is no number and 6
// when it lies outside 0..255.
int CommandNumber(int16_t fileNo, const std::string& section, const std::string& key);

// The command files of the data folder as the options dialog lists them:
// "description (file name)" in listing order; `selected` is the item equal
// to `current`, else the last one (-1 for none).
std::vector<std::string> ListCommandFiles(const std::string& current, int& selected);

// Splits a block run into lines "TAG length: payload bytes in hex", one per
// block; bytes that do not make a whole block end up on a line "rest:".
std::string DumpInfoBlock(const std::string& block);

}  // namespace kv
