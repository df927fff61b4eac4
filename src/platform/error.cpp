#include "platform/error.h"

#include "platform/host.h"

namespace kv {

Error::Error(const std::string& message, int style) : std::runtime_error(message), style_(style) {}

FileNotFound::FileNotFound(const std::string& path, const std::string& notFound)
    : Error(path + notFound, vbCritical), path_(path) {}

std::string FileMessage(const std::string& path, const std::string& reason) { return path + ":\r" + reason; }

}  // namespace kv
