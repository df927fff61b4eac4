#include "support/outcheck.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstdio>
#include <iterator>
#include <sstream>

#include "support/outcheck_walk.h"
#include "support/testutil.h"

namespace outcheck {

namespace {

std::string Hex2(unsigned v) {
    char b[8];
    std::snprintf(b, sizeof b, "%02x", v & 0xFFu);
    return b;
}

struct Walker : ImageWalker {
    Result& r;

    // One record: sub-records up to the one flagged 132.
    bool Record(size_t& pos, size_t limit, bool extra, const std::string& name, std::vector<std::string>& subs) {
        std::string err;
        const size_t start = pos;
        subs = SplitRecord(img, pos, &err);
        if (err.empty() && pos > limit) err = "runs into the information block";
        if (!err.empty()) {
            Fail(name + ": " + err);
            return false;
        }
        size_t p = start;
        for (const std::string& s : subs) {
            std::string kind;
            const unsigned third = At(s, 2), fourth = At(s, 3);
            if (s.size() == 9 && fourth == 174) kind = "route-number sign " + std::to_string(third);
            else if (third == 176) kind = "whole extra text";
            else kind = "sign " + std::to_string(third) + (fourth == 176 ? " extra" : "");
            if (!extra && (third == 176 || fourth == 176)) Fail(name + ": extra-text sub-record in a destination");
            Seg(p, s.size(), name + ", " + kind + (At(s, 0) == 132 ? ", last" : ""));
            p += s.size();
        }
        return true;
    }

    void Groups(size_t table, bool extra, size_t& cursor) {
        const std::string what = extra ? "extra" : "dest";
        std::map<int, size_t>& positions = extra ? r.extraRecords : r.destRecords;
        std::map<int, std::vector<std::string>>& subrecords = extra ? r.extraSubrecords : r.destSubrecords;
        for (int g = 0; g < 100; ++g) {
            size_t block = 0;
            if (!Pointer(table + 4 * g, block, what + " group table entry " + std::to_string(g))) return;
            if (block == 0) continue;
            if (extra && g >= 10) Fail("extra group table entry " + std::to_string(g) + " is set");
            if (block != cursor + 1 || At(img, cursor) != 0) {
                Fail(what + " group " + std::to_string(g) + " at " + std::to_string(block) + ", expected after pad at " +
                     std::to_string(cursor));
                return;
            }
            Seg(cursor, 1, what + " group " + std::to_string(g) + " pad");
            Seg(block, 200, what + " group " + std::to_string(g) + " block");
            size_t next = block + 200;
            int records = 0;
            for (int k = 0; k < 100; ++k) {
                const size_t off = Le16(img, block + 2 * k);
                if (off == 0) continue;
                const int n = 100 * g + k;
                if (block + off != next) {
                    Fail(what + " " + std::to_string(n) + ": offset " + std::to_string(off) + " does not follow on");
                    return;
                }
                positions[n] = next;
                if (!Record(next, r.infoBlock, extra, what + " " + std::to_string(n), subrecords[n])) return;
                ++records;
            }
            if (records == 0) Fail(what + " group " + std::to_string(g) + " has no record");
            cursor = next;
        }
    }

