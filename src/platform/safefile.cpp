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

// A new file "<target>.XXXXXX.kvtmp" beside `targetFs`, open for writing.
// -1 (errno set) when it cannot be made.
int CreateTemp(const std::string& targetFs, std::string& tempFs) {
    std::string name = targetFs + "." + kUniquePart + kTempSuffix;
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

// Temporary files of this target that an earlier save left when it was
// stopped: "<name>.XXXXXX.kvtmp", and "<name>.kvtmp" of older versions.
void RemoveLeftovers(const std::string& targetFs) {
    namespace fs = std::filesystem;
    const fs::path target(targetFs);
    const std::string prefix = target.filename().string() + ".";
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

// The old file under a second, temporary name beside it: a hard link, or a
// copy where the file system has no links. The target keeps its name.
bool KeepOldFile(const std::string& targetFs, std::string& keptFs) {
    // A name of its own: made by the temporary file, taken over by the link.
    const int fd = CreateTemp(targetFs, keptFs);
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

bool SafeWriteFile(const std::string& path, const std::string& bytes, std::string* error,
                   const std::string& backupPath) {
    return SafeWriteFile(path, [&bytes](SafeFileOut& out) { out.Write(bytes); }, error, backupPath);
}

bool SafeWriteFile(const std::string& path, const std::function<void(SafeFileOut&)>& contents, std::string* error,
                   const std::string& backupPath) {
    Temporaries t;
    auto fail = [&](const std::string& reason) {
        if (error) *error = reason;
        return false;
    };
    // No file of the program is named with a wildcard.
    if (NameHasWildcard(path)) return fail("Cannot write " + path + ": the name holds a wildcard");
    const std::string target = ResolvePath(path);
    const std::string targetFs = FsPath(target).string();
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
    std::string backupFs;
    if (!backupPath.empty() && FileExists(target)) {
        backupFs = FsPath(ResolvePath(backupPath)).string();
        // A backup of the same name as the target would be the target itself.
        if (backupFs == targetFs) backupFs.clear();
    }
    if (!backupFs.empty() && (Fault(SafeWriteStage::Backup, target) || !KeepOldFile(targetFs, t.keptFs)))
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
