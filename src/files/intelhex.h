// Intel HEX output of an out-file: data records of 32 bytes from address 0,
// an extended segment address record at every 64 KiB boundary, a shorter
// last record and the end record; lines end in CR LF, digits are upper case.
#pragma once

#include <cstdint>
#include <string>

namespace kv {

// Segment records reach 1 MiB; larger inputs cannot be written.
constexpr int64_t kHexInputLimit = 1048576;

// The records of `in`. False (and `out` untouched) for inputs of 1 MiB or more.
bool ConvertOutToHex(const std::string& in, std::string& out);

// Converts the file inPath into the HEX file outPath (written through the
// safe writer). Every failure is reported in a message box and gives false;
// with `announce`, success shows "Conversion ready!".
bool ConvertFileToHex(const std::string& inPath, const std::string& outPath, bool announce = true);

// The converter window's Start: the name in its text box with its extension
// replaced: "<name>.out" is converted into "<name>.hex". A name without an
// extension is refused with a message (false). An empty name does nothing
// (true).
bool FileConvStart(const std::string& fileName);
// The two file names FileConvStart uses; false (and both left alone) when
// the file name has no extension.
bool FileConvNames(const std::string& fileName, std::string& outFile, std::string& hexFile);

}  // namespace kv
