// What the fuzz targets share: a user who answers every message with OK, a
// fresh program state for every input, and a small file writer for the
// readers that take a file.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/host.h"
#include "platform/reset.h"

namespace fuzz {

class QuietHost : public kv::UiHost {
public:
    int MessageBox(const std::string&, int, const std::string&) override { return kv::vbOK; }
};

// Installs the quiet host, one for the whole run.
inline void UseQuietHost() {
    static QuietHost host;
    kv::SetUiHost(&host);
}

// The start of every input: the quiet host and the whole program state back
// to its start, so no input sees what an earlier one left.
inline void StartInput() {
    UseQuietHost();
    kv::ResetAllState();
}

// Writes the bytes to path; false when the file cannot be opened.
inline bool WriteFile(const std::string& path, const std::string& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return true;
}

}  // namespace fuzz
