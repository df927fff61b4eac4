#include "app/invert.h"

#include <exception>
#include <string>

#include "data/inverted.h"
#include "data/language.h"
#include "data/signtable.h"
#include "data/records.h"
#include "engine/alignment.h"
#include "engine/dotlayers.h"
#include "engine/editorview.h"
#include "engine/editstate.h"
#include "engine/graphictools.h"
#include "engine/markup.h"
#include "engine/marking.h"
#include "engine/render.h"
#include "engine/shownpages.h"
#include "engine/signcommands.h"
#include "engine/signview.h"
#include "engine/transforms.h"
#include "platform/host.h"
#include "platform/ports.h"
#include "platform/vb.h"

namespace kv {

namespace {

// A language text, or the English one when the file's is shorter than two
// characters.
std::string TextOr(const std::string& key, const std::string& english) {
    const std::string t = LangText(key);
    return t.size() < 2 ? english : t;
}

// The selection spans the whole sign.
void SelectWholeSign() {
    const SignInfo& s = SignInfoOf(gCurrentSign);
    gSelX1 = gSelY1 = 0;
    gSelX2 = static_cast<int16_t>(5 * s.Width);
    gSelY2 = static_cast<int16_t>(5 * s.Height);
}

// The editor's reset on the way empties the picture's editor as the
// program's own doing; the page it shows is still the one it came with (the
// inversion is an edit of it, and turning it back undoes that edit).
class KeepShownPage {
public:
    KeepShownPage() : editor_(CurrentGraphicEditor()) {
        if (editor_ >= 0) page_ = gShownPages[static_cast<size_t>(editor_)];
    }
    ~KeepShownPage() {
        if (editor_ >= 0) gShownPages[static_cast<size_t>(editor_)] = page_;
    }

private:
    int16_t editor_;
    ShownPage page_;
};

void Invert() {
    const KeepShownPage shown;
    if (gHasGraphic && !gAltBuffer.empty()) {
        // The sign shows an inverted text: the text comes back.
        InvertResetBuffer();
        // The toolbar shows the alignment of the row the text came back to,
        // which the next key keeps.
        const int16_t alignment = IsRowIndex(gCurrentRow) ? Row(gCurrentRow).Alignment : 0;
        if (alignment != gTextAlignment) {
            gTextAlignment = alignment;
            ShowAlignmentKeys(alignment);
        }
        ShowSign(false, false);
        gHasGraphic = kFalse;
        gGraphicModified = kFalse;
        SignPicturePort().FocusSignPicture();
        return;
    }
    if (PageFirstCell() == 0) {
        MsgBox(TextOr("S129", "No text to invert!"), vbExclamation);
        SignPicturePort().FocusSignPicture();
        return;
    }
    if (!IsSignAddress(gCurrentSign)) return;
    const int16_t k = SignInfoOf(gCurrentSign).GraphicIndex;
    if (gHasGraphic) {
        if (MsgBox(TextOr("S131", "Existing graphics will be lost"), vbOKCancel | vbQuestion) == vbCancel) return;
        SelectWholeSign();
        for (int32_t y = 0; y <= (gSelY2 - 1) / 5; ++y)
            for (int32_t x = 0; x <= (gSelX2 - 1) / 5; ++x)
                if (GetGraphicPixel(k, x, y) == -1) SetGraphicPixel(k, x, y, 0);
    }
    gAltBufferChanged = kTrue;
    gInvertedText = EncodeSignObjects(true);
    gAltBuffer = BuildSignData(PageFirstCell());
    TextToGraphic();
    // The text now stands in the graphic; the editor starts empty.
    gHasGraphic = kFalse;
    RefreshEditor(0, 0);
    SelectWholeSign();
    InvertGraphic();
    CancelMarking();
    gHasGraphic = kTrue;
    gGraphicModified = kTrue;
    ShowSign(false, false);
    SignPicturePort().FocusSignPicture();
}

}  // namespace

void InvertTextToGraph() {
    try {
        Invert();
    } catch (const std::exception& e) {
        MsgBox(TextOr("S130", "Invert error!") + "\r" + e.what(), vbExclamation);
    }
}

}  // namespace kv
