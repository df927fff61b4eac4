// Feeds arbitrary bytes to the graphic file reader and draws what it returns
// into a small graphic sign, as the import command does.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "data/records.h"
#include "data/signtable.h"
#include "engine/dotlayers.h"
#include "engine/dotstrips.h"
#include "engine/graphicfile.h"
#include "engine/graphictools.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::StartInput();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = kv::DecodeGraphicFile(bytes);
    if (text.size() > bytes.size()) std::abort();

    kv::SignInfo& s = kv::SignInfoOf(2);
    s.Model = "K4000";
    s.Width = 40;
    s.Height = 19;
    s.GraphicIndex = 0;
    kv::gCurrentSign = 2;
    kv::ResizeGraphicLayer(0, 45, 24);
    kv::ResizeUndoLayer(0, 45, 24);
    // Paste at a corner taken from the input, also off the sign.
    kv::gSelX1 = static_cast<int16_t>(size ? (data[0] % 64) * 5 - 60 : 0);
    kv::gSelY1 = static_cast<int16_t>(size > 1 ? (data[1] % 32) * 5 - 30 : 0);
    kv::PasteGraphicText(text);
    // What was drawn encodes and decodes again.
    kv::gSelX1 = kv::gSelY1 = 0;
    kv::gSelX2 = 200;
    kv::gSelY2 = 95;
    const std::string again = kv::SelectionToText();
    if (kv::DecodeGraphicFile(kv::EncodeGraphicFile(again)) != again) std::abort();
    return 0;
}
