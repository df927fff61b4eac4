// Graphic commands: grf-dump (a graphic file as a dot picture) and strips (a
// dot picture as strip text).
#include <algorithm>
#include <cstdio>

#include "data/records.h"
#include "data/signtable.h"
#include "engine/dotlayers.h"
#include "engine/dotstrips.h"
#include "engine/graphicfile.h"
#include "engine/graphictools.h"
#include "platform/vbfile.h"
#include "probe.h"
#include "probe_data.h"

using namespace kv;

namespace {

// Sign 2 becomes a graphic sign of w x h dots on graphic 0 with fresh layers.
void ScratchSign(int w, int h) {
    SignInfo& s = SignInfoOf(2);
    s.Model = "K4000";
    s.Width = static_cast<int16_t>(w);
    s.Height = static_cast<int16_t>(h);
    s.GraphicIndex = 0;
    gCurrentSign = 2;
    ResizeGraphicLayer(0, w + 5, h + 5);
    ResizeUndoLayer(0, w + 5, h + 5);
    gSelX1 = gSelY1 = 0;
    gSelX2 = static_cast<int16_t>(5 * w);
    gSelY2 = static_cast<int16_t>(5 * h);
}

bool ReadBytes(const std::string& path, std::string& bytes) {
    const int16_t fn = FileOpen(path, FileMode::Input);
    if (fn < 0) {
        std::fprintf(stderr, "%s not found!\n", path.c_str());
        return false;
    }
    bytes = FileContents(fn);
    FileClose(fn);
    return true;
}

void PrintPicture(int w, int h) {
    for (int y = 0; y < h; ++y) {
        std::string row;
        for (int x = 0; x < w; ++x) row += GetGraphicPixel(0, x, y) ? '#' : '.';
        std::printf("%s\n", row.c_str());
    }
}

}  // namespace

PROBE_COMMAND("grf-dump", "grf-dump FILE") {
    if (args.size() != 1) return probe::Usage("grf-dump FILE");
    std::string bytes;
    if (!ReadBytes(args[0], bytes)) return 1;
    const std::string text = DecodeGraphicFile(bytes);
    const bool header = bytes.size() >= 3 && text.size() + 2 == bytes.size() && bytes.substr(2) == text;
    // The picture's extent: every run's last column and its bottom row.
    int runs = 0, w = 0, h = 0;
    for (size_t p = text.find('\xD2'); p != std::string::npos;) {
        const size_t next = text.find('\xD2', p + 1);
        const std::string run = text.substr(p, next == std::string::npos ? std::string::npos : next - p);
        ++runs;
        if (run.size() >= 4) {
            w = std::max<int>(w, static_cast<unsigned char>(run[1]) + static_cast<int>(run.size() > 6 ? run.size() - 6 : 0));
            h = std::max<int>(h, static_cast<unsigned char>(run[3]) + 1);
        }
        p = next;
    }
    std::printf("form: %s\n", header ? "length header" : "text");
    std::printf("length: %zu\n", text.size());
    std::printf("runs: %d\n", runs);
    ScratchSign(w, h);
    PasteGraphicText(text);
    // Shown up to the last lit column and row.
    int litW = 0, litH = 0;
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y)
            if (GetGraphicPixel(0, x, y)) {
                litW = std::max(litW, x + 1);
                litH = std::max(litH, y + 1);
            }
    std::printf("size: %d x %d\n", litW, litH);
    PrintPicture(litW, litH);
    return 0;
}

PROBE_COMMAND("strips", "strips ART-FILE") {
    if (args.size() != 1) return probe::Usage("strips ART-FILE");
    std::vector<std::string> rows;
    if (!probe::ReadLines(args[0], rows)) return 1;
    while (!rows.empty() && rows.back().empty()) rows.pop_back();
    int w = 0;
    for (const auto& r : rows) w = std::max<int>(w, static_cast<int>(r.size()));
    const int h = static_cast<int>(rows.size());
    if (w > kMaxK4000Width || h > kMaxK4000Height) {
        std::fprintf(stderr, "a graphic sign has at most %d x %d dots\n", kMaxK4000Width, kMaxK4000Height);
        return 1;
    }
    ScratchSign(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < static_cast<int>(rows[y].size()); ++x)
            if (rows[y][x] == '#') SetGraphicPixel(0, x, y, -1);
    gGraphicModified = -1;
    std::printf("%s\n", probe::HexBytes(GraphicToText()).c_str());
    return 0;
}
