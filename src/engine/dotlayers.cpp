#include "engine/dotlayers.h"

#include <algorithm>
#include <vector>

#include "data/language.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/graphictools.h"
#include "engine/routenumber.h"
#include "platform/ports.h"
#include "platform/host.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

int16_t gGraphicModified = 0;
int32_t gRouteNoAreaDots = 0;

namespace {

struct DotLayer {
    bool dimensioned = false;
    int32_t maxX = 0;
    int32_t maxY = 0;
    std::vector<int16_t> dots;

    void Resize(int32_t mx, int32_t my) {
        maxX = std::max(mx, 0);
        maxY = std::max(my, 0);
        dimensioned = true;
        dots.assign(static_cast<size_t>(maxX + 1) * static_cast<size_t>(maxY + 1), 0);
    }
    bool Inside(int32_t x, int32_t y) const { return dimensioned && x >= 0 && y >= 0 && x <= maxX && y <= maxY; }
    size_t At(int32_t x, int32_t y) const {
        return static_cast<size_t>(x) * static_cast<size_t>(maxY + 1) + static_cast<size_t>(y);
    }
    int16_t Get(int32_t x, int32_t y) const { return Inside(x, y) ? dots[At(x, y)] : 0; }
    void Set(int32_t x, int32_t y, int16_t v) {
        if (Inside(x, y)) dots[At(x, y)] = v;
    }
    int32_t Bound(int16_t dimension) const {
        if (!dimensioned) return 0;
        return dimension == 1 ? maxX : maxY;
    }
};

struct GraphicLayers {
    DotLayer text, graphic, undo;
};

GraphicLayers gLayers[kGraphicCount];

void ShowMaxSigns() { MsgBox(gTextS150.empty() || gTextS150 == "0" ? "Max 3 signs!" : gTextS150); }

bool ValidIndex(int16_t k) { return k >= 0 && k < kGraphicCount; }

}  // namespace

bool CheckGraphicIndex(int16_t k) {
    if (ValidIndex(k)) return true;
    ShowMaxSigns();
    return false;
}

void ResizeGraphicLayer(int16_t k, int32_t maxX, int32_t maxY) {
    if (CheckGraphicIndex(k)) gLayers[k].graphic.Resize(maxX, maxY);
}
void ResizeTextLayer(int16_t k, int32_t maxX, int32_t maxY) {
    if (CheckGraphicIndex(k)) gLayers[k].text.Resize(maxX, maxY);
}
void ResizeUndoLayer(int16_t k, int32_t maxX, int32_t maxY) {
    if (CheckGraphicIndex(k)) gLayers[k].undo.Resize(maxX, maxY);
}
int32_t GraphicLayerBound(int16_t k, int16_t dimension) {
    return CheckGraphicIndex(k) ? gLayers[k].graphic.Bound(dimension) : 0;
}
int32_t TextLayerBound(int16_t k, int16_t dimension) {
    return CheckGraphicIndex(k) ? gLayers[k].text.Bound(dimension) : 0;
}
int16_t GetGraphicPixel(int16_t k, int32_t x, int32_t y) {
    return CheckGraphicIndex(k) ? gLayers[k].graphic.Get(x, y) : 0;
}
void SetGraphicPixel(int16_t k, int32_t x, int32_t y, int16_t v) {
    if (CheckGraphicIndex(k)) gLayers[k].graphic.Set(x, y, v);
}
int16_t GetTextPixel(int16_t k, int32_t x, int32_t y) {
    return CheckGraphicIndex(k) ? gLayers[k].text.Get(x, y) : 0;
}
void SetTextPixel(int16_t k, int32_t x, int32_t y, int16_t v) {
    if (CheckGraphicIndex(k)) gLayers[k].text.Set(x, y, v);
}
int16_t GetUndoPixel(int16_t k, int32_t x, int32_t y) {
    return CheckGraphicIndex(k) ? gLayers[k].undo.Get(x, y) : 0;
}
void SetUndoPixel(int16_t k, int32_t x, int32_t y, int16_t v) {
    if (CheckGraphicIndex(k)) gLayers[k].undo.Set(x, y, v);
}

struct DotLayersCopy::Layers {
    GraphicLayers layers[kGraphicCount];
};

