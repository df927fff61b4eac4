// Reading printed sign pictures back from a PDF as a reader would, with
// pdfinfo and pdftoppm: a page rendered without smoothing (every pixel black
// or white), the frames of pictures of a size found on it, the dots inside a
// picture read at their middles, and the dots kivar-probe page draws for a
// stored page.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "engine/render.h"
#include "support/testutil.h"

namespace pdfpictures {

inline std::string Shell(const std::string& cmd) {
    std::string out;
    if (FILE* p = popen(cmd.c_str(), "r")) {
        char buf[4096];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
        pclose(p);
    }
    return out;
}

inline int PdfPages(const std::string& pdf) {
    const std::string info = Shell("pdfinfo '" + pdf + "' 2>/dev/null");
    const size_t p = info.find("Pages:");
    return p == std::string::npos ? -1 : std::atoi(info.c_str() + p + 6);
}

// The PDF's pages are drawn from a quarter inch in (the printable area);
// a page is rendered at kDpi without smoothing.
inline constexpr int kDpi = 200;
inline constexpr double kMarginTwips = 360;
inline double Px(double twips) { return (twips + kMarginTwips) * kDpi / 1440.0; }

struct Page {
    int w = 0, h = 0;
    std::string px;
    bool Dark(int x, int y) const {
        if (x < 0 || y < 0 || x >= w || y >= h) return false;
        return static_cast<unsigned char>(px[static_cast<size_t>(y * w + x)]) < 128;
    }
    // The printable area's width and height in twips.
    double Width() const { return w * 1440.0 / kDpi - 2 * kMarginTwips; }
    double Height() const { return h * 1440.0 / kDpi - 2 * kMarginTwips; }
    // The dark pixels in the margin a printer cuts, outside the printable
    // area (a pixel reaching into it by its last tenth counts as inside).
    int DarkOutsidePrintable() const {
        const int m = static_cast<int>(kMarginTwips * kDpi / 1440.0);
        int n = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if ((x < m || y < m || x >= w - m || y >= h - m) && Dark(x, y)) ++n;
        return n;
    }
};

inline Page Render(const std::string& pdf, int page, const std::string& stem) {
    const std::string n = std::to_string(page);
    Shell("pdftoppm -gray -aa no -aaVector no -r " + std::to_string(kDpi) + " -f " + n + " -l " + n + " -singlefile '" +
          pdf + "' '" + stem + "'");
    const std::string bytes = testutil::ReadFile(stem + ".pgm");
    Page g;
    int maxval = 0, consumed = 0;
    if (std::sscanf(bytes.c_str(), "P5 %d %d %d%n", &g.w, &g.h, &maxval, &consumed) == 3)
        g.px = bytes.substr(static_cast<size_t>(consumed) + 1);
    return g;
}

using Dots = std::vector<std::string>;

inline std::string Show(const Dots& d) {
    std::string s = "\n";
    for (const std::string& r : d) s += r + "\n";
    return s;
}

// The dots kivar-probe page draws for a page, row by row.
inline Dots ProbeDots(const std::string& data, const std::string& project, int number, int address, int page,
                      bool extra) {
    std::vector<std::string> args = {"page", "--data", data, project, std::to_string(number), std::to_string(address),
                                     std::to_string(page)};
    if (extra) args.push_back("--extra");
    const testutil::ProbeResult r = testutil::RunProbe(args);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    Dots rows;
    std::istringstream in(r.out);
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line.find_first_not_of("#.") == std::string::npos) rows.push_back(line);
    return rows;
}

// A sign's dots printed with their picture's top-left corner at (x, y)
// twips of the page: dot (c, r) at a zoom covers units p(c - 1) + 1 to pc
// of 9.6 twips (p the zoom's dot pitch); its middle is read.
inline Dots PrintedDots(const Page& g, double x, double y, int columns, int rows, int zoom) {
    const double u = 2 * 4.8, p = kv::DotPitch(zoom);
    Dots out;
    for (int r = 1; r <= rows; ++r) {
        std::string line;
        for (int c = 1; c <= columns; ++c) {
            const double cx = Px(x + u * (p * (c - 1) + (p + 1) / 2)), cy = Px(y + u * (p * (r - 1) + (p + 1) / 2));
            line += g.Dark(static_cast<int>(cx), static_cast<int>(cy)) ? '#' : '.';
        }
        out.push_back(line);
    }
    return out;
}

// A picture's printed size in twips: dots at a zoom.
inline double Size(int dots, int zoom) { return std::round(2 * 4.8 * dots * kv::DotPitch(zoom)); }

// The frames of pictures of a size (twips) on a page: a dark outline from
// one twip before the picture's corner to two after its far one. Returns
// the pictures' corners in twips, top to bottom, left to right.
struct Corner {
    double x, y;
};
inline std::vector<Corner> Frames(const Page& g, double w, double h) {
    const int wPx = static_cast<int>((w + 3) * kDpi / 1440.0 + 0.5), hPx = static_cast<int>((h + 3) * kDpi / 1440.0 + 0.5);
    auto darkRun = [&](int x, int y, int dx, int dy, int length) {
        int n = 0;
        for (int i = 0; i < length; ++i) n += g.Dark(x + i * dx, y + i * dy) ? 1 : 0;
        return n >= length - 1;
    };
    std::vector<Corner> found;
    for (int y = 0; y + hPx < g.h; ++y)
        for (int x = 0; x + wPx < g.w; ++x) {
            if (!g.Dark(x, y) || g.Dark(x - 1, y)) continue;
            bool frame = false;
            for (int dw = -1; dw <= 2 && !frame; ++dw)
                for (int dh = -1; dh <= 2 && !frame; ++dh) {
                    const int W = wPx + dw, H = hPx + dh;
                    frame = darkRun(x, y, 1, 0, W) && darkRun(x, y, 0, 1, H) && darkRun(x, y + H - 1, 1, 0, W) &&
                            darkRun(x + W - 1, y, 0, 1, H);
                }
            const Corner at{x * 1440.0 / kDpi - kMarginTwips + 1, y * 1440.0 / kDpi - kMarginTwips + 1};
            // Two frames may touch: a frame's bottom edge is not the next one's top.
            if (frame && std::none_of(found.begin(), found.end(), [&](const Corner& c) {
                    return std::abs(c.x - at.x) < 30 && std::abs(c.y - at.y) < 30;
                }))
                found.push_back(at);
        }
    return found;
}

}  // namespace pdfpictures
