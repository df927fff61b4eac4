// What the program does with an error that stopped a handler: the open
// project, when it has changes, goes to the auto-save file first (so nothing
// is lost whatever happens next, and the next start recovers it); then the
// user is told. The project stays open as the handler left it.
#pragma once

#include <exception>
#include <string>

namespace kv {

// The text and the message box style an error is shown with: the core's own
// errors as they were raised, a classic runtime error as "Error # n", any
// other by its description.
struct ErrorReport {
    std::string text;
    int style = 0;
};
ErrorReport DescribeError(const std::exception& e);
// An error of no known kind.
ErrorReport DescribeUnknownError();

// Writes a modified project to the auto-save file, quietly; true when the
// project had no changes or was written. Never raises.
bool SecureModifiedProject();

}  // namespace kv
