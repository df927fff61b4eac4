// The four most recently opened or saved project files, kept in kfiles.txt
// beside the program (one path a line, newest first) and shown as the
// entries mnuArkivFile1..4 of the main window's File menu.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kv {

struct RecentFile {
    std::string Path;
    int16_t Order = 0;  // 1 = newest
};

constexpr int kRecentFileSlots = 4;
// Positions 1..4 are indexes 0..3; after every change position i holds order i.
extern std::array<RecentFile, kRecentFileSlots> gRecentFiles;
extern int16_t gRecentFileCount;

// kfiles.txt in the program folder.
std::string RecentFilesPath();

// LoadRecentFiles, then ShowRecentFiles (at start).
void InitRecentFiles();
// Reads up to four non-empty (trimmed) lines; true when at least one was read.
bool LoadRecentFiles();
// Puts a path first: a path already listed (letter case ignored, unless the
// two names are two files on disk) moves to the top in its listed form; a
// new one pushes the oldest out of a full list. Then shows and saves the
// list. Names the code page lacks characters of are kept as the program
// holds them (Cp1252PathFromUtf8) and read back unchanged.
void AddRecentFile(const std::string& path);
// Hands the entries to the main window's menu: "&1  path" .. "&4  path",
// the separator shown while there is any.
void ShowRecentFiles();
// Brings the entries into order 1..count.
void SortRecentFiles();
// Rewrites kfiles.txt with positions 1..4 (empty positions as empty lines).
bool SaveRecentFiles();

void ResetRecentFiles();

}  // namespace kv