    void Info(size_t p) {
        static const char* const kOrder[] = {"FS", "KR", "LN", "DN", "EN", "TF", "TG", "TS", "ST",
                                             "SI", "IT", "TA", "FE", "PN", "UO", "CI", "LE"};
        size_t i = 0;
        size_t fsEnd = 0;
        while (true) {
            if (p + 4 > img.size()) {
                Fail("information block runs past the end");
                return;
            }
            const std::string tag = img.substr(p, 2);
            const size_t len = Le16(img, p + 2);
            if (p + 4 + len > img.size()) {
                Fail("block " + tag + " runs past the end");
                return;
            }
            while (i < std::size(kOrder) && tag != kOrder[i]) ++i;
            if (i == std::size(kOrder)) {
                Fail("unexpected or misplaced block " + tag);
                return;
            }
            r.infoTags.push_back(tag);
            const std::string payload = img.substr(p + 4, len);
            r.infoPayloads[tag] = payload;
            Seg(p, 4 + len, "info " + tag);
            if (tag == "FS") {
                size_t z1 = 1, z2 = 1;
                if (len != 12 || !Pointer(p + 4, fsEnd, "FS") || !Pointer(p + 8, z1, "FS") || !Pointer(p + 12, z2, "FS") ||
                    z1 != 0 || z2 != 0)
                    Fail("FS block malformed");
            } else if (tag == "DN" || tag == "EN" || tag == "CI") {
                size_t v = 0;
                const size_t want = tag == "DN" ? r.groupTables : tag == "EN" ? r.groupTables + 400 : r.routeTable;
                if (len < 4 || !Pointer(p + 4, v, tag) || v != want) Fail(tag + " pointer is not " + std::to_string(want));
                if (tag != "CI" && (len != 9 || At(img, p + 8) != 0 || At(img, p + 9) != 0)) Fail(tag + " block malformed");
            } else if ((tag == "TG" || tag == "TS") && len > 0) {
                size_t q = 0;
                std::string err;
                SplitRecord(payload, q, &err);
                if (!err.empty() || q != payload.size()) Fail(tag + " is not a run of sub-records ending flagged 132");
            } else if (tag == "UO") {
                const bool codes = r.format == 0xA3;
                if (len != 2 || At(payload, 1) != (codes ? 1u : 0u) || (r.format == 0xA2 && At(payload, 0) != 1))
                    Fail("UO does not agree with the format byte");
            }
            p += 4 + len;
            if (tag == "LE") break;
        }
        const bool hasCi = r.infoPayloads.count("CI") != 0;
        if (hasCi != (r.format == 0xA3)) Fail("CI block present exactly with destination codes");
        r.fontSection = p;
        if (fsEnd != p) Fail("FS pointer " + std::to_string(fsEnd) + " does not name the end of the block " + std::to_string(p));
    }

