// Typing into an empty page: the text goes key by key through the key
// handlers of the graphic sign picture, or of the character strip of a text
// sign, and the page's sign byte commands come out in hex (with --dots also
// the sign's lit dots, "#" lit and "." dark, one line per row).
//
// Escapes in TEXT: "\n" Enter, "\b" Backspace, "\\" a backslash, "\1".."\5"
// a route-number placeholder of 1..5 characters, "\[" and "\]" start and end
// a route-number field (its characters get field positions 1, 2, ...),
// "\xHH" the character with that code.
#include <cstdio>
#include <string>

#include "app/signkeys.h"
#include "data/charmap.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/alignment.h"
#include "engine/centring.h"
#include "engine/dotlayers.h"
#include "engine/editorview.h"
#include "engine/editstate.h"
#include "engine/render.h"
#include "engine/routenumber.h"
#include "engine/signcommands.h"
#include "engine/textedit.h"
#include "engine/textstrip.h"
#include "platform/ports.h"
#include "platform/vb.h"
#include "probe.h"
#include "probe_data.h"

namespace {

constexpr const char* kUsage =
    "type --data DIR --sign MODEL:DIMENSION --font ID [--auto] [--route TEXT] [--state] [--dots] TEXT";

struct Key {
    enum Kind { Char, Enter, Backspace, Placeholder, FieldStart, FieldEnd } kind = Char;
    int16_t code = 0;
};

bool ParseKeys(const std::string& text, std::vector<Key>& keys) {
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c != '\\') {
            keys.push_back({Key::Char, c});
            continue;
        }
        if (++i >= text.size()) return false;
        char e = text[i];
        if (e == 'n') keys.push_back({Key::Enter, 13});
        else if (e == 'b') keys.push_back({Key::Backspace, 8});
        else if (e == '\\') keys.push_back({Key::Char, '\\'});
        else if (e >= '1' && e <= '5') keys.push_back({Key::Placeholder, static_cast<int16_t>(e - '0')});
        else if (e == '[') keys.push_back({Key::FieldStart, 0});
        else if (e == ']') keys.push_back({Key::FieldEnd, 0});
        else if (e == 'x' && i + 2 < text.size()) {
            keys.push_back({Key::Char, static_cast<int16_t>(std::stoi(text.substr(i + 1, 2), nullptr, 16))});
            i += 2;
        } else {
            return false;
        }
    }
    return true;
}

// The key window of the sign pictures: the cursor runs, so every key counts.
class Keys : public kv::EditorControls {
public:
    Keys() { kv::InstallPorts(this); }
    ~Keys() override { kv::RemovePorts(this); }
    bool CursorTimerEnabled() override { return true; }
};

void Press(int16_t code, bool strip) {
    int16_t key = code;
    if (strip) kv::K2000_pct_KeyPress(key);
    else kv::K4000_pct_KeyPress(key);
}

// The keys go to the graphic sign picture in text mode as typed. The
// characters of a route-number field are placed as the route-number command
// places them, with their field positions.
void TypeGraphic(const std::vector<Key>& keys) {
    Keys window;
    int16_t fieldPos = 0;
    for (const Key& k : keys) {
        switch (k.kind) {
        case Key::Placeholder:
            kv::InsertLineNoField(k.code);
            break;
        case Key::FieldStart:
            fieldPos = 1;
            break;
        case Key::FieldEnd:
            fieldPos = 0;
            break;
        default:
            if (fieldPos && k.kind == Key::Char) {
                if (kv::CharCodeOf(k.code)) kv::InsertChar(k.code, 0, fieldPos++);
            } else {
                Press(k.code, false);
            }
            break;
        }
    }
}

// The keys go to the text signs' character strip.
void TypeStrip(const std::vector<Key>& keys) {
    Keys window;
    for (const Key& k : keys)
        if (k.kind == Key::Char || k.kind == Key::Enter || k.kind == Key::Backspace) Press(k.code, true);
}

// The lit dots of the sign's text and graphic layers, one line per row.
void PrintDots(const kv::SignInfo& si) {
    kv::RenderTextLayer(kv::kFalse);
    for (int y = 0; y < si.Height; ++y) {
        std::string line;
        for (int x = 0; x < si.Width; ++x) line += kv::SignDotLit(0, x, y) ? '#' : '.';
        std::printf("%s\n", line.c_str());
    }
}

