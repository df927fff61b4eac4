#pragma once

#include <string>

namespace kv {
// Opens the address in the user's web browser; false when that failed.
bool OpenWebPage(const std::string& address);
}  // namespace kv
