// An independent reader of old-layout out-files for the tests: it walks any
// image by the layout's rules (header, pointer tables, linked records, the
// shared empty record, the end-record chains) and reports every rule it finds
// broken, and it labels the pieces for the readable hex dumps of
// tests/golden/outfile_old.
#pragma once

#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "support/outcheck.h"

namespace outcheck {

struct OldResult {
    std::vector<std::string> errors;
    std::vector<Segment> segments;
    int signFlags = 0;
    int routeWidth = 0;
    std::string nameCodes;        // the 8 bytes at 8
    std::set<int> textSigns;      // addresses of the text-sign table
    size_t destCount = 0, extraCount = 0;
    size_t destTable = 0, extraTable = 0, emptyRecord = 0;
    // Records by number (numbers whose entry names the empty record are
    // absent), and each record's sub-records without the links.
    std::map<int, size_t> destRecords, extraRecords;
    std::map<int, std::vector<std::string>> destSubrecords, extraSubrecords;
    size_t fillChain = 0, blankChain = 0;  // 0 when there is none
    std::vector<std::string> fillRecords, blankRecords;
    bool ok() const { return errors.empty(); }
};

OldResult CheckOld(const std::string& image);

}  // namespace outcheck
