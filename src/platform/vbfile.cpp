#include "platform/vbfile.h"

#include <algorithm>
#include <map>

#include "platform/paths.h"
#include "platform/reset.h"
#include "platform/safefile.h"

namespace kv {

namespace {
struct OpenFile {
    std::string path;
    FileMode mode;
    NameLookup lookup = NameLookup::AnyCase;
    std::string data;
    size_t pos = 0;  // 0-based
    bool dirty = false;
};
std::map<int16_t, OpenFile> gFiles;

OpenFile* Get(int16_t fn) {
    auto it = gFiles.find(fn);
    return it == gFiles.end() ? nullptr : &it->second;
}
const std::string kEmpty;

// Files left open are dropped without being written.
void ForgetOpenFiles() { gFiles.clear(); }
const ResetRegistrar kReset("numbered files", StateLayer::Platform, ForgetOpenFiles);
}  // namespace

int16_t FileOpen(const std::string& path, FileMode mode, NameLookup lookup) {
    if (path.empty()) return -1;
    int16_t fn = 1;
    while (gFiles.count(fn)) ++fn;
    if (fn > 511) return -1;
    OpenFile f;
    f.path = lookup == NameLookup::Exact ? NativePath(path) : ResolvePath(path);
    f.mode = mode;
    f.lookup = lookup;
    if (mode == FileMode::Input) {
        if (DirExists(f.path) || !ReadWholeFile(f.path, f.data)) return -1;
    } else {
        // The folder must exist and the name must not be a folder.
        const std::string dir = DirName(f.path);
        if (DirExists(f.path) || (!dir.empty() && !DirExists(dir))) return -1;
        const bool exists = FileExists(f.path);
        if (mode != FileMode::Output && exists && !ReadWholeFile(f.path, f.data)) return -1;
        if (mode == FileMode::Append) f.pos = f.data.size();
        // Output and append files are written at close, binary files when
        // new or changed.
        f.dirty = mode != FileMode::Binary || !exists;
    }
    gFiles[fn] = std::move(f);
    return fn;
}

bool FileIsOpen(int16_t fn) { return Get(fn) != nullptr; }

namespace {
// The line of d that starts at pos; pos moves past its end.
bool NextLine(const std::string& d, size_t& pos, std::string& line) {
    line.clear();
    if (pos >= d.size()) return false;
    size_t i = pos;
    while (i < d.size() && d[i] != '\r' && d[i] != '\n') ++i;
    line.assign(d, pos, i - pos);
    if (i < d.size()) {
        if (d[i] == '\r' && i + 1 < d.size() && d[i + 1] == '\n') i += 2;
        else ++i;
    }
    pos = i;
    return true;
}
}  // namespace

std::vector<std::string> SplitLines(const std::string& data) {
    std::vector<std::string> lines;
    size_t pos = 0;
    std::string line;
    while (NextLine(data, pos, line)) lines.push_back(line);
    return lines;
}

bool FileLineInput(int16_t fn, std::string& line) {
    auto* f = Get(fn);
    if (!f) {
        line.clear();
        return false;
    }
    return NextLine(f->data, f->pos, line);
}

bool FileEof(int16_t fn) { auto* f = Get(fn); return !f || f->pos >= f->data.size(); }
int64_t FileLof(int16_t fn) { auto* f = Get(fn); return f ? static_cast<int64_t>(f->data.size()) : 0; }
int64_t FileSeek(int16_t fn) { auto* f = Get(fn); return f ? static_cast<int64_t>(f->pos) + 1 : 0; }

void FileSeekTo(int16_t fn, int64_t pos) {
    auto* f = Get(fn);
    if (!f) return;
    f->pos = pos < 1 ? 0 : static_cast<size_t>(pos - 1);
}

std::string FileGet(int16_t fn, size_t n) {
    auto* f = Get(fn);
    if (!f || f->pos >= f->data.size()) return {};
    std::string r = f->data.substr(f->pos, n);
    f->pos += r.size();
    return r;
}

const std::string& FileContents(int16_t fn) { auto* f = Get(fn); return f ? f->data : kEmpty; }

void FilePut(int16_t fn, const std::string& bytes) {
    auto* f = Get(fn);
    if (!f || f->mode == FileMode::Input) return;
    if (f->mode != FileMode::Binary) f->pos = f->data.size();
    if (f->pos > f->data.size()) f->data.resize(f->pos, '\0');
    size_t over = std::min(bytes.size(), f->data.size() - f->pos);
    f->data.replace(f->pos, over, bytes.substr(0, over));
    f->data.append(bytes, over, std::string::npos);
    f->pos += bytes.size();
    f->dirty = true;
}

void FilePrint(int16_t fn, const std::string& text, bool newline) {
    FilePut(fn, newline ? text + "\r\n" : text);
}

bool FileClose(int16_t fn, std::string* error) {
    auto it = gFiles.find(fn);
    if (it == gFiles.end()) return true;
    OpenFile f = std::move(it->second);
    gFiles.erase(it);
    if (f.mode == FileMode::Input || !f.dirty) return true;
    return SafeWriteFile(f.path, f.data, error, {}, f.lookup);
}

void FileDiscard(int16_t fn) { gFiles.erase(fn); }

void FileCloseAll() {
    while (!gFiles.empty()) FileClose(gFiles.begin()->first);
}

int FileOpenCount() { return static_cast<int>(gFiles.size()); }

}  // namespace kv
