// Errors the core raises instead of ending the program. The Qt layer catches
// them at the edge of every event, shows them and goes on; only it decides
// that the program ends (a start without its settings or language file).
#pragma once

#include <stdexcept>
#include <string>

namespace kv {

// An error with the text the user is shown and the message box style
// (vbExclamation, vbCritical, ...) it is shown in.
class Error : public std::runtime_error {
public:
    Error(const std::string& message, int style);
    int style() const { return style_; }

private:
    int style_;
};

// A file the program must read is missing: "<path> not found!", critical.
class FileNotFound : public Error {
public:
    explicit FileNotFound(const std::string& path, const std::string& notFound = " not found!");
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// The one form of the program's own messages about a file it could not read
// or write: the path, then the reason on a line of its own.
std::string FileMessage(const std::string& path, const std::string& reason);

}  // namespace kv
