// Numbered files in the classic style: a file is opened on a number and read
// by lines or bytes, with 1-based positions. Reading works on the whole file
// loaded at open. Output files collect their contents in memory and reach the
// disk at Close through the safe writer, so a file being written is never
// left half-done.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/safefile.h"

namespace kv {

enum class FileMode { Input, Output, Append, Binary };

// Opens `path` (resolved without regard to case, or, for a name the user
// chose in a file dialog, taken as written) on the next free number.
// Returns the number (1..511) or -1 when the open fails. Never reports.
int16_t FileOpen(const std::string& path, FileMode mode, NameLookup lookup = NameLookup::AnyCase);
bool FileIsOpen(int16_t fn);

// Reads one line: up to a carriage return (a line feed right after it is
// skipped) or a lone line feed. Returns false when the file has ended.
bool FileLineInput(int16_t fn, std::string& line);
// The lines of a text as FileLineInput reads them.
std::vector<std::string> SplitLines(const std::string& data);
bool FileEof(int16_t fn);
int64_t FileLof(int16_t fn);
// 1-based position of the next byte to read or write.
int64_t FileSeek(int16_t fn);
void FileSeekTo(int16_t fn, int64_t pos);
// Reads up to n bytes at the current position.
std::string FileGet(int16_t fn, size_t n);
// The whole contents (input or binary files).
const std::string& FileContents(int16_t fn);

// Writes text (plus CR LF when `newline`).
void FilePrint(int16_t fn, const std::string& text, bool newline = true);
// Writes bytes at the current position (binary) or at the end (output).
void FilePut(int16_t fn, const std::string& bytes);

// Closes the file. Output, append and changed binary files are written then;
// returns false (with the reason in `error`) when that fails.
bool FileClose(int16_t fn, std::string* error = nullptr);
// Closes the file without writing anything of it: an output file never
// reaches the disk, and an existing file keeps its old contents.
void FileDiscard(int16_t fn);
// Closes every open file.
void FileCloseAll();
int FileOpenCount();

}  // namespace kv
