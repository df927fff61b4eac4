#include "files/txlbytes.h"

namespace kv {

namespace {
int16_t DecodeInt(const std::string& d, size_t p) {
    const auto lo = static_cast<uint16_t>(static_cast<unsigned char>(d[p]));
    const auto hi = static_cast<uint16_t>(static_cast<unsigned char>(d[p + 1]));
    return static_cast<int16_t>(static_cast<uint16_t>(lo | (hi << 8)));
}
}  // namespace

bool TxlByteReader::TryInt(int16_t& v) {
    if (Remaining() < 2) return false;
    v = DecodeInt(data_, pos_);
    pos_ += 2;
    return true;
}

bool TxlByteReader::TryRaw(size_t n, std::string& s) {
    if (Remaining() < n) return false;
    s.assign(data_, pos_, n);
    pos_ += n;
    return true;
}

bool TxlByteReader::TryStr(std::string& s) {
    const size_t start = pos_;
    int16_t n = 0;
    if (!TryInt(n) || n < 0 || !TryRaw(static_cast<size_t>(n), s)) {
        pos_ = start;
        return false;
    }
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
    const int16_t n = Int();
    if (n < 0) throw TxlReadError("negative text length");
    return Raw(static_cast<size_t>(n));
}

void TxlByteWriter::Int(int16_t v) {
    const auto u = static_cast<uint16_t>(v);
    out_ += static_cast<char>(u & 0xFF);
    out_ += static_cast<char>(u >> 8);
}

void TxlByteWriter::Str(const std::string& s) {
    if (s.size() > kMaxCountedString)
        throw TxlWriteError("a text of " + std::to_string(s.size()) + " characters is longer than the " +
                            std::to_string(kMaxCountedString) + " a project file can hold");
    Int(static_cast<int16_t>(s.size()));
    out_ += s;
}

void TxlByteWriter::PatchInt(size_t pos, int16_t v) {
    const auto u = static_cast<uint16_t>(v);
    out_[pos] = static_cast<char>(u & 0xFF);
    out_[pos + 1] = static_cast<char>(u >> 8);
}

}  // namespace kv
