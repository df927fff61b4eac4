#include "engine/graphicfile.h"

#include "data/language.h"
#include "engine/dotstrips.h"
#include "engine/signcommands.h"
#include "platform/error.h"
#include "platform/safefile.h"
#include "platform/host.h"
#include "platform/vb.h"
#include "platform/vbfile.h"

namespace kv {

namespace {
constexpr size_t kMaxGraphicText = 65535;
constexpr char kRunStart = static_cast<char>(kCmdPosX);

// The older form: the length as a decimal number up to a comma, blank or
// line end, then the text. The text is searched for its first run when the
// file holds more than the number and the text.
std::string DecodeTextForm(const std::string& bytes) {
    const size_t len = bytes.size();
    size_t pos = 0;
    while (pos < len && (bytes[pos] == ' ' || bytes[pos] == '\t')) ++pos;
    const size_t numStart = pos;
    while (pos < len && bytes[pos] != ',' && bytes[pos] != ' ' && bytes[pos] != '\r' && bytes[pos] != '\n') ++pos;
    const double value = RoundHalfEven(Val(bytes.substr(numStart, pos - numStart)));
    size_t after = pos;
    if (after < len) {
        if (bytes[after] == '\r' && after + 1 < len && bytes[after + 1] == '\n') ++after;
        ++after;
    }
    if (!(value > 0)) return {};
    const size_t n = value >= static_cast<double>(len) ? len : static_cast<size_t>(value);
    if (n + 6 < len) {
        const long p = InStr(4, bytes, std::string(1, kRunStart));
        if (p > 0 && static_cast<size_t>(p) + n - 3 <= len) return Mid(bytes, p, static_cast<long>(n));
    }
    return after < len ? bytes.substr(after, n) : std::string();
}
}  // namespace

std::string EncodeGraphicFile(const std::string& stripText) {
    const size_t n = stripText.size();
    if (n > kMaxGraphicText) return {};
    std::string out;
    out += static_cast<char>(n / 256);
    out += static_cast<char>(n % 256);
    return out + stripText;
}

std::string DecodeGraphicFile(const std::string& bytes) {
    if (bytes.size() >= 3) {
        const size_t n = static_cast<unsigned char>(bytes[0]) * 256u + static_cast<unsigned char>(bytes[1]);
        if (bytes.size() == n + 2 && bytes[2] == kRunStart) return bytes.substr(2);
    }
    return DecodeTextForm(bytes);
}

bool WriteGraphicFile(const std::string& path) {
    const std::string s = SelectionToText();
    if (s.empty()) {
        MsgBox(gTextS39, vbExclamation);
        return false;
    }
    if (s.size() > kMaxGraphicText) {
        MsgBox("Error # 6", vbExclamation);
        return false;
    }
    std::string err;
    // The name was chosen in a file dialog: it is written as chosen.
    if (!SafeWriteFile(path, EncodeGraphicFile(s), &err, {}, NameLookup::Exact)) {
        MsgBox(FileMessage(path, err), vbExclamation);
        return false;
    }
    return true;
}

bool ReadGraphicFile(const std::string& path, std::string& text) {
    text.clear();
    const int16_t fn = FileOpen(path, FileMode::Input);
    if (fn < 0) return false;
    const std::string bytes = FileContents(fn);
    FileClose(fn);
    text = DecodeGraphicFile(bytes);
    return true;
}

}  // namespace kv
