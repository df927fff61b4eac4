#include "app/shownsigns.h"

#include "app/entrywindow.h"
#include "app/signcontrols.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/dotlayers.h"
#include "engine/shownpages.h"
#include "engine/signpictures.h"
#include "platform/vb.h"

namespace kv {

namespace {

bool IsTextModel(const std::string& model) { return Left(model, 2) == "K2"; }

}  // namespace

Road RoadOf(int16_t address, int16_t current) {
    const SignInfo& s = SignInfoOf(address);
    if (s.Model == "K1000") return Road::RouteNumber;
    const bool textCurrent = gTextSignActive && IsSignAddress(current) && IsTextModel(SignInfoOf(current).Model);
    if (IsTextModel(s.Model)) return textCurrent && address == current ? Road::TextSign : Road::None;
    if (s.Model == "K4000" && !textCurrent && s.GraphicIndex >= 0 && s.GraphicIndex < kGraphicCount &&
        FindK4000ByGraphic(s.GraphicIndex) == address)
        return Road::Graphic;
    return Road::None;
}

int16_t EditorOf(int16_t address, Road road) {
    switch (road) {
        case Road::Graphic: return SignInfoOf(address).GraphicIndex;
        case Road::TextSign: return kStripEditor;
        case Road::RouteNumber: return kRouteBoxEditor;
        case Road::None: break;
    }
    return -1;
}

std::string ContentOf(Road road) {
    switch (road) {
        case Road::Graphic: return GraphicEditorContent();
        case Road::TextSign: return StripEditorContent();
        case Road::RouteNumber: return EntryPort().RouteNoBoxText();
        case Road::None: break;
    }
    return {};
}

bool UnstoredEdits(int16_t page) {
    const bool destination = gDestListActive != 0;
    const int16_t entry = destination ? gCurrentDest : gCurrentExtra;
    const int16_t inHand = CurrentGraphicEditor();
    for (int16_t address = kFirstSignAddress; address <= kLastSignAddress; ++address) {
        if (!SignInfoOf(address).Shown) continue;
        const Road road = RoadOf(address, gCurrentSign);
        const int16_t editor = EditorOf(address, road);
        if (editor < 0) continue;
        if (page > 0 && !RecordPageOf(destination, entry, address, page)) continue;
        // A picture not in hand holds what it held when it was left.
        const std::string content = road == Road::Graphic && editor != inHand ? HeldContent(editor) : ContentOf(road);
        if (ShownPageUnstored(editor, address, content)) return true;
    }
    return false;
}

}  // namespace kv
