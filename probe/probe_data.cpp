#include "probe_data.h"

#include <cstdio>

#include "data/charmap.h"
#include "data/language.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/editorview.h"
#include "engine/fontlib.h"
#include "files/txlread.h"
#include "platform/paths.h"
#include "platform/vbfile.h"

namespace probe {

void LoadDataSettings(const std::string& dir) {
    kv::gDataPath = dir;
    kv::gSettingsFile = kv::JoinPath(dir, "kivar.lib");
    kv::gLanguageFile = kv::JoinPath(dir, "English.lng");
    kv::gLanguage = "English";
    kv::LoadLanguageTexts();
    kv::gFontPath = kv::JoinPath(dir, "Fonts") + "/";
    kv::ReadSignFontSection();
}

bool LoadDataFonts(const std::string& dir) {
    LoadDataSettings(dir);
    kv::ResetFontLibrary();
    if (!kv::LoadFontLibraryFile(kv::JoinPath(kv::JoinPath(dir, "Fonts"), "kstndrd.bib"))) return false;
    kv::BuildFontStartTable();
    kv::BuildCharDeltaTable();
    kv::InstallEditorFontHooks();
    return true;
}

bool ReadProject(const std::string& path) {
    kv::ClearRecordsAndLines();
    kv::gCurrentSign = 0;
    kv::TxlReadResult result = kv::TxlReadResult::Read;
    if (kv::ReadTxlFile(path, result) != 0) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return false;
    }
    return result == kv::TxlReadResult::Read;
}

bool ReadLines(const std::string& path, std::vector<std::string>& lines) {
    const int16_t fn = kv::FileOpen(path, kv::FileMode::Input);
    if (fn < 0) {
        std::fprintf(stderr, "%s not found!\n", path.c_str());
        return false;
    }
    std::string line;
    while (kv::FileLineInput(fn, line)) lines.push_back(line);
    kv::FileClose(fn);
    return true;
}

std::string Quoted(const std::string& s, bool escapeBackslash) {
    static const char* d = "0123456789abcdef";
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c >= 32 && c < 127 && c != '"' && !(escapeBackslash && c == '\\')) {
            out += static_cast<char>(c);
        } else {
            out += "\\x";
            out += d[c >> 4];
            out += d[c & 15];
        }
    }
    return out + "\"";
}

}  // namespace probe
