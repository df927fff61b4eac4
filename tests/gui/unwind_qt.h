// An error that the program's QApplication catches has unwound through Qt's
// event delivery, which is not written for exceptions: Qt's own copy of the
// event (a few hundred bytes) is left behind. The leak checker of the
// sanitizer build ignores what is allocated while an object of this type
// lives; tests put it around the one event whose handler raises.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
#define KIVAR_LEAK_CHECK 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KIVAR_LEAK_CHECK 1
#endif
#endif

#ifdef KIVAR_LEAK_CHECK
#include <sanitizer/lsan_interface.h>
using QtUnwindLeftovers = __lsan::ScopedDisabler;
#else
struct QtUnwindLeftovers {
    QtUnwindLeftovers() {}
};
#endif
