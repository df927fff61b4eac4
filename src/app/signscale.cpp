#include "app/signscale.h"

#include "app/headstate.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/graphictools.h"
#include "engine/marking.h"
#include "engine/render.h"
#include "engine/signpictures.h"
#include "engine/signview.h"
#include "platform/ports.h"

namespace kv {

namespace {

SignInfo* CurrentSign() { return IsSignAddress(gCurrentSign) ? &SignInfoOf(gCurrentSign) : nullptr; }

}  // namespace

int16_t SignScaleStart() {
    const SignInfo* s = CurrentSign();
    if (!s || s->Zoom < kFirstOfferedZoom || s->Zoom > kLastOfferedZoom) return 0;
    return static_cast<int16_t>(s->Zoom);
}

void ApplySignScale(int16_t chosen) {
    SignInfo* s = CurrentSign();
    if (!s) return;
    s->Zoom = chosen;
    s->DotSize = DotSizeFromZoom(chosen);
    ShowSign(false, false);
    if (gAreaSelected) {
        if (gEditorActive != 1) SignPicturePort().ClearSignPictureColor(kWhite);
        else UpdateMarkFrame();
    }
}

void ForEachSampleRect(int16_t zoom, const std::function<void(int32_t, int32_t, int32_t, int32_t)>& rect) {
    const SignInfo* s = CurrentSign();
    if (!s || s->Model != "K4000" || FindK4000ByGraphic(s->GraphicIndex) != gCurrentSign) return;
    ForEachLitSignDot(s->GraphicIndex, [&](int32_t col, int32_t row) {
        const DotShape d = DotShapeAt(col, row, zoom);
        for (int i = 0; i < d.count; ++i) rect(d.rects[i].x1, d.rects[i].y1, d.rects[i].x2, d.rects[i].y2);
    });
}

}  // namespace kv