void PrintState() {
    int rows = 0;
    for (int16_t r = kv::gStartRow; kv::IsRowIndex(r) && rows < kv::kRowPoolSize; r = kv::Row(r).NextRow, ++rows) {
        const kv::EditRow& row = kv::Row(r);
        std::printf("row %d: free %d count %d height %d:", r, row.FreeWidth, row.CellCount, row.RowHeight);
        int16_t c = row.FirstCell;
        for (int i = 0; i < row.CellCount && kv::IsCellIndex(c); ++i, c = kv::Cell(c).Next) {
            const kv::SignCell& sc = kv::Cell(c);
            std::printf(" %d@%d,%d%s", sc.CharCode, sc.X, sc.Y, sc.RowEnd ? "|" : "");
        }
        std::printf("\n");
    }
    std::printf("cursor %d %s at %d,%d row %d\n", kv::gCursorCell, kv::gCursorBeforeCell ? "before" : "after",
                kv::gCursorX, kv::gCursorY, kv::gCurrentRow);
}

}  // namespace

PROBE_COMMAND("type", kUsage) {
    probe::Args a = args;
    std::string dir, sign, font, route;
    const bool gotData = probe::TakeOption(a, "--data", dir);
    const bool gotSign = probe::TakeOption(a, "--sign", sign);
    const bool gotFont = probe::TakeOption(a, "--font", font);
    const bool hasRoute = probe::TakeOption(a, "--route", route);
    const bool autoMode = probe::TakeFlag(a, "--auto");
    const bool state = probe::TakeFlag(a, "--state");
    const bool dots = probe::TakeFlag(a, "--dots");
    if (!gotData || !gotSign || !gotFont || font.size() != 1 || a.size() != 1) return probe::Usage(kUsage);
    const size_t colon = sign.find(':');
    if (colon == std::string::npos) return probe::Usage(kUsage);
    std::vector<Key> keys;
    if (!ParseKeys(a[0], keys)) {
        std::fprintf(stderr, "kivar-probe: bad escape in the text\n");
        return 2;
    }
    if (!probe::LoadDataFonts(dir)) {
        std::fprintf(stderr, "kivar-probe: cannot read the font library of %s\n", dir.c_str());
        return 1;
    }

    const std::string model = sign.substr(0, colon);
    std::string line(kv::kSignLineLength, ' ');
    line.replace(0, 5, "PROBE");
    line.replace(12, std::min<size_t>(model.size(), 8), model.substr(0, 8));
    const std::string dim = sign.substr(colon + 1, 6);
    line.replace(21, dim.size(), dim);
    line.replace(31, 2, " 2");
    if (!kv::ParseSignDefinition(line)) return probe::Usage(kUsage);
    kv::SignInfo& si = kv::SignInfoOf(2);
    si.Shown = -1;
    si.GraphicIndex = 0;
    kv::gCurrentSign = 2;
    if (hasRoute) {
        kv::gRouteNoText = route;
        kv::gLineNoFieldCount = static_cast<int16_t>(route.size());
    }

    if (si.Model == "K4000") {
        kv::gAutoMode = kv::VbBool(autoMode);
        kv::ResizeGraphicLayer(0, si.Width + 5, si.Height + 5);
        kv::ResizeUndoLayer(0, si.Width + 5, si.Height + 5);
        kv::RefreshEditor(0, 0);
        if (kv::ReadCharMap(font) == kv::CharMapStatus::Missing) {
            std::fprintf(stderr, "kivar-probe: font %s has no character map\n", font.c_str());
            return 1;
        }
        if (kv::gAutoMode) kv::CenterRowVertically();
        // The window starts left-aligned.
        kv::SetAlignment(1, true, false, true);
        TypeGraphic(keys);
        std::printf("%s\n", probe::HexBytes(kv::BuildSignData(kv::PageFirstCell())).c_str());
        if (state) PrintState();
        if (dots) PrintDots(si);
        return 0;
    }
    if (si.Model == "K2000_1R" || si.Model == "K2000_2R") {
        kv::LayoutTextStrip(si.Model, si.Width, si.Height);
        if (kv::ReadCharMap(font) == kv::CharMapStatus::Missing) {
            std::fprintf(stderr, "kivar-probe: font %s has no character map\n", font.c_str());
            return 1;
        }
        TypeStrip(keys);
        std::printf("%s\n", probe::HexBytes(kv::PadRowText(2)).c_str());
        return 0;
    }
    std::fprintf(stderr, "kivar-probe: %s is not a graphic or text sign\n", si.Model.c_str());
    return 2;
}
