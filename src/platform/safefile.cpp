#include "platform/safefile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "platform/paths.h"
#include "platform/reset.h"

namespace kv {

namespace {
SafeWriteFault gFault;
const ResetRegistrar kReset("safe writer faults", StateLayer::Platform, [] { gFault = nullptr; });

bool Fault(SafeWriteStage s, const std::string& p) { return gFault && gFault(s, p); }

std::string SysError(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno ? errno : EIO);
}
}  // namespace

void SetSafeWriteFault(SafeWriteFault fault) { gFault = std::move(fault); }

bool SafeWriteFile(const std::string& path, const std::string& bytes, std::string* error,
                   const std::string& backupPath) {
    auto fail = [&](const std::string& msg) {
        if (error) *error = msg;
        return false;
    };
    const std::string target = ResolvePath(path);
    const std::string tmp = target + ".kvtmp";
    const std::string tmpFs = FsPath(tmp).string();
    const std::string targetFs = FsPath(target).string();

    errno = 0;
    if (Fault(SafeWriteStage::Create, target)) return fail("Cannot create " + tmp);
    int fd = ::open(tmpFs.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return fail(SysError("Cannot create", tmp));
    size_t done = 0;
    bool ok = true;
    if (Fault(SafeWriteStage::Write, target)) ok = false;
    while (ok && done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            ok = false;
        } else {
            done += static_cast<size_t>(n);
        }
    }
    if (!ok) {
        std::string msg = SysError("Cannot write", tmp);
        ::close(fd);
        ::unlink(tmpFs.c_str());
        return fail(msg);
    }
    if (Fault(SafeWriteStage::Flush, target) || ::fsync(fd) != 0) {
        std::string msg = SysError("Cannot flush", tmp);
        ::close(fd);
        ::unlink(tmpFs.c_str());
        return fail(msg);
    }
    if (::close(fd) != 0) {
        std::string msg = SysError("Cannot close", tmp);
        ::unlink(tmpFs.c_str());
        return fail(msg);
    }
    std::string movedToBackupFs;
    if (!backupPath.empty() && FileExists(target)) {
        const std::string backup = ResolvePath(backupPath);
        const std::string backupFs = FsPath(backup).string();
        movedToBackupFs = backupFs;
        if (Fault(SafeWriteStage::Backup, target)) {
            ::unlink(tmpFs.c_str());
            return fail("Cannot make the backup " + backup);
        }
        ::unlink(backupFs.c_str());
        if (::rename(targetFs.c_str(), backupFs.c_str()) != 0) {
            std::string msg = SysError("Cannot make the backup", backup);
            ::unlink(tmpFs.c_str());
            return fail(msg);
        }
    }
    if (Fault(SafeWriteStage::Rename, target) || ::rename(tmpFs.c_str(), targetFs.c_str()) != 0) {
        std::string msg = SysError("Cannot replace", target);
        ::unlink(tmpFs.c_str());
        // Put the old file back under its own name.
        if (!movedToBackupFs.empty()) ::rename(movedToBackupFs.c_str(), targetFs.c_str());
        return fail(msg);
    }
    return true;
}

}  // namespace kv
