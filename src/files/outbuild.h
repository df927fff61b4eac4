// The out-file of the open project in the layout its options choose: the
// one step that the transfer commands share.
//
// gCommandRowOn = 1: the default destination is rebuilt from the sign table
// and the file is built in layout 1.5. Any other value: the old layout, with
// the temporary all-nines destination added before the build and taken
// away again however the build ends.
#pragma once

#include <string>

namespace kv {

// The image in memory. Failures are reported to the user; false then and
// the image is empty.
bool BuildOutImage(std::string& image);
// Builds the image and writes it to path through the safe writer. Every
// failure is reported and gives false, and the file at path is then as it
// was (no partial out-file).
bool BuildOutFile(const std::string& path);

}  // namespace kv
