#include "engine/signview.h"

#include "data/records.h"
#include "data/signtable.h"
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
        PrintSignDots(s.GraphicIndex, s.Zoom, s.Width, s.Height);
    } else {
        SignPicturePort().PaintSign(false);
    }
    SetBusy(false);
}

}  // namespace kv
