// The contents the safe-writer kill test saves over and over: version n is
// a file of its own length (64 KiB to 1 MiB) that says which version it is
// and ends in a checksum of all before it, so a reader tells a whole
// version from a cut or mixed one.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace killtest {

inline uint32_t Fnv(const std::string& s, size_t n) {
    uint32_t h = 2166136261u;
    for (size_t i = 0; i < n; ++i) h = (h ^ static_cast<unsigned char>(s[i])) * 16777619u;
    return h;
}

inline std::string Content(uint32_t version) {
    uint32_t x = version * 2654435761u + 1;
    auto next = [&x] { return x = x * 1664525u + 1013904223u; };
    const size_t size = 65536 + next() % (1048576 - 65536);
    std::string s = "KVKILL " + std::to_string(version) + " " + std::to_string(size) + "\n";
    s.reserve(size + 16);
    while (s.size() < size) s += static_cast<char>(next() >> 24);
    char sum[16];
    std::snprintf(sum, sizeof sum, "%08x\n", Fnv(s, s.size()));
    return s + sum;
}

// The version of a whole file; -1 for anything else.
inline long VersionOf(const std::string& s) {
    unsigned long v = 0, size = 0;
    if (std::sscanf(s.c_str(), "KVKILL %lu %lu\n", &v, &size) != 2 || s.size() != size + 9) return -1;
    char sum[16];
    std::snprintf(sum, sizeof sum, "%08x\n", Fnv(s, size));
    return s.compare(size, 9, sum) == 0 ? static_cast<long>(v) : -1;
}

}  // namespace killtest
