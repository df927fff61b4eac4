#include "data/ini.h"

#include <set>

#include "data/language.h"
#include "platform/paths.h"
#include "platform/reset.h"
#include "platform/safefile.h"
#include "platform/error.h"
#include "platform/host.h"
#include "platform/vb.h"
#include "platform/vbfile.h"

namespace kv {

IniReaderState gIniState;

IniValue::IniValue(double v) : isString(false), text(CStr(v)) {}

// The settings files found write-protected in this session: said once each
// (the window placements are written at every close of a dialog).
std::set<std::string> gProtectedSettingsSaid;

void ResetIniState() {
    if (gIniState.FileNo > 0) FileClose(gIniState.FileNo);
    gIniState = IniReaderState{};
    gProtectedSettingsSaid.clear();
}

namespace {
const ResetRegistrar kReset("ini reader", StateLayer::Data, ResetIniState);
}  // namespace

int16_t OpenFileNo(const std::string& fileName, int16_t mode) {
    return FileOpen(fileName, mode == 1 ? FileMode::Output : FileMode::Input);
}

namespace {

bool StartsWith(const std::string& s, char c) { return !s.empty() && s[0] == c; }

// Key of a key line, or false for lines without "=" and comments.
bool KeyOf(const std::string& line, std::string& key) {
    size_t eq = line.find('=');
    if (eq == std::string::npos || StartsWith(line, ';')) return false;
    key = line.substr(0, eq);
    return true;
}

// A value up to its first NUL byte. No setting holds one; the NUL bytes a
// file damaged by a crash carries are not part of the value before them.
std::string UpToNul(std::string value) {
    const size_t nul = value.find('\0');
    if (nul != std::string::npos) value.resize(nul);
    return value;
}

// Reads on from the file's position until the key's line, a header or the
// end; true with the key's line in `line`.
bool ScanToKey(int16_t fn, const std::string& key, std::string& line) {
    line = " ";
    std::string found;
    while (!StartsWith(line, '[') && found != key && !FileEof(fn)) {
        FileLineInput(fn, line);
        if (!KeyOf(line, found)) found.clear();
    }
    return found == key;
}

}  // namespace

std::string IniGetValue(const std::string& fileName, const std::string& section, const std::string& key,
                        int16_t mode) {
    IniReaderState& st = gIniState;
    const std::string header = "[" + section + "]";
    std::string result = "0";
    const bool fresh = mode == kIniOnce || mode == kIniOpenKeep || mode == kIniOpenClose;
    if (fresh || st.FileNo == 0) {
        // A run left open by a caller is closed before the file is opened afresh.
        if (st.FileNo > 0) FileClose(st.FileNo);
        st.FileNo = OpenFileNo(fileName, 0);
        st.LastLine.clear();
    }
    if (st.FileNo == -1) {
        st.FileNo = 0;
        throw FileNotFound(fileName);
    }
    const int16_t fn = st.FileNo;
    if (header != st.LastLine) {
        st.SectionFound = kFalse;
        st.SectionPos = 0;
        FileSeekTo(fn, 1);
        std::string line;
        while (FileLineInput(fn, line)) {
            st.LastLine = line;
            if (line == header) {
                st.SectionFound = kTrue;
                st.SectionPos = static_cast<int32_t>(FileSeek(fn));
                break;
            }
        }
    }
    if (st.SectionPos != 0) {
        if (fresh) FileSeekTo(fn, st.SectionPos);
        std::string current;
        if (ScanToKey(fn, key, current)) {
            size_t eq = current.find('=');
            if (eq != std::string::npos) result = RemoveString(UpToNul(current.substr(eq + 1)), "\"");
        }
    }
    if (mode == kIniOnce || mode == kIniContinueClose || mode == kIniOpenClose) {
        FileClose(fn);
        st.FileNo = 0;
    }
    return result;
}

bool IsSectionLine(const std::string& line) {
    return !line.empty() && line.front() == '[' && line.back() == ']';
}

int32_t IniFindSection(int16_t fileNo, const std::string& section) {
    FileSeekTo(fileNo, 1);
    std::string line;
    while (FileLineInput(fileNo, line)) {
        if (!IsSectionLine(line)) continue;
        if (FileEof(fileNo)) break;
        if (line.substr(1, line.size() - 2) == section) return static_cast<int32_t>(FileSeek(fileNo));
    }
    return static_cast<int32_t>(FileLof(fileNo) + 1);
}

std::string IniGetValueOpen(int16_t fileNo, const std::string& section, const std::string& key, bool continueRun) {
    IniReaderState& st = gIniState;
    if (!(continueRun && section == st.OpenSection)) {
        st.OpenSectionPos = IniFindSection(fileNo, section);
        st.OpenSection = section;
    }
    std::string value = "0";
    if (st.OpenSectionPos <= FileLof(fileNo)) {
        if (!continueRun) FileSeekTo(fileNo, st.OpenSectionPos);
        std::string current;
        if (ScanToKey(fileNo, key, current)) {
            size_t eq = current.find('=');
            std::string v = UpToNul(current.substr(eq + 1));
            if (!v.empty() && v.back() == '"') v = v.size() >= 2 ? v.substr(1, v.size() - 2) : std::string();
            value = v;
        }
    }
    return value;
}

int16_t IniCompareValue(const std::string& fileName, const std::string& section, const std::string& key,
                        const IniValue& expected) {
    std::string v = IniGetValue(fileName, section, key, kIniOpenClose);
    if (v == "0" && expected.isString) return -2;
    return expected.text == v ? 0 : 1;
}

namespace {

bool IsSettingsFile(const std::string& fileName) {
    return !gSettingsFile.empty() && ResolvePath(NativePath(fileName)) == ResolvePath(NativePath(gSettingsFile));
}

void SectionMissing(const std::string& fileName, const std::string& header) {
    MsgBox(FileMessage(fileName, header + NotFoundText()) + (IsSettingsFile(fileName) ? SettingsFileAdvice() : ""),
           vbCritical);
}

}  // namespace

std::string NotFoundText() { return gTextS25.size() < 2 ? std::string(" not found!") : gTextS25; }

std::string SettingsFileAdvice() {
    return "\rThe settings file is damaged. The settings file kivar.lib shipped with the program can be put in its "
           "place (the program's own settings then start anew).";
}

bool IniReadLinesForWriting(const std::string& fileName, std::vector<std::string>& lines) {
    std::string data;
    if (!FileExists(fileName) || !ReadWholeFile(fileName, data)) {
        MsgBox(fileName + NotFoundText(), vbCritical);
        return false;
    }
    lines = SplitLines(data);
    return true;
}

bool IniStoreLines(const std::string& fileName, const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += l + "\r\n";
    // A file that holds these lines already is not written again (a
    // write-protected settings file is then no reason for a message).
    if (std::string now; ReadWholeFile(fileName, now) && now == out) return true;
    std::string err;
    if (!SafeWriteFile(fileName, out, &err)) {
        const bool saidBefore = err == WriteProtectedReason() && !gProtectedSettingsSaid.insert(ResolvePath(fileName)).second;
        if (!saidBefore) MsgBox(FileMessage(fileName, err), vbCritical);
        return false;
    }
    return true;
}

bool IniInsertKey(const std::string& fileName, const std::string& section, const std::string& key,
                  const IniValue& value) {
    const std::string header = "[" + section + "]";
    std::vector<std::string> in;
    if (!IniReadLinesForWriting(fileName, in)) return false;
    std::vector<std::string> out;
    out.reserve(in.size() + 1);
    bool done = false;
    for (const auto& line : in) {
        out.push_back(line);
        if (!done && line == header) {
            out.push_back(key + "=" + value.Written());
            done = true;
        }
    }
    if (!done) {
        SectionMissing(fileName, header);
        return false;
    }
    return IniStoreLines(fileName, out);
}

bool IniSetValue(const std::string& fileName, const std::string& section, const std::string& key,
                 const IniValue& value) {
    const std::string header = "[" + section + "]";
    std::vector<std::string> in;
    if (!IniReadLinesForWriting(fileName, in)) return false;
    std::vector<std::string> out;
    out.reserve(in.size() + 1);
    const std::string keyLine = key + "=" + value.Written();
    bool sectionFound = false, open = false, done = false;
    for (const auto& line : in) {
        if (open && !done) {
            size_t eq = line.find('=');
            if (eq != std::string::npos) {
                if (line.substr(0, eq) == key) {
                    out.push_back(keyLine);
                    done = true;
                    continue;
                }
            } else {
                out.push_back(keyLine);
                done = true;
            }
        }
        out.push_back(line);
        if (!sectionFound && line == header) sectionFound = open = true;
    }
    if (!sectionFound) {
        SectionMissing(fileName, header);
        return false;
    }
    // A section that runs to the end of the file gets the key at its end.
    if (!done) out.push_back(keyLine);
    return IniStoreLines(fileName, out);
}

bool IniReplaceSection(const std::string& fileName, const std::string& section,
                       const std::vector<std::string>& lines, int16_t count) {
    const std::string header = "[" + section + "]";
    std::vector<std::string> in;
    if (!IniReadLinesForWriting(fileName, in)) return false;
    std::vector<std::string> out;
    bool found = false;
    for (size_t i = 0; i < in.size(); ++i) {
        out.push_back(in[i]);
        if (in[i] != header) continue;
        found = true;
        for (int k = 0; k <= count && k < static_cast<int>(lines.size()); ++k) out.push_back(lines[static_cast<size_t>(k)]);
        out.emplace_back();
        // Drop the old body up to the next header.
        size_t j = i + 1;
        while (j < in.size() && !(StartsWith(in[j], '[') && in[j].find(']') != std::string::npos)) ++j;
        i = j - 1;  // the header (if any) is copied by the loop
    }
    if (!found) {
        SectionMissing(fileName, header);
        return false;
    }
    return IniStoreLines(fileName, out);
}

}  // namespace kv
