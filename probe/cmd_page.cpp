// Loading a stored page of a sign:
//   kivar-probe page --data DIR TXL NUMBER ADDRESS PAGE [--extra]
// reads the project, loads page PAGE of the sign at ADDRESS of destination
// (or extra text) NUMBER into the editor from its bytes and markup, renders
// it, prints the stored markup and bytes, the sign's dots as rows of "#"
// (lit) and "." and what the page encodes to again. A text sign's or a
// route-number sign's page is drawn as the printed pictures draw it (its
// character places, its seven-segment digits): its bytes and its dots.
#include <cstdio>
#include <string>

#include "data/destlist.h"
#include "data/inverted.h"
#include "data/records.h"
#include "data/signdata.h"
#include "data/signtable.h"
#include "engine/dotlayers.h"
#include "engine/editstate.h"
#include "engine/markup.h"
#include "engine/pageload.h"
#include "engine/render.h"
#include "engine/routenumber.h"
#include "engine/signcommands.h"
#include "engine/signpagedots.h"
#include "files/outrecords.h"
#include "platform/vb.h"
#include "probe.h"
#include "probe_data.h"
#include "engine/routenolayout.h"

namespace {

constexpr const char* kUsage = "page --data DIR TXL NUMBER ADDRESS PAGE [--extra]";

// The stored markup of the page without the blank after its "#".
std::string StoredMarkup() {
    std::string field = kv::CurrentPageMarkup();
    if (!field.empty() && field[0] == ' ') field.erase(0, 1);
    return field;
}

void PrintDots(const kv::SignDots& dots) {
    for (int y = 0; y < dots.height; ++y) {
        std::string line;
        for (int x = 0; x < dots.width; ++x) line += dots.At(x, y) ? '#' : '.';
        std::printf("%s\n", line.c_str());
    }
}

// A text sign's or a route-number sign's page: the dots it lights, drawn
// from the page as stored (its character places, its seven-segment digits).
int DrawnPage(const kv::SignInfo& sign, int address, int number, int page, bool extra) {
    kv::gDestListActive = kv::VbBool(!extra);
    int16_t n = static_cast<int16_t>(page), multi = 0;
    const int16_t entry = static_cast<int16_t>(number);
    const std::string data = extra && !kv::gExtraPerSign ? kv::GetExtraRow(entry, n, multi)
                                                         : kv::GetActiveRow(entry, static_cast<int16_t>(address), n, multi);
    const kv::SignDots dots = sign.Model == "K1000" ? kv::RouteNumberSignDots(static_cast<int16_t>(address), kv::DigitCodes(data))
                                                    : kv::TextSignDots(static_cast<int16_t>(address), data);
    std::printf("%s %d page %d, sign %d \"%s\" %s %dx%d dots\n", extra ? "extra text" : "destination", number, n,
                address, sign.Name.c_str(), sign.Model.c_str(), dots.width, dots.height);
    std::printf("stored bytes: %s\n", probe::HexBytes(data).c_str());
    PrintDots(dots);
    return 0;
}

}  // namespace

PROBE_COMMAND("page", kUsage) {
    probe::Args a = args;
    std::string dir;
    const bool gotData = probe::TakeOption(a, "--data", dir);
    const bool extra = probe::TakeFlag(a, "--extra");
    if (!gotData || a.size() != 4) return probe::Usage(kUsage);
    const int number = static_cast<int>(kv::Val(a[1]));
    const int address = static_cast<int>(kv::Val(a[2]));
    const int page = static_cast<int>(kv::Val(a[3]));
    if (number < 0 || number >= (extra ? kv::kExtraCount : kv::kDestCount) || !kv::IsSignAddress(address) ||
        page < 1 || page > 999)
        return probe::Usage(kUsage);

    if (!probe::LoadDataFonts(dir)) {
        std::fprintf(stderr, "kivar-probe: cannot read the font library of %s\n", dir.c_str());
        return 1;
    }
    kv::InstallPageEditorHooks();
    if (!probe::ReadProject(a[0])) {
        std::fprintf(stderr, "kivar-probe: cannot read the project %s\n", a[0].c_str());
        return 1;
    }
    kv::SignInfo& sign = kv::SignInfoOf(address);
    if (kv::DrawnFromStoredPage(static_cast<int16_t>(address))) return DrawnPage(sign, address, number, page, extra);
    if (sign.Model != "K4000") {
        std::fprintf(stderr, "kivar-probe: sign %d is not configured\n", address);
        return 1;
    }
    sign.Shown = -1;
    sign.GraphicIndex = 0;
    kv::gCurrentSign = static_cast<int16_t>(address);
    kv::ResizeGraphicLayer(0, sign.Width + 5, sign.Height + 5);
    kv::ResizeUndoLayer(0, sign.Width + 5, sign.Height + 5);
    kv::RecalcRouteNoArea();
    // The project's sample stands for the route number.
    if (kv::gRouteNoText.empty()) kv::gRouteNoText = kv::gLineNoFields;

    kv::gDestListActive = kv::VbBool(!extra);
    if (extra) kv::gCurrentExtra = static_cast<int16_t>(number);
    else kv::gCurrentDest = static_cast<int16_t>(number);
    int16_t n = static_cast<int16_t>(page), multi = 0;
    const std::string data = extra && !kv::gExtraPerSign ? kv::GetExtraRow(static_cast<int16_t>(number), n, multi)
                                                         : kv::GetActiveRow(static_cast<int16_t>(number),
                                                                            static_cast<int16_t>(address), n, multi);
    kv::gCurrentPage = n;
    kv::InvertLoadBuffer();
    const std::string stored = StoredMarkup();
    kv::ParseSignMarkup(data);
    kv::RenderTextLayer(0);

    std::printf("%s %d page %d, sign %d \"%s\" %dx%d\n", extra ? "extra text" : "destination", number,
                kv::gCurrentPage, address, sign.Name.c_str(), sign.Width, sign.Height);
    std::printf("stored markup: %s\n", probe::Quoted(stored, false).c_str());
    std::printf("stored bytes: %s\n", probe::HexBytes(data).c_str());
    for (int y = 0; y < sign.Height; ++y) {
        std::string line;
        for (int x = 0; x < sign.Width; ++x) line += kv::SignDotLit(0, x, y) ? '#' : '.';
        std::printf("%s\n", line.c_str());
    }
    const std::string markup = kv::EncodeSignObjects(false);
    const std::string bytes = kv::BuildSignData(kv::PageFirstCell());
    std::printf("markup: %s\n", probe::Quoted(markup, false).c_str());
    std::printf("bytes: %s\n", probe::HexBytes(bytes).c_str());
    return 0;
}
