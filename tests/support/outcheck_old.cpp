#include "support/outcheck_old.h"

#include "support/outcheck_walk.h"

namespace outcheck {

namespace {

constexpr size_t kHeader = 84;
constexpr size_t kLinkLimit = 524288;

struct OldWalker : ImageWalker {
    OldResult& r;

    void Zero(size_t from, size_t to, const std::string& what) {
        for (size_t p = from; p < to; ++p)
            if (At(img, p) != 0) {
                Fail(what + " at " + std::to_string(p) + " is not 0");
                return;
            }
    }

    // One sub-record with the rules of the old layout: a graphic sign's
    // carries its size command right after 240/241.
    bool Sub(size_t& pos, std::string& sub, const std::string& name) {
        std::string err;
        if (!NextSubrecord(img, pos, sub, &err)) {
            Fail(name + ": " + err);
            return false;
        }
        const unsigned third = At(sub, 2), fourth = At(sub, 3);
        if (fourth == 162 && r.textSigns.count(static_cast<int>(third)) == 0 &&
            (sub.size() < 10 || At(sub, 5) != 208 || At(sub, 7) != 209))
            Fail(name + ": graphic-sign sub-record without its size command");
        return true;
    }

    std::string Kind(const std::string& s) {
        const unsigned third = At(s, 2), fourth = At(s, 3);
        if (third == 176) return "whole extra text";
        if (fourth == 174) return "route-number sign " + std::to_string(third);
        return (r.textSigns.count(static_cast<int>(third)) ? "text sign " : "graphic sign ") + std::to_string(third);
    }

    // A destination record: sub-records flagged 4 are followed by a link to
    // the position after it; the one flagged 132 ends the record.
    bool DestRecord(size_t& pos, const std::string& name, std::vector<std::string>& subs) {
        while (true) {
            const size_t start = pos;
            std::string sub;
            if (!Sub(pos, sub, name)) return false;
            if (At(sub, 3) == 176) {
                Fail(name + ": extra-text sub-record in a destination");
                return false;
            }
            subs.push_back(sub);
            const bool last = At(sub, 0) == 132;
            Seg(start, sub.size(), name + ", " + Kind(sub) + (last ? ", last" : ""));
            if (last) return true;
            size_t link = 0;
            if (!Pointer(pos, link, name + " link")) return false;
            if (link != pos + 4 || link >= kLinkLimit) {
                Fail(name + ": link " + std::to_string(link) + " at " + std::to_string(pos) + " does not name the next sub-record");
                return false;
            }
            Seg(pos, 4, "link");
            pos += 4;
        }
    }

    // A table of `count` entries; each names the empty record or the record
    // that follows on at the cursor.
    void Table(size_t table, size_t count, bool extra, size_t& cursor) {
        const std::string what = extra ? "extra" : "dest";
        for (size_t n = 0; n < count; ++n) {
            size_t entry = 0;
            if (!Pointer(table + 4 * n, entry, what + " entry " + std::to_string(n))) return;
            if (extra && n == 0) {
                if (entry != cursor || At(img, cursor) != 0) {
                    Fail("extra entry 0 does not name a byte 0 after the destinations");
                    return;
                }
                Seg(cursor, 1, "extra 0");
                ++cursor;
                continue;
            }
            if (entry == r.emptyRecord) continue;
            if (entry != cursor) {
                Fail(what + " " + std::to_string(n) + " at " + std::to_string(entry) + ", expected at " + std::to_string(cursor));
                return;
            }
            const std::string name = what + " " + std::to_string(n);
            const int number = static_cast<int>(n);
            if (extra) {
                std::string sub;
                const size_t start = cursor;
                if (!Sub(cursor, sub, name)) return;
                if (At(sub, 2) != 176) {
                    Fail(name + ": not a whole extra text");
                    return;
                }
                r.extraRecords[number] = start;
                r.extraSubrecords[number] = {sub};
                Seg(start, sub.size(), name + ", " + Kind(sub));
            } else {
                r.destRecords[number] = cursor;
                if (!DestRecord(cursor, name, r.destSubrecords[number])) return;
            }
        }
    }

