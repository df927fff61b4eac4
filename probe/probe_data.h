// What several probe commands share: a data folder taken as the program's
// start takes it, a project read without the template fallback, and texts
// shown in double quotes.
#pragma once

#include <string>
#include <vector>

namespace probe {

// The settings, the English texts, the font folder and the fonts per sign
// height of a data folder.
void LoadDataSettings(const std::string& dir);
// The same and the font library Fonts/kstndrd.bib, measured as the editor
// measures it; false when the library cannot be read.
bool LoadDataFonts(const std::string& dir);
// Empties the lists and reads a project file without the template
// fallback; false (an unreadable file said on stderr) when it is unreadable
// or damaged.
bool ReadProject(const std::string& path);
// The lines of a text file as the program reads them; false (said on
// stderr) when the file cannot be opened.
bool ReadLines(const std::string& path, std::vector<std::string>& lines);
// A text in double quotes; bytes outside 32..126 and the quote as \xHH, and
// the backslash too when escapeBackslash is set.
std::string Quoted(const std::string& s, bool escapeBackslash);

}  // namespace probe
