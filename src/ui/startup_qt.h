// The program's start before the splash: the start settings and the main
// window loaded (not yet shown).
#pragma once

#include <functional>

class frmHead;

namespace kv {

// Reads the start settings (`chooseLanguage` runs at the first start) and
// loads the main window. A start that cannot be completed is reported and
// ends the program (EndProgram); null when that end returns (tests).
frmHead* LoadProgram(const std::function<void()>& chooseLanguage);

}  // namespace kv
