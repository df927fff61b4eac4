// The program's own ini layer. Settings, window placements, font lists, sign
// dimensions and language texts all go through it.
//
// File form: lines ending in CR LF; "[Name]" headers matched whole and with
// case; a key is the text before the first "="; lines starting with ";" are
// comments; string values are written in double quotes. An absent section or
// key reads as "0".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kv {

// Shared reader state. IniGetValue can hold one file open between calls so
// that a run of reads of one section makes one pass over the file.
struct IniReaderState {
    std::string LastLine;        // last line read by the section search
    int32_t SectionPos = 0;      // position after the header last found; 0 = not found
    int16_t FileNo = 0;          // file held open by IniGetValue; 0 none, -1 failed open
    int16_t SectionFound = 0;    // -1 once the header was read
    std::string OpenSection;     // section last searched by IniGetValueOpen
    int32_t OpenSectionPos = 0;  // position after that header, or length + 1
};
extern IniReaderState gIniState;
void ResetIniState();  // closes a held file too

// A value for the writers: strings are written in double quotes, numbers
// as their digits.
struct IniValue {
    bool isString;
    std::string text;
    IniValue(const std::string& s) : isString(true), text(s) {}
    IniValue(const char* s) : isString(true), text(s) {}
    IniValue(int v) : isString(false), text(std::to_string(v)) {}
    IniValue(long v) : isString(false), text(std::to_string(v)) {}
    IniValue(long long v) : isString(false), text(std::to_string(v)) {}
    IniValue(double v);
    std::string Written() const { return isString ? "\"" + text + "\"" : text; }
};

// Opens a file on the next free number: for writing when mode is 1, for
// reading otherwise. Returns -1 on any failure; never reports.
int16_t OpenFileNo(const std::string& fileName, int16_t mode);

// Reading modes of IniGetValue.
enum : int16_t {
    kIniOnce = 0,        // open, search from the start, close
    kIniContinue = 1,    // keep the held file, continue the key search
    kIniOpenKeep = 2,    // open afresh, search from the start, keep open
    kIniContinueClose = 3,
    kIniOpenClose = 4,
};

// The key's value with every double quote removed, or "0"; a value ends at a
// NUL byte. A file that cannot be opened raises FileNotFound ("<file> not
// found!").
std::string IniGetValue(const std::string& fileName, const std::string& section, const std::string& key,
                        int16_t mode = kIniOnce);
// Reads from a file the caller opened (and closes). A value ending in a double
// quote loses its first and last character; a value ends at a NUL byte.
std::string IniGetValueOpen(int16_t fileNo, const std::string& section, const std::string& key,
                            bool continueRun = false);
// Position just after the line "[section]", or the file's length + 1.
int32_t IniFindSection(int16_t fileNo, const std::string& section);
bool IsSectionLine(const std::string& line);
// 0 equal, 1 different, -2 absent (value "0" while a string was expected).
int16_t IniCompareValue(const std::string& fileName, const std::string& section, const std::string& key,
                        const IniValue& expected);

// Writers. Each rewrites the whole file through the safe writer; on any
// failure the file keeps its old contents and the failure is reported.
// They return true when the file holds the change (a file that held it
// already is not written again).
bool IniInsertKey(const std::string& fileName, const std::string& section, const std::string& key,
                  const IniValue& value);
bool IniSetValue(const std::string& fileName, const std::string& section, const std::string& key,
                 const IniValue& value);
// Replaces the body of the section by lines[0] .. lines[count] and one empty line.
bool IniReplaceSection(const std::string& fileName, const std::string& section,
                       const std::vector<std::string>& lines, int16_t count);

// S25 (" not found!" in English), also before the language texts are read.
std::string NotFoundText();
// The line that ends a message about a damaged settings file: the kivar.lib
// shipped with the program can be put in its place.
std::string SettingsFileAdvice();

// The two halves of a writer, for writers of their own: the lines of the
// file (a missing or unreadable file is reported with S25, false), and the
// lines written back through the safe writer, each ended by CR LF (a failure
// reported, false).
bool IniReadLinesForWriting(const std::string& fileName, std::vector<std::string>& lines);
bool IniStoreLines(const std::string& fileName, const std::vector<std::string>& lines);

}  // namespace kv