    void Fonts(const std::string& library) {
        size_t p = r.fontSection;
        while (p < img.size()) {
            const size_t len = Le16(img, p + 257);
            const char id = img[p];
            if (p + 259 > img.size() || len < 259 || p + len > img.size()) {
                Fail("font record at " + std::to_string(p) + " is malformed");
                return;
            }
            r.fontIds += id;
            Seg(p, len, std::string("font '") + id + "'");
            if (!library.empty()) {
                size_t q = 0;
                bool found = false;
                while (q + 259 <= library.size()) {
                    const size_t l = Le16(library, q + 257);
                    if (library[q] == id) {
                        found = library.compare(q, len, img, p, len) == 0 && l == len;
                        break;
                    }
                    if (l == 0) break;
                    q += l;
                }
                if (!found) Fail(std::string("font '") + id + "' differs from the library's record");
            }
            p += len;
        }
    }
};

}  // namespace

bool NextSubrecord(const std::string& b, size_t& pos, std::string& sub, std::string* error) {
    auto fail = [&](const std::string& what) {
        if (error) *error = what;
        return false;
    };
    if (pos + 3 > b.size()) return fail("record runs past its end");
    const unsigned flag = At(b, pos);
    if (flag != 4 && flag != 132) return fail("flag " + std::to_string(flag) + " at " + std::to_string(pos));
    const unsigned third = At(b, pos + 2), fourth = At(b, pos + 3);
    if (third == 176) {
        if (fourth != 241 || flag != 132) return fail("whole extra text malformed at " + std::to_string(pos));
    } else if (third < 2 || third > 16) {
        return fail("address " + std::to_string(third) + " at " + std::to_string(pos));
    } else if (fourth == 174) {
        if (At(b, pos + 1) != 1 || At(b, pos + 8) != 255 || pos + 9 > b.size())
            return fail("route-number sub-record malformed at " + std::to_string(pos));
    } else if ((fourth != 162 && fourth != 176) || (At(b, pos + 4) != 240 && At(b, pos + 4) != 241)) {
        return fail("text sub-record malformed at " + std::to_string(pos));
    }
    const size_t end = b.find('\xFF', pos + 2);
    if (end == std::string::npos) return fail("sub-record without its 255 at " + std::to_string(pos));
    sub = b.substr(pos, end + 1 - pos);
    pos = end + 1;
    return true;
}

std::vector<std::string> SplitRecord(const std::string& b, size_t& pos, std::string* error) {
    std::vector<std::string> subs;
    std::string sub;
    while (NextSubrecord(b, pos, sub, error)) {
        subs.push_back(sub);
        if (At(sub, 0) == 132) break;
    }
    return subs;
}

Result Check(const std::string& img, const std::string& library) {
    Result r;
    Walker w{{img, r.errors, r.segments}, r};
    if (img.size() < 810) {
        w.Fail("shorter than a bare out-file");
        return r;
    }
    r.format = static_cast<int>(At(img, 0));
    if (r.format < 0xA1 || r.format > 0xA3) w.Fail("format byte " + Hex2(static_cast<unsigned>(r.format)));
    w.Seg(0, 1, "format");
    size_t end = 0;
    w.Pointer(1, end, "end pointer");
    if (end != img.size()) w.Fail("end pointer " + std::to_string(end) + " is not the length " + std::to_string(img.size()));
    w.Seg(1, 4, "end of file");
    w.Pointer(5, r.infoBlock, "information block pointer");
    if (r.infoBlock >= img.size() || r.infoBlock < 810) {
        w.Fail("information block pointer out of the file");
        return r;
    }
    w.Seg(5, 4, "information block");

    const size_t k = At(img, 9);
    r.groupTables = 10 + 3 * k;
    w.Seg(9, 1 + 3 * k, "text-sign table");
    for (size_t i = 0; i < k; ++i) {
        const unsigned a = At(img, 10 + 3 * i);
        if (a < 2 || a > 16 || (i > 0 && a <= At(img, 7 + 3 * i))) w.Fail("text-sign table address " + std::to_string(a));
    }
    w.Seg(r.groupTables, 400, "destination group table");
    w.Seg(r.groupTables + 400, 400, "extra-text group table");
    size_t cursor = r.groupTables + 800;
    w.Groups(r.groupTables, false, cursor);
    w.Groups(r.groupTables + 400, true, cursor);

    if (r.format == 0xA3) {
        r.routeTable = cursor;
        const size_t len = r.infoBlock - cursor;
        if (len % 6 != 0) w.Fail("route-number table length " + std::to_string(len));
        for (size_t i = 0; i < len / 6; ++i) {
            const size_t p = cursor + 6 * i;
            if (Le16(img, p + 4) != i + 1) w.Fail("route-number table entry " + std::to_string(i + 1));
            w.Seg(p, 6, "route-number entry " + std::to_string(i + 1));
        }
        cursor += len - len % 6;
    }
    if (cursor != r.infoBlock) {
        w.Fail("information block at " + std::to_string(r.infoBlock) + ", records end at " + std::to_string(cursor));
        return r;
    }
    w.Info(r.infoBlock);
    if (r.errors.empty()) w.Fonts(library);
    return r;
}

std::string Dump(const std::string& img, const std::vector<Segment>& segments) {
    std::ostringstream out;
    out << "# out-file of " << img.size() << " bytes: offset: bytes ; what they are\n";
    std::vector<Segment> segs;
    size_t p = 0;
    for (const Segment& s : segments) {
        if (s.pos < p) continue;  // overlaps (only after a failed check)
        if (s.pos > p) segs.push_back({p, s.pos - p, "?"});
        segs.push_back(s);
        p = s.pos + s.len;
    }
    if (p < img.size()) segs.push_back({p, img.size() - p, "?"});
    for (const Segment& s : segs) {
        size_t i = s.pos;
        const size_t e = std::min(s.pos + s.len, img.size());
        bool first = true;
        while (i < e) {
            char off[24];
            std::snprintf(off, sizeof off, "%06zx:", i);
            std::string line = off;
            size_t n = 0;
            while (i < e && n < 16) {
                if (s.pointerTable && (i - s.pos) % 4 == 0 && i + 4 <= e) {
                    size_t z = i + 4;
                    while (z + 4 <= e && img.compare(z, 4, img, i, 4) == 0) z += 4;
                    if ((z - i) / 4 >= 3 && img.compare(i, 4, std::string(4, '\0')) != 0) {
                        line += " ";
                        for (size_t k = 0; k < 4; ++k) line += Hex2(At(img, i + k));
                        line += "*" + std::to_string((z - i) / 4);
                        n += 16;  // a run ends the line
                        i = z;
                        continue;
                    }
                }
                size_t z = i;
                while (z < e && img[z] == 0) ++z;
                if (z - i >= 8) {
                    line += " 00*" + std::to_string(z - i);
                    n += 16;  // a run ends the line
                    i = z;
                    continue;
                }
                line += " " + Hex2(At(img, i));
                ++i;
                ++n;
            }
            if (first) {
                line.resize(std::max<size_t>(line.size(), 56), ' ');
                line += " ; " + s.label;
                first = false;
            }
            while (!line.empty() && line.back() == ' ') line.pop_back();
            out << line << "\n";
        }
    }
    return out.str();
}

bool ParseDump(const std::string& text, std::string& bytes, std::string* error) {
    bytes.clear();
    std::istringstream in(text);
    std::string line;
    int lineNo = 0;
    auto fail = [&](const std::string& what) {
        if (error) *error = "line " + std::to_string(lineNo) + ": " + what;
        return false;
    };
    while (std::getline(in, line)) {
        ++lineNo;
        if (line.empty() || line[0] == '#') continue;
        const size_t semi = line.find(';');
        if (semi != std::string::npos) line.resize(semi);
        const size_t colon = line.find(':');
        if (colon == std::string::npos) return fail("no offset");
        if (std::stoul(line.substr(0, colon), nullptr, 16) != bytes.size()) return fail("offset does not follow on");
        std::istringstream tokens(line.substr(colon + 1));
        std::string t;
        while (tokens >> t) {
            const size_t star = t.find('*');
            if (star != std::string::npos && star > 0 && star % 2 == 0 && star + 1 < t.size()) {
                std::string unit;
                for (size_t k = 0; k < star; k += 2) {
                    if (!std::isxdigit(static_cast<unsigned char>(t[k])) || !std::isxdigit(static_cast<unsigned char>(t[k + 1])))
                        return fail("bad token " + t);
                    unit += static_cast<char>(std::stoul(t.substr(k, 2), nullptr, 16));
                }
                for (unsigned long c = std::stoul(t.substr(star + 1)); c > 0; --c) bytes += unit;
            } else if (t.size() == 2 && std::isxdigit(static_cast<unsigned char>(t[0])) &&
                       std::isxdigit(static_cast<unsigned char>(t[1]))) {
                bytes += static_cast<char>(std::stoul(t, nullptr, 16));
            } else {
                return fail("bad token " + t);
            }
        }
    }
    return true;
}

std::string CompareWithGoldenDump(const std::string& image, const std::vector<Segment>& segments,
                                  const std::string& rel) {
    const std::string path = testutil::GoldenPath(rel);
    if (testutil::UpdatingGoldens()) {
        testutil::RewriteGolden(path, Dump(image, segments));
        return "";
    }
    std::string expected, err;
    std::ostringstream out;
    if (!ParseDump(testutil::ReadFile(path), expected, &err)) out << path << ": " << err << "\n";
    if (expected != image) {
        size_t i = 0;
        while (i < expected.size() && i < image.size() && expected[i] == image[i]) ++i;
        out << "first difference at byte " << i << " (0x" << std::hex << i << ")\n" << Dump(image, segments);
    }
    return out.str();
}

}  // namespace outcheck
