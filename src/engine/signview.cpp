#include "engine/signview.h"

#include "data/records.h"
#include "data/signtable.h"
#include "engine/editstate.h"
#include "engine/printdots.h"
#include "engine/render.h"
#include "platform/host.h"
#include "platform/ports.h"
#include "platform/vb.h"

namespace kv {

void ShowSign(bool keepTextLayer, bool toPrinter) {
    // Only a graphic sign has dot layers and a picture of its own.
    if (!IsSignAddress(gCurrentSign) || SignInfoOf(gCurrentSign).Model != "K4000") return;
    SetBusy(true);
    RenderTextLayer(VbBool(keepTextLayer));
    // On paper the dots go to the print target; the picture stays as it is.
    if (toPrinter) {
        const SignInfo& s = SignInfoOf(gCurrentSign);
        PrintSignDots(s.GraphicIndex, s.Zoom);
    } else {
        SignPicturePort().PaintSign(false);
    }
    SetBusy(false);
}

void SetAlignment(int16_t alignment, bool noToolbar, bool redraw, bool flag4) {
    const int16_t button = alignment == 1 ? 10 : alignment == 3 ? 11 : alignment == 2 ? 12 : 0;
    if (!noToolbar && button != 0) CommandPort().SetToolbarButtonValue(button, 1);
    gTextAlignment = alignment;
    if (IsRowIndex(gCurrentRow)) gRows[static_cast<size_t>(gCurrentRow)].Alignment = alignment;
    if (redraw) ShowSign(false, false);
}

void K4000_PageUp() {}
void K4000_PageDown() {}

}  // namespace kv
