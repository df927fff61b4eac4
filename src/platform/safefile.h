// The one way the program writes a file: the new contents go to a temporary
// file beside the target, are flushed to disk, and only then take the
// target's name. A failure at any step leaves the old file as it was.
#pragma once

#include <functional>
#include <string>

namespace kv {

enum class SafeWriteStage { Create, Write, Flush, Backup, Rename };

// Writes `bytes` to `path` (resolved without regard to case, so an existing
// file keeps the name it has on disk). When `backupPath` is not empty and the
// target exists, the old file becomes the backup just before the new file
// takes its name. Returns false and fills `error` on failure.
bool SafeWriteFile(const std::string& path, const std::string& bytes, std::string* error = nullptr,
                   const std::string& backupPath = {});

// Test hook: return true from it to make the writer fail at that stage.
using SafeWriteFault = std::function<bool(SafeWriteStage, const std::string& path)>;
void SetSafeWriteFault(SafeWriteFault fault);

}  // namespace kv