    // A chain of end records: each sub-record (flag 4, change time 3) and a
    // link to the next, the last link 0.
    void Chain(size_t slot, const std::string& what, size_t& head, std::vector<std::string>& subs, size_t& cursor) {
        if (!Pointer(slot, head, what + " pointer")) return;
        if (head == 0) return;
        if (head != cursor) {
            Fail(what + " at " + std::to_string(head) + ", expected at " + std::to_string(cursor));
            return;
        }
        while (true) {
            std::string sub;
            const size_t start = cursor;
            if (!Sub(cursor, sub, what)) return;
            if (At(sub, 0) != 4 || At(sub, 1) != 3 || At(sub, 3) != 162) Fail(what + ": end record malformed at " + std::to_string(start));
            subs.push_back(sub);
            Seg(start, sub.size(), what + ", " + Kind(sub));
            size_t link = 0;
            if (!Pointer(cursor, link, what + " link")) return;
            Seg(cursor, 4, link == 0 ? "link 0, end of chain" : "link");
            cursor += 4;
            if (link == 0) return;
            if (link != cursor) {
                Fail(what + ": link " + std::to_string(link) + " does not name the next end record");
                return;
            }
        }
    }
};

}  // namespace

OldResult CheckOld(const std::string& img) {
    OldResult r;
    OldWalker w{{img, r.errors, r.segments}, r};
    if (img.size() < kHeader + 4) {
        w.Fail("shorter than a bare old-layout out-file");
        return r;
    }
    if (At(img, 0) != 0xA0) w.Fail("format byte is not a0");
    w.Seg(0, 1, "format");
    r.signFlags = static_cast<int>(At(img, 1));
    w.Seg(1, 1, "sign flags");
    w.Zero(2, 4, "header");
    w.Seg(2, 2, "zero");
    r.routeWidth = static_cast<int>(At(img, 4));
    w.Seg(4, 1, "route-number width");
    w.Zero(5, 8, "header");
    w.Seg(5, 3, "zero");
    r.nameCodes = img.substr(8, 8);
    for (char c : r.nameCodes)
        if (static_cast<unsigned char>(c) > 10) w.Fail("name code above 10");
    w.Seg(8, 8, "name digits");
    r.destCount = Le16(img, 16);
    r.extraCount = Le16(img, 32);
    w.Seg(16, 2, "destination entries");
    w.Pointer(18, r.destTable, "destination table pointer");
    w.Seg(18, 4, "destination table");
    w.Zero(22, 32, "header");
    w.Seg(22, 10, "zero");
    w.Seg(32, 2, "extra-text entries");
    w.Pointer(34, r.extraTable, "extra-text table pointer");
    w.Seg(34, 4, "extra-text table");
    w.Zero(38, 48, "header");
    w.Seg(38, 10, "zero");
    w.Seg(48, 4, "fill end records");
    w.Seg(52, 4, "blank end records");
    w.Zero(56, 64, "header");
    w.Seg(56, 8, "zero");
    size_t signTable = 0;
    w.Pointer(64, signTable, "text-sign table pointer");
    if (signTable != kHeader) w.Fail("text-sign table pointer is not 84");
    w.Seg(64, 4, "text-sign table");
    w.Zero(68, kHeader, "header");
    w.Seg(68, 16, "four zero pointers");

    const size_t k = At(img, kHeader);
    for (size_t i = 0; i < k; ++i) {
        const unsigned a = At(img, kHeader + 1 + 3 * i);
        if (a < 2 || a > 16 || (i > 0 && a <= At(img, kHeader + 3 * i - 2))) w.Fail("text-sign table address " + std::to_string(a));
        r.textSigns.insert(static_cast<int>(a));
    }
    w.Seg(kHeader, 1 + 3 * k, "text-sign table");
    if ((r.signFlags & 1) != (k > 0 ? 1 : 0) || (r.signFlags & ~3) != 0 || r.signFlags == 2)
        w.Fail("sign flags do not agree with the text-sign table");

    const size_t t = kHeader + 1 + 3 * k;
    if (r.destTable != t) w.Fail("destination table at " + std::to_string(r.destTable) + ", expected " + std::to_string(t));
    if (r.destCount == 0 || 4 * r.destCount >= 32768) w.Fail("destination entries " + std::to_string(r.destCount));
    if (r.extraCount == 0 || r.extraCount > 1000) w.Fail("extra-text entries " + std::to_string(r.extraCount));
    if (r.extraTable != t + 4 * r.destCount) w.Fail("extra-text table does not follow the destination table");
    if (!r.ok()) return r;
    w.Seg(r.destTable, 4 * r.destCount, "destination pointer table", true);
    w.Seg(r.extraTable, 4 * r.extraCount, "extra-text pointer table", true);
    r.emptyRecord = r.extraTable + 4 * r.extraCount;
    if (At(img, r.emptyRecord) != 255) w.Fail("the empty record is not the byte 255");
    w.Seg(r.emptyRecord, 1, "the empty record");

    size_t cursor = r.emptyRecord + 1;
    w.Table(r.destTable, r.destCount, false, cursor);
    if (!r.ok()) return r;
    w.Table(r.extraTable, r.extraCount, true, cursor);
    if (!r.ok()) return r;
    w.Chain(48, "fill end records", r.fillChain, r.fillRecords, cursor);
    w.Chain(52, "blank end records", r.blankChain, r.blankRecords, cursor);
    if (r.fillRecords.size() != r.blankRecords.size()) w.Fail("the two end-record chains differ in length");
    for (size_t i = 0; i < r.fillRecords.size() && i < r.blankRecords.size(); ++i)
        if (At(r.fillRecords[i], 2) != At(r.blankRecords[i], 2)) w.Fail("the end-record chains name other signs");
    if (cursor != img.size()) w.Fail("the file goes on after the end records, at " + std::to_string(cursor));
    return r;
}

}  // namespace outcheck
