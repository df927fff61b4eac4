#include "data/fieldtext.h"

#include <algorithm>

namespace kv {

namespace {

// Start and length of page n's field in text; false when there is none.
bool FindPageField(const std::string& text, int16_t n, size_t& start, size_t& length) {
    if (n < 1) return false;
    size_t p = 0;
    for (int16_t i = 0; i < n; ++i) {
        p = text.find('#', p);
        if (p == std::string::npos) return false;
        ++p;
    }
    const size_t end = text.find('#', p);
    start = p;
    length = (end == std::string::npos ? text.size() : end) - p;
    return true;
}

}  // namespace

std::string GetPageField(const std::string& text, int16_t n) {
    size_t start = 0, length = 0;
    if (!FindPageField(text, n, start, length)) return "";
    return text.substr(start, length);
}

int16_t CountFieldRows(const std::string& text, int16_t n) {
    size_t start = 0, length = 0;
    if (text.empty() || !FindPageField(text, n, start, length)) return 0;
    const auto first = text.begin() + static_cast<std::ptrdiff_t>(start);
    return static_cast<int16_t>(1 + std::count(first, first + static_cast<std::ptrdiff_t>(length), '\\'));
}

std::string GetFieldRow(const std::string& text, int16_t n, int16_t row) {
    if (row < 1) return "";
    const std::string field = GetPageField(text, n);
    size_t p = 0;
    for (int16_t i = 1; i < row; ++i) {
        p = field.find('\\', p);
        if (p == std::string::npos) return "";
        ++p;
    }
    const size_t end = field.find('\\', p);
    return field.substr(p, end == std::string::npos ? std::string::npos : end - p);
}

int16_t CountHashMarks(const std::string& s) {
    return static_cast<int16_t>(std::min<size_t>(std::count(s.begin(), s.end(), '#'), INT16_MAX));
}

}  // namespace kv
