// Byte-level reading and writing of the project file: 16-bit little-endian
// integers, counted strings (an integer length, then that many bytes) and
// raw text. The reader works on the whole file held in memory and never
// reads past its end: a read that would is an error (TxlReadError), or, for
// the optional parts at the end of the file, a soft stop through the Try*
// functions.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace kv {

// The file is damaged: a length or count out of range, an index outside its
// table, or the data ends too early.
struct TxlReadError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The project cannot be stored in the file layout (a string longer than a
// counted string can hold, a count beyond 16 bits).
struct TxlWriteError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Longest text a counted string holds: its length is a signed 16-bit integer.
constexpr size_t kMaxCountedString = 32767;

class TxlByteReader {
public:
    explicit TxlByteReader(const std::string& data) : data_(data) {}

    size_t Pos() const { return pos_; }
    void Seek(size_t pos) { pos_ = pos <= data_.size() ? pos : data_.size(); }
    size_t Remaining() const { return data_.size() - pos_; }
    bool AtEnd() const { return pos_ >= data_.size(); }

    // Throw TxlReadError when the data ends first (or the length is negative).
    int16_t Int();
    std::string Str();
    std::string Raw(size_t n);

    // The same without throwing: false when the data ends first; nothing is
    // consumed then (a failed TryStr also fails on a negative length).
    bool TryInt(int16_t& v);
    bool TryStr(std::string& s);
    bool TryRaw(size_t n, std::string& s);

private:
    const std::string& data_;
    size_t pos_ = 0;
};

class TxlByteWriter {
public:
    TxlByteWriter() = default;
    void Reserve(size_t n) { out_.reserve(n); }

    void Int(int16_t v);
    // Throws TxlWriteError for a text longer than kMaxCountedString.
    void Str(const std::string& s);
    void Raw(const std::string& s) { out_ += s; }

    const std::string& Bytes() const { return out_; }
    std::string Take() { return std::move(out_); }
    size_t Size() const { return out_.size(); }
    // Overwrites a 16-bit integer written earlier at `pos`.
    void PatchInt(size_t pos, int16_t v);

private:
    std::string out_;
};

}  // namespace kv
