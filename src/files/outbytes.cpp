#include "files/outbytes.h"

#include "platform/vb.h"

namespace kv {

std::string PointerBytes(int32_t pos) {
    if (pos < 0 || pos >= kOutFileLimit) throw VbError(6, "Overflow");
    std::string b(4, '\0');
    const int32_t offset = pos % kOutPageSize;
    b[0] = static_cast<char>(offset & 0xFF);
    b[1] = static_cast<char>(offset >> 8);
    b[3] = static_cast<char>(pos / kOutPageSize);
    return b;
}

std::string Le16(int32_t value) {
    if (value < 0 || value > 0xFFFF) throw VbError(6, "Overflow");
    std::string b(2, '\0');
    b[0] = static_cast<char>(value & 0xFF);
    b[1] = static_cast<char>(value >> 8);
    return b;
}

std::string BlockLength(size_t length) {
    if (length > 32767) throw VbError(6, "Overflow");
    return Le16(static_cast<int32_t>(length));
}

std::string ByteOf(long value) {
    if (value < 0 || value > 255) throw VbError(5, "Invalid procedure call or argument");
    return std::string(1, static_cast<char>(static_cast<unsigned char>(value)));
}

std::string CountedText(const std::string& text) { return ByteOf(static_cast<long>(text.size())) + text; }

std::string MakeChecksum(const std::string& text) {
    unsigned sum = 0;
    for (size_t i = 1; i < text.size(); ++i) sum = (sum + static_cast<unsigned char>(text[i])) & 0xFF;
    if (sum == 254) return std::string("\xFE\x00", 2);
    if (sum == 255) return std::string("\xFE\x01", 2);
    return std::string(1, static_cast<char>(sum));
}

void PutAt(std::string& image, int32_t pos, const std::string& bytes) {
    if (pos < 0) throw VbError(5, "Invalid procedure call or argument");
    const size_t p = static_cast<size_t>(pos);
    if (p >= image.size()) {
        // At or past the end: zero bytes up to the position, then the bytes.
        image.resize(p, '\0');
        image += bytes;
        return;
    }
    if (image.size() < p + bytes.size()) image.resize(p + bytes.size(), '\0');
    image.replace(p, bytes.size(), bytes);
}

}  // namespace kv
