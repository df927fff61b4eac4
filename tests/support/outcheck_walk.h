// What the two out-file checkers share: reading the pointers of an image,
// and collecting the errors and the labelled pieces.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "support/outcheck.h"

namespace outcheck {

struct ImageWalker {
    const std::string& img;
    std::vector<std::string>& errors;
    std::vector<Segment>& segments;

    void Fail(const std::string& what) { errors.push_back(what); }
    void Seg(size_t pos, size_t len, const std::string& label, bool pointers = false) {
        segments.push_back({pos, len, label, pointers});
    }

    // A pointer: offset < 4096, 0, page.
    bool Pointer(size_t p, size_t& value, const std::string& what) {
        if (p + 4 > img.size()) {
            Fail(what + ": pointer past the end");
            return false;
        }
        const size_t offset = Le16(img, p);
        if (offset >= 4096 || At(img, p + 2) != 0) {
            Fail(what + ": malformed pointer at " + std::to_string(p));
            return false;
        }
        value = At(img, p + 3) * 4096 + offset;
        return true;
    }
};

}  // namespace outcheck
