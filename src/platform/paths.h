// File-system access for the rest of the program. Paths inside the program are
// Windows-1252 byte strings that may use "\" or "/" as separators; they are
// converted to the system's form only here. Names are looked up without regard
// to letter case (an exact match wins), so "KIVAR.LIB" finds "kivar.lib".
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace kv {

// "\" becomes "/".
std::string NativePath(const std::string& p);
// Joins a folder and a name with one separator; an empty folder gives the name.
std::string JoinPath(const std::string& dir, const std::string& name);
// Folder part of a path ("" when it has none) and the bare file name.
std::string DirName(const std::string& p);
std::string BaseName(const std::string& p);

// The path as it exists on disk, each component matched without regard to
// case (exact match first). Components that do not exist are kept as given.
std::string ResolvePath(const std::string& p);
std::filesystem::path FsPath(const std::string& p);   // resolved, system form
// The system form of the path as it is written, not looked up: for names the
// user chose in a file dialog, which are used exactly as chosen.
std::filesystem::path ExactFsPath(const std::string& p);
// A name of the system as the program holds it (Cp1252PathFromUtf8).
std::string FromFsPath(const std::filesystem::path& p);

// What tells one state of a file from another: the file (its device and
// number: a save that replaces it makes a new one), its size and the time
// of its last change. The path is taken as written; a link is followed.
struct FileStamp {
    uint64_t device = 0, inode = 0;
    int64_t size = -1, changed = 0;  // changed: nanoseconds
    bool operator==(const FileStamp&) const = default;
};
// False when there is no such file.
bool StampOfFile(const std::string& p, FileStamp& stamp);

bool FileExists(const std::string& p);
// The file name of the path (after its last "\" or "/") holds "*" or "?".
bool NameHasWildcard(const std::string& path);
bool DirExists(const std::string& p);
int64_t FileLength(const std::string& p);  // -1 when absent
// A file whose contents can be read to their end without waiting: a regular
// file (not a folder, pipe or device) outside the kernel's file systems (proc,
// sysfs and the like, whose files may block a reader or never end).
bool IsPlainFile(const std::string& p);
// The reason a chosen file is not read ("" for a plain file, or one that does
// not exist), naming the file.
std::string NotPlainFileReason(const std::string& p);
// False for a file that is not plain (nothing is opened) or cannot be read.
bool ReadWholeFile(const std::string& p, std::string& out);
bool RemoveFile(const std::string& p);
// Gives a file another name in the same file system; an existing file of the
// new name is not replaced. False with the system's reason in *error.
bool RenameFile(const std::string& from, const std::string& to, std::string* error = nullptr);
// Names in a folder that match a pattern with "*" and "?" (case-insensitive).
std::vector<std::string> ListDir(const std::string& dir, const std::string& pattern = "*");
bool MatchesWildcard(const std::string& name, const std::string& pattern);

// The folder of the running program. Tests set it.
std::string ProgramFolder();
void SetProgramFolder(const std::string& dir);
std::string CurrentDir();
bool SetCurrentDir(const std::string& dir);

}  // namespace kv
