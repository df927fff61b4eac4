// The destinations of a saved project as kivar-probe txl-dump shows them,
// read without touching the program's own tables.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>
#include <string>

#include "support/testutil.h"

namespace testtxl {

struct Stored {
    int time = 0, flag = 0;
    std::string code, text, data, alt;
};

inline std::string FromHex(const std::string& hex) {
    std::istringstream in(hex);
    std::string out;
    for (std::string byte; in >> byte;) out += static_cast<char>(std::stoi(byte, nullptr, 16));
    return out;
}

// Destination number -> what the file stores for it.
inline std::map<int, Stored> ReadBack(const std::string& path) {
    const testutil::ProbeResult r = testutil::RunProbe({"txl-dump", path});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    std::map<int, Stored> out;
    std::istringstream in(r.out);
    Stored* current = nullptr;
    for (std::string line; std::getline(in, line);) {
        int n = 0, time = 0, flag = 0;
        char code[8] = {};
        if (std::sscanf(line.c_str(), "destination %d: time %d flag %d code \"%4[^\"]\"", &n, &time, &flag, code) >= 3) {
            current = &out[n];
            current->time = time;
            current->flag = flag;
            current->code = code;
        } else if (line.rfind("extra texts", 0) == 0) {
            current = nullptr;
        } else if (current && line.rfind("  Text:", 0) == 0) {
            current->text = FromHex(line.substr(7));
        } else if (current && line.rfind("  SignData:", 0) == 0) {
            current->data = FromHex(line.substr(11));
        } else if (current && line.rfind("  AltText:", 0) == 0) {
            current->alt = FromHex(line.substr(10));
        }
    }
    return out;
}

}  // namespace testtxl
