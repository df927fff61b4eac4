#include "files/printtext.h"

#include "data/fieldtext.h"
#include "data/language.h"
#include "data/printprefs.h"
#include "engine/markup.h"
#include "engine/routenolayout.h"
#include "engine/routenumber.h"
#include "platform/vb.h"

namespace kv {

namespace {

// The route-number characters: the first gLineNoFieldCount of gLineNoFields.
std::string RouteChars() { return Left(gLineNoFields, gLineNoFieldCount < 0 ? 0 : gLineNoFieldCount); }

// A row whose text after its leading blanks begins with "<" and has a ">"
// after it: the position (0-based) of that "<" and of the ">".
// A placeholder "<L:n>" there is not a route-number text.
bool LeadingRouteText(const std::string& t, size_t& open, size_t& close) {
    open = t.find_first_not_of(' ');
    if (open == std::string::npos || t[open] != '<') return false;
    if (t.compare(open, 3, "<L:") == 0) return false;
    close = t.find('>', open + 1);
    return close != std::string::npos;
}

// The first "<L:n>" with n = 1..5: its position and n.
bool FirstPlaceholder(const std::string& t, size_t& at, int& n) {
    for (size_t p = t.find("<L:"); p != std::string::npos; p = t.find("<L:", p + 1)) {
        if (p + 4 < t.size() && t[p + 3] >= '1' && t[p + 3] <= '5' && t[p + 4] == '>') {
            at = p;
            n = t[p + 3] - '0';
            return true;
        }
    }
    return false;
}

}  // namespace

std::string FormatPrintText(const std::string& row) {
    std::string t = row;
    const int16_t option = PrintSettings.LineNoOption;
    size_t open = 0, close = 0, at = 0;
    int n = 0;
    if (option == 1) {
        t = RemoveString(t, "<L>");
        t = RemoveLineTag(t, true);
        if (LeadingRouteText(t, open, close)) t.erase(0, close + 1);
        if (FirstPlaceholder(t, at, n)) {
            t.erase(at, 5);
            if (at > 0 && at < t.size() && t[at - 1] == ' ' && t[at] == ' ') t.erase(at, 1);
        }
    } else if (option == 2) {
        const std::string chars = RouteChars();
        t = ReplaceStringNext(t, "<L>", chars + " ");
        t = RemoveLineTag(t, true);
        if (LeadingRouteText(t, open, close)) t = t.substr(open + 1, close - open - 1) + " " + t.substr(close + 1);
        if (FirstPlaceholder(t, at, n)) t.replace(at, 5, Right(chars, n));
    }
    const bool left = PrintSettings.TrimLeftSpaces, right = PrintSettings.TrimRightSpaces;
    if (left && right) return Trim(t);
    if (left) return LTrim(t);
    if (right) return RTrim(t);
    return t;
}

std::string PrintFieldRow(const std::string& text, int16_t p, int16_t r) {
    return FormatPrintText(GetFieldRow(text, p, r));
}

std::string WithoutLeadingBlank(const std::string& row) { return !row.empty() && row[0] == ' ' ? row.substr(1) : row; }

std::string PrintSignName(const std::string& name) {
    return name.size() >= 8 ? name.substr(0, 8) : name + std::string(8 - name.size(), ' ');
}

}  // namespace kv
