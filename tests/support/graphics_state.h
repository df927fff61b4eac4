// Shared set-up for the graphic engine tests (each case starts from
// kv::ResetAllState): one graphic sign made current
// with fresh layers, a main window that records what is painted, and dot
// pictures as rows of "#" (lit) and "." (unlit) in and out of the layers.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "data/inverted.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/dotlayers.h"
#include "engine/dotstrips.h"
#include "engine/editstate.h"
#include "engine/graphictools.h"
#include "engine/routenumber.h"
#include "engine/routenolayout.h"
#include "platform/ports.h"
#include "platform/reset.h"

namespace testgfx {

// Records the dots painted on the picture (fifths of a dot, as the engine
// passes them) and the selection frames drawn.
class FakeHead : public kv::SignCanvas, public kv::CommandState {
public:
    FakeHead() { kv::InstallPorts(this); }
    ~FakeHead() override { kv::RemovePorts(this); }
    void SetSignPixel(int32_t x, int32_t y) override {
        painted[{x / 5, y / 5}] = true;
        order.push_back({x / 5, y / 5});
    }
    void ClearSignPixel(int32_t x, int32_t y) override {
        painted[{x / 5, y / 5}] = false;
        order.push_back({x / 5, y / 5});
    }
    void ClearSignPictureColor(int32_t colour) override { frames.push_back(colour); }
    void EnableUndoImage(bool on) override { undoEnabled.push_back(on); }
    // Forgets the dots and the frames painted so far.
    void ForgetPainting() {
        painted.clear();
        order.clear();
        frames.clear();
    }

    std::map<std::pair<int, int>, bool> painted;  // dot -> lit
    std::vector<std::pair<int, int>> order;       // dots in the order painted
    std::vector<int32_t> frames;
    std::vector<bool> undoEnabled;
};

// A graphic sign of w x h dots at the address, current, with its graphic and
// undo layers dimensioned as the picture layout does it.
inline void MakeSign(int w, int h, int16_t k = 0, int16_t address = 2) {
    kv::SignInfo& s = kv::SignInfoOf(address);
    s.Model = "K4000";
    s.Width = static_cast<int16_t>(w);
    s.Height = static_cast<int16_t>(h);
    s.Name = "FRONT";
    s.Shown = -1;
    s.Zoom = 1;
    s.DotSize = 4;
    s.GraphicIndex = k;
    kv::gCurrentSign = address;
    kv::ResizeGraphicLayer(k, w + 5, h + 5);
    kv::ResizeUndoLayer(k, w + 5, h + 5);
}

// Lit dots from rows of "#"; any other character is unlit. Row 0 is the top.
inline void PutArt(int16_t k, const std::vector<std::string>& rows, int x0 = 0, int y0 = 0) {
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            kv::SetGraphicPixel(k, x0 + static_cast<int>(x), y0 + static_cast<int>(y), rows[y][x] == '#' ? -1 : 0);
}

// Columns 0..w-1+margin and rows 0..h-1+margin of a layer: "#" lit, "." an
// unlit dot of the sign, ":" an unlit dot of the margin. One line per row.
enum class Layer { Graphic, Text, Undo };
inline std::string Art(int16_t k, int w, int h, int margin = 2, Layer layer = Layer::Graphic) {
    std::string out;
    for (int y = 0; y < h + margin; ++y) {
        for (int x = 0; x < w + margin; ++x) {
            int16_t v = layer == Layer::Graphic ? kv::GetGraphicPixel(k, x, y)
                        : layer == Layer::Text  ? kv::GetTextPixel(k, x, y)
                                                : kv::GetUndoPixel(k, x, y);
            out += v != 0 ? '#' : (x < w && y < h ? '.' : ':');
        }
        out += '\n';
    }
    return out;
}

// Bytes as lowercase hex pairs separated by blanks.
inline std::string Hex(const std::string& bytes) {
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        if (!out.empty()) out += ' ';
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

}  // namespace testgfx
