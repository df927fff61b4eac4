// Graphic files (*.grf): a selection of the graphic saved as strip text so
// that it can be drawn again anywhere.
//
//   offset 0   N \ 256    high byte of the text's length N
//   offset 1   N mod 256  low byte
//   offset 2   N bytes    the strip text (positions relative to the
//                         selection's top-left dot), so byte 2 is 210
//
// The reader also takes the older text form: a decimal length, a comma,
// blank or line end, then the text.
#pragma once

#include <string>

namespace kv {

// The two length bytes followed by the text; "" for a text that does not
// fit a 16-bit length.
std::string EncodeGraphicFile(const std::string& stripText);
// The strip text held in a file's bytes, in either form.
std::string DecodeGraphicFile(const std::string& bytes);

// Writes the selection as a graphic file through the safe writer. An empty
// selection shows S39 and writes nothing; a failed write is reported and
// leaves any old file as it was. True when written.
bool WriteGraphicFile(const std::string& path);
// The strip text of a graphic file; false, with nothing shown, when the
// file cannot be read.
bool ReadGraphicFile(const std::string& path, std::string& text);

}  // namespace kv
