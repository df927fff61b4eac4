// An independent reader of layout-1.5 out-files for the tests: it walks any
// image by the layout rules and reports every rule it finds broken, and it
// splits the image into labelled pieces for readable hex dumps (the golden
// files of tests/golden/outfile).
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace outcheck {

// The byte at p, 0 past the end.
inline unsigned At(const std::string& s, size_t p) { return p < s.size() ? static_cast<unsigned char>(s[p]) : 0u; }
// The 16-bit value at p, low byte first.
inline size_t Le16(const std::string& s, size_t p) { return At(s, p) | At(s, p + 1) << 8; }

struct Segment {
    size_t pos = 0;
    size_t len = 0;
    std::string label;
    // A table of 4-byte pointers: runs of one pointer are dumped as
    // "bytes*count".
    bool pointerTable = false;
};

struct Result {
    std::vector<std::string> errors;  // empty when the image keeps every rule
    std::vector<Segment> segments;    // cover the image in order
    int format = 0;
    size_t groupTables = 0;           // P
    size_t routeTable = 0;            // 0 when there is none
    size_t infoBlock = 0;
    size_t fontSection = 0;
    // Record position by number, and each record's sub-records.
    std::map<int, size_t> destRecords, extraRecords;
    std::map<int, std::vector<std::string>> destSubrecords, extraSubrecords;
    std::vector<std::string> infoTags;
    std::map<std::string, std::string> infoPayloads;
    std::string fontIds;              // ids of the font section's records in order
    bool ok() const { return errors.empty(); }
};

// `library`: the font library's bytes; every font record must equal the
// library's record of its id (skipped when empty).
Result Check(const std::string& image, const std::string& library);

// The image as labelled hex lines "offset: bytes ; label", 16 bytes a line,
// runs of eight or more zero bytes written as "00*count", and in pointer
// tables runs of three or more equal pointers as "aabbccdd*count".
std::string Dump(const std::string& image, const std::vector<Segment>& segments);
// The bytes of a dump (comments after ";" and "#" lines are ignored). False
// when a token is not a byte or a run, or an offset disagrees with the bytes
// before it.
bool ParseDump(const std::string& text, std::string& bytes, std::string* error);
// Compares the image with the golden dump `rel` under tests/golden, or
// rewrites it when KIVAR_UPDATE_GOLDEN=1 (testutil::RewriteGolden). "" when they
// agree, else what is wrong: a dump that does not parse, or the first
// difference followed by the image's dump.
std::string CompareWithGoldenDump(const std::string& image, const std::vector<Segment>& segments,
                                  const std::string& rel);

// One sub-record at pos (flag 4 or 132, then a sign's, a route-number
// sign's or a whole extra text's bytes up to its 255); pos moves past it.
// False with `error` set when the framing is broken.
bool NextSubrecord(const std::string& bytes, size_t& pos, std::string& sub, std::string* error);

// The sub-records of a record string (up to the one flagged 132); sets
// `error` when the framing is broken.
std::vector<std::string> SplitRecord(const std::string& bytes, size_t& pos, std::string* error);

}  // namespace outcheck