DotLayersCopy::DotLayersCopy() : layers_(std::make_unique<Layers>()) {
    std::copy(std::begin(gLayers), std::end(gLayers), std::begin(layers_->layers));
}

DotLayersCopy::~DotLayersCopy() = default;

void DotLayersCopy::Restore() const { std::copy(std::begin(layers_->layers), std::end(layers_->layers), std::begin(gLayers)); }

bool CurrentSignGraphic(SignGraphic& g) {
    if (!IsSignAddress(gCurrentSign)) return false;
    const SignInfo& s = SignInfoOf(gCurrentSign);
    if (!CheckGraphicIndex(s.GraphicIndex)) return false;
    g.k = s.GraphicIndex;
    g.W = s.Width;
    g.H = s.Height;
    return true;
}

void ClearGraphicLayer() {
    SignGraphic g;
    if (CurrentSignGraphic(g)) {
        DotLayer& graphic = gLayers[g.k].graphic;
        DotLayer& undo = gLayers[g.k].undo;
        for (int32_t x = 0; x <= g.W + 1; ++x)
            for (int32_t y = 0; y <= g.H + 1; ++y) {
                graphic.Set(x, y, 0);
                undo.Set(x, y, 0);
            }
    }
    gGraphicModified = kFalse;
    CommandPort().EnableUndoImage(false);
}

void PrepareTextLayer() {
    SignGraphic g;
    if (!CurrentSignGraphic(g)) return;
    DotLayer& text = gLayers[g.k].text;
    if (text.Bound(1) != g.W + 1 || text.Bound(2) != g.H + 1) {
        text.Resize(g.W + 1, g.H + 1);
        if (gShowLineNo) DisplayLineNumber();
    }
    if (gShowLineNo && gRouteNoAreaDots != 0) {
        int32_t from, to;
        if (gRouteNoLeft == kTrue) {
            from = gRouteNoAreaDots;
            to = g.W + 1;
        } else {
            from = 0;
            to = static_cast<int32_t>(RoundHalfEven(gRouteNoX / 5.0)) - 1;
        }
        from = std::max(from, 0);
        to = std::min(to, g.W + 1);
        for (int32_t x = from; x <= to; ++x)
            for (int32_t y = 0; y <= g.H + 1; ++y) text.Set(x, y, 0);
    } else {
        text.Resize(g.W + 1, g.H + 1);
    }
}

void RefreshGraphic() {
    SignGraphic g;
    if (!CurrentSignGraphic(g)) return;
    const DotLayer& graphic = gLayers[g.k].graphic;
    for (int32_t x = 0; x <= g.W; ++x)
        for (int32_t y = 0; y <= g.H; ++y)
            if (graphic.Get(x, y) != 0) SignPicturePort().SetSignPixel(5 * x, 5 * y);
    if (gAreaSelected) SignPicturePort().ClearSignPictureColor(kWhite);
}

bool GraphicHasDots() {
    SignGraphic g;
    if (!CurrentSignGraphic(g)) return false;
    const DotLayer& graphic = gLayers[g.k].graphic;
    for (int32_t x = 0; x <= g.W; ++x)
        for (int32_t y = 0; y <= g.H; ++y)
            if (graphic.Get(x, y) != 0) return true;
    return false;
}

void ResetDotLayers() {
    for (auto& l : gLayers) l = GraphicLayers{};
    gGraphicModified = 0;
    gRouteNoAreaDots = 0;
}

namespace {
const ResetRegistrar kReset("dot layers", StateLayer::Engine, ResetDotLayers);

// The dots of the project's pictures: every text, graphic and undo layer
// emptied, each keeping its size.
void ClearProjectDots() {
    for (int16_t k = 0; k < kGraphicCount; ++k) {
        if (TextLayerBound(k, 1) > 0) ResizeTextLayer(k, TextLayerBound(k, 1), TextLayerBound(k, 2));
        if (GraphicLayerBound(k, 1) > 0) {
            ResizeGraphicLayer(k, GraphicLayerBound(k, 1), GraphicLayerBound(k, 2));
            ResizeUndoLayer(k, GraphicLayerBound(k, 1), GraphicLayerBound(k, 2));
        }
    }
    gGraphicModified = kFalse;
}
const ResetRegistrar kProjectReset("dot layers", StateLayer::Engine, ClearProjectDots, ResetScope::Project);
}  // namespace

}  // namespace kv
