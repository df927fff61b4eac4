#include "files/recentfiles.h"

#include "platform/error.h"
#include "platform/ports.h"
#include "platform/paths.h"
#include "platform/reset.h"
#include "platform/safefile.h"
#include "platform/host.h"
#include "platform/vb.h"

namespace kv {

std::array<RecentFile, kRecentFileSlots> gRecentFiles;
int16_t gRecentFileCount = 0;

std::string RecentFilesPath() { return JoinPath(ProgramFolder(), "kfiles.txt"); }

void InitRecentFiles() {
    LoadRecentFiles();
    ShowRecentFiles();
}

bool LoadRecentFiles() {
    ResetRecentFiles();
    std::string data;
    if (!FileExists(RecentFilesPath()) || !ReadWholeFile(RecentFilesPath(), data)) return false;
    int16_t n = 0;
    size_t p = 0;
    while (p < data.size() && n < kRecentFileSlots) {
        size_t e = p;
        while (e < data.size() && data[e] != '\r' && data[e] != '\n') ++e;
        const std::string line = Trim(data.substr(p, e - p));
        if (e < data.size()) e += (data[e] == '\r' && e + 1 < data.size() && data[e + 1] == '\n') ? 2 : 1;
        p = e;
        if (line.empty()) continue;
        gRecentFiles[static_cast<size_t>(n)] = {line, static_cast<int16_t>(n + 1)};
        ++n;
    }
    gRecentFileCount = n;
    return n >= 1;
}

void SortRecentFiles() {
    const auto copy = gRecentFiles;
    for (int k = 1; k <= gRecentFileCount; ++k)
        for (const RecentFile& f : copy)
            if (f.Order == k) {
                gRecentFiles[static_cast<size_t>(k - 1)] = f;
                break;
            }
}

void ShowRecentFiles() {
    DocumentWindow& head = WindowPort();
    SortRecentFiles();
    head.ShowRecentFilesSeparator(gRecentFileCount > 0);
    for (int n = 1; n <= kRecentFileSlots; ++n) {
        if (n <= gRecentFileCount) {
            std::string caption = "&";
            caption += static_cast<char>('0' + n);
            caption += "  ";
            caption += gRecentFiles[static_cast<size_t>(n - 1)].Path;
            head.ShowRecentFileEntry(n, caption, true);
        } else {
            head.ShowRecentFileEntry(n, std::string(), false);
        }
    }
}

namespace {

// Two names of the list are one entry when they differ at most in letter
// case, unless both name files on disk, each its own (names chosen in a
// file dialog are taken exactly, so "route.txl" and "Route.TXL" can both be
// projects).
bool SameEntry(const std::string& listed, const std::string& path) {
    if (listed == path) return true;
    if (!EqualsNoCase(listed, path)) return false;
    return !(FileExists(listed) && FileExists(path) && ResolvePath(listed) != ResolvePath(path));
}

}  // namespace

void AddRecentFile(const std::string& path) {
    int found = 0;  // position 1..count, 0 when not listed
    for (int i = 1; i <= gRecentFileCount; ++i)
        if (SameEntry(gRecentFiles[static_cast<size_t>(i - 1)].Path, path)) {
            found = i;
            break;
        }
    if (found == 0) {
        if (gRecentFileCount < kRecentFileSlots) ++gRecentFileCount;
        for (int i = gRecentFileCount; i >= 2; --i) {
            gRecentFiles[static_cast<size_t>(i - 1)] = gRecentFiles[static_cast<size_t>(i - 2)];
            gRecentFiles[static_cast<size_t>(i - 1)].Order = static_cast<int16_t>(i);
        }
        gRecentFiles[0] = {path, 1};
    } else if (found > 1) {
        for (int i = 1; i < found; ++i) ++gRecentFiles[static_cast<size_t>(i - 1)].Order;
        gRecentFiles[static_cast<size_t>(found - 1)].Order = 1;
    }
    SortRecentFiles();
    ShowRecentFiles();
    SaveRecentFiles();
}

bool SaveRecentFiles() {
    std::string text;
    for (int i = 0; i < kRecentFileSlots; ++i) {
        if (i < gRecentFileCount) text += gRecentFiles[static_cast<size_t>(i)].Path;
        text += "\r\n";
    }
    std::string error;
    if (SafeWriteFile(RecentFilesPath(), text, &error)) return true;
    MsgBox(FileMessage(RecentFilesPath(), error), vbExclamation);
    return false;
}

void ResetRecentFiles() {
    gRecentFiles.fill(RecentFile{});
    gRecentFileCount = 0;
}

namespace {
const ResetRegistrar kReset("recent files", StateLayer::Files, ResetRecentFiles);
}  // namespace

}  // namespace kv
