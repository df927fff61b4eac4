// Byte-level reading and writing of the project file: 16-bit little-endian
// integers, counted strings (an integer length, then that many bytes) and
// raw text. The reader works on the whole file held in memory, or reads an
// open file in pieces, and never reads past its end: a read that would is an
// error (TxlReadError), or, for the optional parts at the end of the file, a
// soft stop through the Try* functions. The writer keeps the bytes, or hands
// them on in pieces as they are made.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// The file is damaged: a length or count out of range, an index outside its
// table, or the data ends too early.
struct TxlReadError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The file could not be read to its end (a read failed, or the file became
// shorter while it was read).
struct TxlFileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The project cannot be stored in the file layout (a string longer than a
// counted string can hold, a count beyond 16 bits).
struct TxlWriteError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Longest text a counted string holds: its length is a signed 16-bit integer.
constexpr size_t kMaxCountedString = 32767;

// The part of a file the reader takes at a time: small enough to stay in the
// processor's cache while it is copied into the tables.
constexpr size_t kTxlReadPiece = 64 * 1024;

class TxlByteReader {
public:
    // The whole data, held in memory.
    explicit TxlByteReader(std::string_view data) : data_(data) {}
    // The first `size` bytes of an open file, read piece by piece as the
    // reading goes on, so that the file's bytes are copied once, straight
    // into the tables. A file that yields fewer bytes (it shrank, or a read
    // failed) throws TxlFileError.
    TxlByteReader(std::FILE* file, size_t size, size_t piece = kTxlReadPiece);

    // Throw TxlReadError when the data ends first (or the length is negative).
    int16_t Int();
    std::string Str();
    // Str into an existing string, keeping its buffer when it is large enough.
    void StrInto(std::string& s);
    std::string Raw(size_t n);

    // The same without throwing: false when the data ends first; nothing is
    // consumed then (a failed TryStr also fails on a negative length).
    bool TryInt(int16_t& v);
    bool TryStr(std::string& s);
    bool TryRaw(size_t n, std::string& s);
    // TryStr without consuming the text: the next read starts at its length.
    bool PeekStr(std::string& s);
    // No byte is left to read.
    bool AtEnd() { return !Have(1); }

private:
    // True when the next n bytes are at hand, reading more of the file when
    // it has them.
    bool Have(size_t n) { return data_.size() - pos_ >= n || Refill(n); }
    bool Refill(size_t n);

    std::string_view data_;  // the bytes at hand; pos_ is the next one
    size_t pos_ = 0;
    std::FILE* file_ = nullptr;
    size_t unread_ = 0;  // bytes of the file not yet read
    size_t piece_ = 0;
    std::vector<char> buffer_;
};

// The part of a file the writer hands on at a time when it streams.
constexpr size_t kTxlWritePiece = 128 * 1024;

class TxlByteWriter {
public:
    // Keeps every byte, for Bytes and Take.
    TxlByteWriter() = default;
    // Hands the bytes on to `out` a piece of about `piece` bytes at a time
    // and the rest at Finish, so that the whole file is never held at once.
    explicit TxlByteWriter(std::function<void(std::string_view)> out, size_t piece = kTxlWritePiece);
    void Reserve(size_t n) { out_.reserve(n); }

    void Int(int16_t v) {
        const auto u = static_cast<uint16_t>(v);
        const char b[2] = {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
        out_.append(b, 2);
        Spill();
    }
    // Throws TxlWriteError for a text longer than kMaxCountedString.
    void Str(const std::string& s);
    void Raw(const std::string& s) {
        out_ += s;
        Spill();
    }
    // Hands on what is still held (streaming only).
    void Finish();

    const std::string& Bytes() const { return out_; }
    std::string Take() { return std::move(out_); }

private:
    void Spill() {
        if (sink_ && out_.size() >= piece_) Flush();
    }
    void Flush();

    std::string out_;
    std::function<void(std::string_view)> sink_;
    size_t piece_ = 0;
};

}  // namespace kv
