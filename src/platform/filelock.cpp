#include "platform/filelock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/paths.h"

namespace kv {

FileLock::Taken FileLock::Take(const std::string& lockPath) {
    if (Held()) return Taken::Yes;
    const std::string name = FsPath(lockPath).string();
    int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    // A lock file that cannot be written is locked all the same.
    if (fd < 0) fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return Taken::NoLock;
    // The lock belongs to this open file: a second open, also in this
    // program, does not get it while the first holds it.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        return error == EWOULDBLOCK ? Taken::Elsewhere : Taken::NoLock;
    }
    fd_ = fd;
    return Taken::Yes;
}

void FileLock::Release() {
    if (fd_ < 0) return;
    ::close(fd_);
    fd_ = -1;
}

}  // namespace kv
