// The one way the program writes a file. The target's name is on a complete
// file at every instant, whatever stops the program: the new contents go to
// a temporary file of a name of its own beside the target, are synced to the
// disk, and take the target's name in one rename, after which the folder is
// synced too. A backup of the old file is made beside it (a hard link, or a
// copy where the file system has none) before that rename; the target is
// never moved away. The new file keeps the old one's permissions. A
// temporary file left by an earlier crash is removed by the next save of
// the same target; its name fits wherever the target's does (a long name is
// shortened in it). A failure at any step leaves the old file as it was.
//
// The contents can be given whole, or streamed in pieces by a function that
// writes them into a SafeFileOut; either way they only reach the target's
// name once they are complete and synced.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace kv {

// Link: the backup's hard link (a failure there makes the writer copy).
enum class SafeWriteStage { Create, Write, Flush, Backup, Rename, Link };

// How the name of the file written is found: without regard to case (the
// program's own files and names stored in settings and projects: an
// existing file keeps the name it has on disk), or exactly as written (a
// name the user chose in a file dialog, and the open project's, which is
// the name found on disk when it was opened).
enum class NameLookup { AnyCase, Exact };

// Writes `bytes` to `path`. A symbolic link stays: the file it leads to is
// written. A file that is write-protected (no one may write it, or this
// user may not) is not replaced: the writer says so and leaves it. When
// `backupPath` is not empty and the target exists, the backup (found in the
// same way as the target) takes the old contents just before the new file
// takes the target's name. Returns false and puts the reason in `error` on
// failure (the caller names the file: FileMessage in platform/error.h).
bool SafeWriteFile(const std::string& path, const std::string& bytes, std::string* error = nullptr,
                   const std::string& backupPath = {}, NameLookup lookup = NameLookup::AnyCase);
// The reason the writer gives for a write-protected file.
const std::string& WriteProtectedReason();

// The temporary file a streamed save writes into. Write hands each piece to
// the file at once (the caller keeps its own buffer); a piece that cannot be
// written ends the save, which then returns false with the reason.
class SafeFileOut {
public:
    void Write(std::string_view piece);

private:
    friend bool SafeWriteFile(const std::string&, const std::function<void(SafeFileOut&)>&, std::string*,
                              const std::string&, NameLookup);
    explicit SafeFileOut(int fd, std::string target) : fd_(fd), target_(std::move(target)) {}
    int fd_;
    std::string target_;
};

// The same with the contents streamed: `contents` writes them piece by piece.
// An exception it throws ends the save as a failure does (nothing reaches the
// target, no temporary file stays) and goes on to the caller.
bool SafeWriteFile(const std::string& path, const std::function<void(SafeFileOut&)>& contents,
                   std::string* error = nullptr, const std::string& backupPath = {},
                   NameLookup lookup = NameLookup::AnyCase);

// Test hook: return true from it to make the writer fail at that stage
// (Write: asked before every piece).
using SafeWriteFault = std::function<bool(SafeWriteStage, const std::string& path)>;
void SetSafeWriteFault(SafeWriteFault fault);

}  // namespace kv
