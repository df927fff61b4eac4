// A lock that one running program holds on a file of its folder, so that a
// second program started from the same folder leaves that file alone. The
// lock is the system's (an advisory lock on a small file of its own beside
// the file it guards): it ends when it is released or the program ends,
// however it ends, so a crash never leaves it behind.
#pragma once

#include <string>

namespace kv {

class FileLock {
public:
    enum class Taken {
        Yes,        // this program holds the lock
        Elsewhere,  // another program holds it
        NoLock,     // no lock can be made there (a folder that cannot be written)
    };

    FileLock() = default;
    ~FileLock() { Release(); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Takes the lock of the file `lockPath` (made when it is missing)
    // without waiting; a lock already held is kept.
    Taken Take(const std::string& lockPath);
    void Release();
    bool Held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

}  // namespace kv
