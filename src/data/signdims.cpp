#include "data/signdims.h"

#include <algorithm>

#include "data/ini.h"
#include "data/language.h"
#include "platform/error.h"
#include "platform/host.h"
#include "platform/paths.h"
#include "platform/reset.h"
#include "platform/safefile.h"
#include "platform/vb.h"
#include "platform/vbfile.h"

namespace kv {

std::vector<DimEntry> gDimTable;
int16_t gDimCount = 0;

void ClearDimTable() {
    gDimTable.clear();
    gDimCount = 0;
}

namespace {
const ResetRegistrar kReset("dimension table", StateLayer::Data, ClearDimTable);
}  // namespace

bool IsSignModel(const std::string& model) {
    return std::any_of(std::begin(kSignModels), std::end(kSignModels), [&](const char* m) { return model == m; });
}

std::string DimSeparator(const std::string& model) {
    if (model == "K4000") return "x";
    if (model == "K2000_2R") return "+";
    return "";
}

int DimMaxWidth(const std::string& model) { return model == "K4000" ? 175 : 196; }

namespace {

constexpr int16_t kNoDefaultAddress = 7;

bool IsDigits(const std::string& s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool InRange(const std::string& digits, int low, int high) {
    const double v = Val(digits);
    return v >= low && v <= high;
}

// The two numbers of a stored graphic or two-row value ("160 16, 2",
// "160x16"): the first up to a blank or the separator, the second the digits
// after it.
void SplitPair(const std::string& value, const std::string& sep, double& first, double& second) {
    const std::string v = Trim(value);
    size_t cut = v.find_first_of(" " + sep);
    first = Val(v.substr(0, cut));
    second = 0;
    if (cut == std::string::npos) return;
    const std::string rest = LTrim(v.substr(cut + 1));
    size_t digits = 0;
    while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9') ++digits;
    second = Val(rest.substr(0, digits));
}

// ", " and the default address of a stored value ("96 16").
std::string DefaultSuffix(const std::string& model, const std::string& stored) {
    const std::string display = ReplaceString(Trim(stored), " ", DimSeparator(model));
    return ", " + std::to_string(GetDimDefault(model, display));
}

}  // namespace

bool IsValidDimension(const std::string& model, const std::string& dimension) {
    if (!IsSignModel(model)) return false;
    const int maxWidth = DimMaxWidth(model);
    const std::string sep = DimSeparator(model);
    if (sep.empty()) return IsDigits(dimension) && InRange(dimension, 1, maxWidth);
    const size_t p = dimension.find(sep);
    if (p == std::string::npos) return false;
    const std::string first = dimension.substr(0, p), second = dimension.substr(p + 1);
    if (!IsDigits(first) || !IsDigits(second) || !InRange(first, 1, maxWidth)) return false;
    return model == "K4000" ? InRange(second, kMinDimHeight, kMaxDimHeight) : InRange(second, 1, maxWidth);
}

std::vector<std::string> InitSignCombo(const std::string& model) {
    const int16_t fn = OpenFileNo(gSettingsFile, 0);
    if (fn < 0) throw FileNotFound(gSettingsFile, NotFoundText());
    std::vector<std::string> items;
    const int n = CIntClamp(Val(IniGetValueOpen(fn, model, "NoOfDimensions")));
    if (n < 1 || !IsSignModel(model)) {
        FileClose(fn);
        return items;
    }
    const std::string sep = DimSeparator(model);
    for (int i = 1; i <= n; ++i) {
        std::string v = IniGetValueOpen(fn, model, model + "." + std::to_string(i));
        DimEntry entry;
        if (!sep.empty()) {
            v = Trim(v);
            std::string address = std::to_string(kNoDefaultAddress);
            const size_t comma = v.find(',');
            if (comma != std::string::npos) {
                address = v.substr(comma + 1);
                v = Trim(v.substr(0, comma));
            }
            v = ReplaceString(v, " ", sep);
            entry.Key = model + ":" + v;
            entry.Value = CIntClamp(Val(address));
        }
        items.push_back(v);
        gDimTable.push_back(entry);
    }
    gDimCount = static_cast<int16_t>(gDimTable.size());
    FileClose(fn);
    return items;
}

int16_t GetDimDefault(const std::string& model, const std::string& dimension) {
    const std::string key = model + ":" + dimension;
    for (const DimEntry& e : gDimTable)
        if (e.Key == key) return e.Value;
    return kNoDefaultAddress;
}

namespace {

bool IsComment(const std::string& line) { return !line.empty() && line[0] == ';'; }
bool IsHeader(const std::string& line) { return !line.empty() && line[0] == '['; }

// The count of the section (the first NoOfDimensions line between its header
// and the next header); 0 without one.
int CountOfSection(const std::vector<std::string>& lines, const std::string& header) {
    auto at = std::find(lines.begin(), lines.end(), header);
    if (at == lines.end()) return 0;
    for (++at; at != lines.end() && !IsHeader(*at); ++at) {
        const size_t eq = at->find('=');
        if (!IsComment(*at) && eq != std::string::npos && at->substr(0, eq) == "NoOfDimensions")
            return CIntClamp(Val(at->substr(eq + 1)));
    }
    return 0;
}

bool StoreSettings(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& l : lines) bytes += l + "\r\n";
    const std::string file = ResolvePath(gSettingsFile);
    std::string error;
    if (!SafeWriteFile(file, bytes, &error, JoinPath(DirName(file), "kivar.tmp"))) {
        MsgBox(FileMessage(file, error), vbCritical);
        return false;
    }
    return true;
}

}  // namespace

bool AddSignDim(const std::string& dimension, const std::string& model) {
    const std::string dim = Trim(dimension);
    if (!IsValidDimension(model, dim)) return false;
    const std::string sep = DimSeparator(model);
    const bool pair = !sep.empty();
    double width = Val(dim), height = 0;
    std::string stored = dim;
    if (pair) {
        const size_t p = dim.find(sep);
        width = Val(dim.substr(0, p));
        height = Val(dim.substr(p + 1));
        stored = dim.substr(0, p) + " " + dim.substr(p + 1);
    }
    std::vector<std::string> in;
    if (!IniReadLinesForWriting(gSettingsFile, in)) return false;
    const std::string header = "[" + model + "]";
    const std::string prefix = model + ".";
    const int n = CountOfSection(in, header);
    const std::string lastEntry = prefix + std::to_string(n + 1) + "=" + stored;
    const std::string suffix = pair ? ", " + std::to_string(GetDimDefault(model, dim)) : "";

    auto goesBefore = [&](const std::string& value) {
        if (!pair) return Val(value) < width;
        double first = 0, second = 0;
        SplitPair(value, sep, first, second);
        return first < width || (first == width && second < height);
    };

    std::vector<std::string> out;
    out.reserve(in.size() + 2);
    bool inSection = false, sectionSeen = false, inserted = false, countDropped = false;
    for (const std::string& line : in) {
        if (!inSection) {
            out.push_back(line);
            if (!sectionSeen && line == header) {
                out.push_back("NoOfDimensions=" + std::to_string(n + 1));
                inSection = sectionSeen = true;
            }
            continue;
        }
        if (IsComment(line)) {
            out.push_back(line);
            continue;
        }
        const size_t eq = line.find('=');
        if (eq == std::string::npos || IsHeader(line)) {
            // The end of the section: the new dimension is the smallest.
            if (!inserted) out.push_back(lastEntry);
            inserted = true;
            out.push_back(line);
            inSection = false;
            continue;
        }
        const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        if (!countDropped && key == "NoOfDimensions") {
            countDropped = true;
            continue;
        }
        if (key.compare(0, prefix.size(), prefix) != 0) {
            out.push_back(line);
            continue;
        }
        const std::string renumbered = prefix + std::to_string(CIntClamp(Val(key.substr(prefix.size()))) + 1) + "=";
        if (!inserted && goesBefore(value)) {
            out.push_back(key + "=" + stored + (model == "K4000" ? suffix : ""));
            out.push_back(renumbered + value);
            inserted = true;
            continue;
        }
        const std::string kept = pair && value.find(',') == std::string::npos ? value + DefaultSuffix(model, value) : value;
        out.push_back((inserted ? renumbered : key + "=") + kept);
    }
    if (!sectionSeen) {
        out.push_back(header);
        out.push_back("NoOfDimensions=1");
        out.push_back(prefix + "1=" + stored + suffix);
        out.emplace_back();
    } else if (!inserted) {
        out.push_back(lastEntry + suffix);
    }
    return StoreSettings(out);
}

bool WriteK4000Dims(const std::vector<std::string>& dimensions) {
    std::vector<std::string> lines;
    lines.push_back("NoOfDimensions=" + std::to_string(dimensions.size()));
    int i = 0;
    for (const std::string& d : dimensions)
        lines.push_back("K4000." + std::to_string(++i) + "=" + ReplaceString(d, "x", " ") + ", " +
                        std::to_string(GetDimDefault("K4000", d)));
    return IniReplaceSection(gSettingsFile, "K4000", lines, static_cast<int16_t>(dimensions.size()));
}

}  // namespace kv
