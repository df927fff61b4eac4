#include "platform/safefile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "platform/paths.h"
#include "platform/reset.h"

namespace kv {

namespace {
SafeWriteFault gFault;
const ResetRegistrar kReset("safe writer faults", StateLayer::Platform, [] { gFault = nullptr; });

constexpr const char* kTempSuffix = ".kvtmp";
constexpr int kTempSuffixLength = 6;  // strlen(kTempSuffix)
constexpr const char* kUniquePart = "XXXXXX";
constexpr const char* kWriteProtected = "The file is write-protected; it was left as it is.";

bool Fault(SafeWriteStage s, const std::string& p) {
    if (gFault && gFault(s, p)) {
        errno = EIO;
        return true;
    }
    return false;
}

std::string Reason() { return std::strerror(errno ? errno : EIO); }

// A piece that could not be written: ends a streamed save from inside the
// caller's function.
struct WriteFailed {
    int error;
};

// The start of the temporary names beside a file: the file's own name,
// shortened (at a character's start) where it and the temporary part would
// not fit in a name of its folder.
std::string TempStem(const std::string& fileFs) {
    const std::filesystem::path file(fileFs);
    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
    std::string name = file.filename().string();
    long longest = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    if (longest <= 0) longest = 255;
    const size_t added = 1 + std::strlen(kUniquePart) + kTempSuffixLength;
    const size_t room = static_cast<size_t>(longest) > added ? static_cast<size_t>(longest) - added : 1;
    if (name.size() > room) {
        size_t cut = room;
        while (cut > 1 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
        name.resize(cut);
    }
    return (folder / name).string();
}

// A new file "<stem>.XXXXXX.kvtmp" beside `fileFs` (TempStem), open for
// writing. -1 (errno set) when it cannot be made.
int CreateTemp(const std::string& fileFs, std::string& tempFs) {
    std::string name = TempStem(fileFs) + "." + kUniquePart + kTempSuffix;
    const int fd = ::mkostemps(name.data(), kTempSuffixLength, O_CLOEXEC);
    if (fd >= 0) tempFs = name;
    return fd;
}

bool WriteAll(int fd, const char* data, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// The permissions a new file gets: those of the file it replaces, else
// read and write for the owner and read for the others, less the umask.
mode_t ModeFor(const std::string& targetFs) {
    struct stat st {};
    if (::stat(targetFs.c_str(), &st) == 0) return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0644 & ~mask;
}

// Temporary files beside this file that an earlier save left when it was
// stopped: "<stem>.XXXXXX.kvtmp", and "<name>.kvtmp" of older versions.
void RemoveLeftovers(const std::string& targetFs) {
    namespace fs = std::filesystem;
    const fs::path target(targetFs);
    const std::string prefix = fs::path(TempStem(targetFs)).filename().string() + ".";
    std::error_code ec;
    fs::directory_iterator it(target.has_parent_path() ? target.parent_path() : fs::path("."), ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const bool unique = name.size() == prefix.size() + std::strlen(kUniquePart) + kTempSuffixLength &&
                            name.compare(0, prefix.size(), prefix) == 0 &&
                            name.compare(name.size() - kTempSuffixLength, kTempSuffixLength, kTempSuffix) == 0;
        if (unique || name == target.filename().string() + kTempSuffix) ::unlink(it->path().c_str());
    }
}

// A synced copy of the file at `fromFs`, with its permissions, as the new
// file `toFs`.
bool CopyFile(const std::string& fromFs, const std::string& toFs) {
    std::string bytes;
    if (!ReadWholeFile(FromFsPath(fromFs), bytes)) return false;
    const int fd = ::open(toFs.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    bool ok = ::fchmod(fd, ModeFor(fromFs)) == 0 && WriteAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
    if (::close(fd) != 0) ok = false;
    return ok;
}

// The old file under a second, temporary name beside its backup: a hard
// link, or a copy where that cannot be linked. The target keeps its name.
bool KeepOldFile(const std::string& targetFs, const std::string& backupFs, std::string& keptFs) {
    // A name of its own: made by the temporary file, taken over by the link.
    const int fd = CreateTemp(backupFs, keptFs);
    if (fd < 0) return false;
    ::close(fd);
    bool ok = ::unlink(keptFs.c_str()) == 0;
    if (ok && (Fault(SafeWriteStage::Link, FromFsPath(targetFs)) || ::link(targetFs.c_str(), keptFs.c_str()) != 0))
        ok = CopyFile(targetFs, keptFs);
    if (!ok) {
        const int saved = errno;
        ::unlink(keptFs.c_str());
        errno = saved;
        keptFs.clear();
    }
    return ok;
}

// The temporary files of one save, removed (and the open one closed) when
// the save ends without them having taken their names, also when it ends
// by an exception.
struct Temporaries {
    int fd = -1;
    std::string tempFs, keptFs;
    ~Temporaries() {
        const int saved = errno;
        if (fd >= 0) ::close(fd);
        if (!tempFs.empty()) ::unlink(tempFs.c_str());
        if (!keptFs.empty()) ::unlink(keptFs.c_str());
        errno = saved;
    }
};

// The file a save writes: the name, and when that is a symbolic link, the
// file it leads to (the link stays as it is). "" (errno set) for a link that
// leads round in a circle.
std::string FinalTarget(const std::filesystem::path& name) {
    namespace fs = std::filesystem;
    fs::path p = name;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return p.string();
        std::error_code ec;
        const fs::path next = fs::read_symlink(p, ec);
        if (ec) return p.string();
        p = next.is_absolute() ? next : p.parent_path() / next;
    }
    errno = ELOOP;
    return {};
}

// The file is there and may not be changed: no one may write it (the bits a
// read-only file has), or this user may not.
bool WriteProtected(const std::string& fileFs) {
    struct stat st {};
    if (::stat(fileFs.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return true;
    return ::access(fileFs.c_str(), W_OK) != 0 && errno == EACCES;
}

void SyncFolderOf(const std::string& fileFs) {
    const std::filesystem::path p(fileFs);
    const std::string dir = p.has_parent_path() ? p.parent_path().string() : ".";
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // some file systems cannot sync a folder; the rename stands
    ::close(fd);
}
}  // namespace

void SetSafeWriteFault(SafeWriteFault fault) { gFault = std::move(fault); }

void SafeFileOut::Write(std::string_view piece) {
    if (Fault(SafeWriteStage::Write, target_) || !WriteAll(fd_, piece.data(), piece.size()))
        throw WriteFailed{errno};
}

const std::string& WriteProtectedReason() {
    static const std::string reason = kWriteProtected;
    return reason;
}

bool SafeWriteFile(const std::string& path, const std::string& bytes, std::string* error,
                   const std::string& backupPath, NameLookup lookup) {
    return SafeWriteFile(path, [&bytes](SafeFileOut& out) { out.Write(bytes); }, error, backupPath, lookup);
}

bool SafeWriteFile(const std::string& path, const std::function<void(SafeFileOut&)>& contents, std::string* error,
                   const std::string& backupPath, NameLookup lookup) {
    Temporaries t;
    auto fail = [&](const std::string& reason) {
        if (error) *error = reason;
        return false;
    };
    // No file of the program is named with a wildcard.
    if (NameHasWildcard(path)) return fail("Cannot write " + path + ": the name holds a wildcard");
    const auto systemName = [lookup](const std::string& name) {
        return lookup == NameLookup::Exact ? ExactFsPath(NativePath(name)) : FsPath(name);
    };
    const std::string target = lookup == NameLookup::Exact ? NativePath(path) : ResolvePath(path);
    errno = 0;
    const std::string targetFs = FinalTarget(systemName(path));
    if (targetFs.empty()) return fail(Reason());
    if (WriteProtected(targetFs)) return fail(kWriteProtected);

    // The backup's name, when there is an old file to keep (see below).
    std::string backupFs;
    struct stat old {};
    if (!backupPath.empty() && ::stat(targetFs.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        backupFs = systemName(backupPath).string();
        // A backup of the same name as the target would be the target itself.
        if (backupFs == targetFs) backupFs.clear();
    }
    // Long names can share their temporary names' start: the leftovers go
    // before this save makes its own.
    if (!backupFs.empty()) RemoveLeftovers(backupFs);
    RemoveLeftovers(targetFs);

    errno = 0;
    if (Fault(SafeWriteStage::Create, target)) return fail(Reason());
    t.fd = CreateTemp(targetFs, t.tempFs);
    if (t.fd < 0) return fail(Reason());
    if (::fchmod(t.fd, ModeFor(targetFs)) != 0) return fail(Reason());
    try {
        SafeFileOut out(t.fd, target);
        contents(out);
    } catch (const WriteFailed& e) {
        errno = e.error;
        return fail(Reason());
    }
    if (Fault(SafeWriteStage::Flush, target) || ::fsync(t.fd) != 0) return fail(Reason());
    const int fd = t.fd;
    t.fd = -1;
    if (::close(fd) != 0) return fail(Reason());

    // The backup: the old file kept under a second name before the new one
    // takes the target's name, and given the backup's name after that. At no
    // instant is the target's or the backup's name on a partial file.
    if (!backupFs.empty() && (Fault(SafeWriteStage::Backup, target) || !KeepOldFile(targetFs, backupFs, t.keptFs)))
        return fail("the backup " + FromFsPath(backupFs) + " cannot be made: " + Reason());

    if (Fault(SafeWriteStage::Rename, target) || ::rename(t.tempFs.c_str(), targetFs.c_str()) != 0)
        return fail(Reason());
    t.tempFs.clear();
    // The file is saved; a backup that cannot take its name leaves the older
    // backup as it was (and the kept file goes).
    if (!t.keptFs.empty() && ::rename(t.keptFs.c_str(), backupFs.c_str()) == 0) t.keptFs.clear();
    SyncFolderOf(targetFs);
    return true;
}

}  // namespace kv
