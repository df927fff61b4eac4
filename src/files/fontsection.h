// The font section of a layout-1.5 out-file: the library records of the fonts
// the project's texts use, most used first, copied unchanged from
// kstndrd.bib in the font folder. It follows the information block and runs
// to the end of the file.
#pragma once

#include <cstdint>
#include <string>

namespace kv {

// gFontPath & "kstndrd.bib".
std::string OutFontLibraryPath();

// The font ids that follow a font command 212 in the SignData of every
// destination and extra text in use, most used first (equal counts: lower
// code first). Only letters (upper-case W excepted) and digits are taken.
std::string CollectUsedFonts();

// Position of the font's record in the library bytes, -1 when absent. The
// walk follows the record lengths from the start and ends at a length of 0.
int32_t FindFontRecord(char fontId, const std::string& library);
// The record's length: the LE16 at record offset 257 (missing bytes read as 0).
int32_t FontRecordLength(int32_t recordPos, const std::string& library);
// Puts `length` library bytes from sourcePos into the image at targetPos and
// returns the position after them. Nothing is copied from beyond the
// library's end; a range running past it is cut (and `length` with it).
int32_t CopyFileBytes(int32_t sourcePos, int32_t& length, const std::string& library, std::string& image,
                      int32_t targetPos);

// Writes the section at pos and advances pos. A missing library or font is
// reported (exclamation box) and gives false.
bool WriteFonts(std::string& image, int32_t& pos);

}  // namespace kv
