#include "files/txlbytes.h"

#include <algorithm>
#include <cstring>

namespace kv {

namespace {

int16_t DecodeInt(const char* p) {
    const auto lo = static_cast<uint16_t>(static_cast<unsigned char>(p[0]));
    const auto hi = static_cast<uint16_t>(static_cast<unsigned char>(p[1]));
    return static_cast<int16_t>(static_cast<uint16_t>(lo | (hi << 8)));
}

}  // namespace

TxlByteReader::TxlByteReader(std::FILE* file, size_t size, size_t piece)
    : file_(file), unread_(size), piece_(piece) {}

bool TxlByteReader::Refill(size_t n) {
    if (unread_ == 0) return false;
    const size_t kept = data_.size() - pos_;
    // The bytes not yet taken move to the front; the next piece follows them.
    if (kept > 0) std::memmove(buffer_.data(), data_.data() + pos_, kept);
    buffer_.resize(std::max({buffer_.size(), piece_, n}));
    const size_t want = std::min(buffer_.size() - kept, unread_);
    if (std::fread(buffer_.data() + kept, 1, want, file_) != want)
        throw TxlFileError("the file could not be read to its end");
    unread_ -= want;
    data_ = std::string_view(buffer_.data(), kept + want);
    pos_ = 0;
    return data_.size() >= n;
}

bool TxlByteReader::TryInt(int16_t& v) {
    if (!Have(2)) return false;
    v = DecodeInt(data_.data() + pos_);
    pos_ += 2;
    return true;
}

bool TxlByteReader::TryRaw(size_t n, std::string& s) {
    if (!Have(n)) return false;
    s.assign(data_.data() + pos_, n);
    pos_ += n;
    return true;
}

bool TxlByteReader::TryStr(std::string& s) {
    if (!PeekStr(s)) return false;
    pos_ += 2 + s.size();
    return true;
}

bool TxlByteReader::PeekStr(std::string& s) {
    if (!Have(2)) return false;
    const int16_t n = DecodeInt(data_.data() + pos_);
    if (n < 0 || !Have(2 + static_cast<size_t>(n))) return false;
    s.assign(data_.data() + pos_ + 2, static_cast<size_t>(n));
    return true;
}

int16_t TxlByteReader::Int() {
    int16_t v = 0;
    if (!TryInt(v)) throw TxlReadError("the file ends inside a number");
    return v;
}

std::string TxlByteReader::Raw(size_t n) {
    std::string s;
    if (!TryRaw(n, s)) throw TxlReadError("the file ends inside a text");
    return s;
}

std::string TxlByteReader::Str() {
    std::string s;
    StrInto(s);
    return s;
}

void TxlByteReader::StrInto(std::string& s) {
    const int16_t n = Int();
    if (n < 0) throw TxlReadError("negative text length");
    if (!TryRaw(static_cast<size_t>(n), s)) throw TxlReadError("the file ends inside a text");
}

TxlByteWriter::TxlByteWriter(std::function<void(std::string_view)> out, size_t piece)
    : sink_(std::move(out)), piece_(piece) {
    out_.reserve(piece + 2 + kMaxCountedString);
}

void TxlByteWriter::Str(const std::string& s) {
    if (s.size() > kMaxCountedString)
        throw TxlWriteError("a text of " + std::to_string(s.size()) + " characters is longer than the " +
                            std::to_string(kMaxCountedString) + " a project file can hold");
    Int(static_cast<int16_t>(s.size()));
    out_ += s;
    Spill();
}

void TxlByteWriter::Flush() {
    sink_(out_);
    out_.clear();
}

void TxlByteWriter::Finish() {
    if (sink_ && !out_.empty()) Flush();
}

}  // namespace kv
