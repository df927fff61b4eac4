// What the editor asks of the current sign as a whole: render and paint it.
#pragma once

#include <cstdint>

namespace kv {

// Renders the current graphic sign's text layer (unless keepTextLayer) and
// paints its lit dots on its picture, or with toPrinter on the print target
// at the print origin. Nothing for a sign without dot layers.
void ShowSign(bool keepTextLayer, bool toPrinter);

}  // namespace kv
