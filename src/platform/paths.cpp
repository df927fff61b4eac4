#include "platform/paths.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#include <sys/stat.h>
#include <sys/statfs.h>

#include "platform/cp1252.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace fs = std::filesystem;

namespace kv {

namespace {
std::string gProgramFolder;
// Found again from the running program on its next use.
const ResetRegistrar kReset("program folder", StateLayer::Platform, [] { gProgramFolder.clear(); });
}

std::string NativePath(const std::string& p) {
    std::string r = p;
    for (char& c : r)
        if (c == '\\') c = '/';
    return r;
}

std::string JoinPath(const std::string& dir, const std::string& name) {
    if (dir.empty()) return NativePath(name);
    std::string d = NativePath(dir);
    std::string n = NativePath(name);
    while (!n.empty() && n[0] == '/') n.erase(0, 1);
    if (d.back() != '/') d += '/';
    return d + n;
}

std::string DirName(const std::string& p) {
    std::string n = NativePath(p);
    size_t k = n.rfind('/');
    if (k == std::string::npos) return {};
    if (k == 0) return "/";
    return n.substr(0, k);
}

std::string BaseName(const std::string& p) {
    std::string n = NativePath(p);
    size_t k = n.rfind('/');
    return k == std::string::npos ? n : n.substr(k + 1);
}

std::string FromFsPath(const fs::path& p) { return Cp1252PathFromUtf8(p.string()); }

namespace {
fs::path Raw(const std::string& p) { return fs::path(Utf8From1252(NativePath(p))); }
}  // namespace

std::string ResolvePath(const std::string& p) {
    std::string n = NativePath(p);
    if (n.empty()) return n;
    std::error_code ec;
    if (fs::exists(Raw(n), ec)) return n;
    // Walk component by component.
    std::string cur;
    size_t i = 0;
    if (n[0] == '/') { cur = "/"; i = 1; }
    std::vector<std::string> parts;
    {
        std::string part;
        for (; i <= n.size(); ++i) {
            if (i == n.size() || n[i] == '/') {
                parts.push_back(part);
                part.clear();
            } else {
                part += n[i];
            }
        }
    }
    bool lost = false;
    for (size_t k = 0; k < parts.size(); ++k) {
        const std::string& part = parts[k];
        std::string next;
        if (part.empty() || part == "." || part == "..") {
            next = part;
        } else if (!lost) {
            std::string base = cur.empty() ? "." : cur;
            std::string exact = cur.empty() ? part : (cur.back() == '/' ? cur + part : cur + "/" + part);
            if (fs::exists(Raw(exact), ec)) {
                next = part;
            } else {
                std::string found;
                for (auto it = fs::directory_iterator(Raw(base), ec); !ec && it != fs::directory_iterator();
                     it.increment(ec)) {
                    std::string name = FromFsPath(it->path().filename());
                    if (EqualsNoCase(name, part)) { found = name; break; }
                }
                if (found.empty()) { next = part; lost = true; }
                else next = found;
            }
        } else {
            next = part;
        }
        if (k == 0 && cur.empty()) cur = next;
        else if (!cur.empty() && cur.back() == '/') cur += next;
        else cur += "/" + next;
    }
    return cur;
}

fs::path FsPath(const std::string& p) { return Raw(ResolvePath(p)); }

fs::path ExactFsPath(const std::string& p) { return Raw(p); }

bool StampOfFile(const std::string& p, FileStamp& stamp) {
    struct stat st {};
    if (p.empty() || ::stat(Raw(p).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    stamp.device = static_cast<uint64_t>(st.st_dev);
    stamp.inode = static_cast<uint64_t>(st.st_ino);
    stamp.size = static_cast<int64_t>(st.st_size);
    stamp.changed = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return true;
}

bool NameHasWildcard(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return path.find_first_of("*?", slash == std::string::npos ? 0 : slash + 1) != std::string::npos;
}

bool FileExists(const std::string& p) {
    std::error_code ec;
    return !p.empty() && fs::is_regular_file(FsPath(p), ec);
}

bool DirExists(const std::string& p) {
    std::error_code ec;
    return !p.empty() && fs::is_directory(FsPath(p), ec);
}

int64_t FileLength(const std::string& p) {
    std::error_code ec;
    auto n = fs::file_size(FsPath(p), ec);
    return ec ? -1 : static_cast<int64_t>(n);
}

namespace {

// File systems whose files are made by the kernel as they are read.
bool OnKernelFileSystem(const std::string& native) {
    struct statfs fs {};
    if (statfs(native.c_str(), &fs) != 0) return false;
    switch (static_cast<unsigned long>(fs.f_type)) {
        case 0x9fa0UL:      // proc
        case 0x62656572UL:  // sysfs
        case 0x64626720UL:  // debugfs
        case 0x74726163UL:  // tracefs
        case 0x73636673UL:  // securityfs
        case 0x27e0ebUL:    // cgroup
        case 0x63677270UL:  // cgroup2
        case 0x62656570UL:  // configfs
        case 0xcafe4a11UL:  // bpf
        case 0x1cd1UL:      // devpts
        case 0xde5e81e4UL:  // efivarfs
        case 0x6e736673UL:  // nsfs
        case 0x50495045UL:  // pipefs
            return true;
        default:
            return false;
    }
}

}  // namespace

bool IsPlainFile(const std::string& p) {
    if (p.empty()) return false;
    const std::string native = FsPath(p).string();
    struct stat st {};
    if (stat(native.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    return !OnKernelFileSystem(native);
}

std::string NotPlainFileReason(const std::string& p) {
    std::error_code ec;
    if (p.empty() || !fs::exists(FsPath(p), ec) || IsPlainFile(p)) return {};
    if (DirExists(p)) return p + "\r\nis a folder, not a file.";
    return p + "\r\nis not an ordinary file (a device, a pipe or a file of the system's kernel): it is neither read nor written.";
}

bool ReadWholeFile(const std::string& p, std::string& out) {
    // A pipe or a device would hold the program in the open or the read.
    if (!IsPlainFile(p)) return false;
    std::ifstream f(FsPath(p), std::ios::binary);
    if (!f) return false;
    // Read straight into the string, sized from the file; a file that grows
    // meanwhile is read on to its end.
    f.seekg(0, std::ios::end);
    std::streamoff size = f.tellg();
    f.seekg(0, std::ios::beg);
    std::string data;
    if (size > 0) {
        data.resize(static_cast<size_t>(size));
        f.read(data.data(), size);
        data.resize(static_cast<size_t>(f.gcount()));
    }
    char buf[65536];
    while (f.read(buf, sizeof buf) || f.gcount() > 0) data.append(buf, static_cast<size_t>(f.gcount()));
    if (f.bad()) return false;
    out = std::move(data);
    return true;
}

bool RemoveFile(const std::string& p) {
    std::error_code ec;
    return fs::remove(FsPath(p), ec) && !ec;
}

bool RenameFile(const std::string& from, const std::string& to, std::string* error) {
    std::error_code ec;
    const fs::path target = FsPath(to);
    if (fs::exists(fs::symlink_status(target, ec))) ec = std::make_error_code(std::errc::file_exists);
    else fs::rename(FsPath(from), target, ec);
    if (!ec) return true;
    if (error) *error = ec.message();
    return false;
}

bool MatchesWildcard(const std::string& name, const std::string& pattern) {
    // Iterative glob with backtracking on "*".
    size_t n = 0, p = 0, star = std::string::npos, mark = 0;
    auto same = [](char a, char b) { return EqualsNoCase(std::string(1, a), std::string(1, b)); };
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || same(pattern[p], name[n]))) { ++n; ++p; }
        else if (p < pattern.size() && pattern[p] == '*') { star = p++; mark = n; }
        else if (star != std::string::npos) { p = star + 1; n = ++mark; }
        else return false;
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

std::vector<std::string> ListDir(const std::string& dir, const std::string& pattern) {
    std::vector<std::string> out;
    std::error_code ec;
    for (auto it = fs::directory_iterator(FsPath(dir.empty() ? "." : dir), ec); !ec && it != fs::directory_iterator();
         it.increment(ec)) {
        std::string name = FromFsPath(it->path().filename());
        if (MatchesWildcard(name, pattern)) out.push_back(name);
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::string ProgramFolder() {
    if (gProgramFolder.empty()) {
        std::error_code ec;
        fs::path exe = fs::read_symlink("/proc/self/exe", ec);
        gProgramFolder = ec ? CurrentDir() : FromFsPath(exe.parent_path());
    }
    return gProgramFolder;
}

void SetProgramFolder(const std::string& dir) { gProgramFolder = dir; }

std::string CurrentDir() {
    std::error_code ec;
    return FromFsPath(fs::current_path(ec));
}

bool SetCurrentDir(const std::string& dir) {
    std::error_code ec;
    fs::current_path(FsPath(dir), ec);
    return !ec;
}

}  // namespace kv
