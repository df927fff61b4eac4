#include "app/editcommands.h"

#include "app/headstate.h"
#include "app/signcontrols.h"
#include "app/textrows.h"
#include "data/language.h"
#include "data/records.h"
#include "data/settings.h"
#include "data/signtable.h"
#include "engine/alignment.h"
#include "engine/dotlayers.h"
#include "engine/dotstrips.h"
#include "engine/editorslots.h"
#include "engine/editorview.h"
#include "engine/editstate.h"
#include "engine/graphicfile.h"
#include "engine/graphictools.h"
#include "engine/markup.h"
#include "engine/marking.h"
#include "engine/shownpages.h"
#include "engine/signview.h"
#include "engine/textstrip.h"
#include "engine/transforms.h"
#include "files/document.h"
#include "platform/host.h"
#include "platform/paths.h"
#include "platform/ports.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

std::string gGraphicClipboard;
int16_t PreviousBlinkState = 0;

namespace {

void AlignCursorRowAgain(int16_t alignment) { SetAlignment(alignment, false, true, true); }

}  // namespace

void CopyOnSignPicture() {
    if (gEditorActive != 2) {
        CutMarkedCells();
        return;
    }
    gGraphicClipboard.clear();
    gGraphicClipboard = SelectionToText();
    gGraphicModified = kTrue;
    SignPicturePort().FocusSignPicture();
}

void PasteOnSignPicture() {
    if (gEditorActive == 2) {
        PasteGraphicText(gGraphicClipboard);
        gGraphicModified = kTrue;
        SignPicturePort().FocusSignPicture();
        return;
    }
    PasteCells();
    ShowSign(false, false);
    gTextModified = kTrue;
}

void DeleteOnSignPicture() {
    if (gEditorActive == 2) {
        if (gAreaSelected) {
            ClearSelectionArea();
            SignPicturePort().ClearSignPictureColor(kWhite);
            gGraphicModified = kTrue;
        }
    } else {
        if (gAreaSelected) {
            DeleteMarkedCells();
            CancelMarking();
        }
        AlignCursorRowAgain(IsRowIndex(gCurrentRow) ? Row(gCurrentRow).Alignment : int16_t{0});
    }
    SignPicturePort().FocusSignPicture();
}

void DeleteAllOnSign() {
    if (gTextSignActive) {
        const ShownPage held = gShownPages[kStripEditor];
        InitEditor();
        NoteEmptiedByUser(kStripEditor, held);
        return;
    }
    const int16_t editor = CurrentGraphicEditor();
    const ShownPage held = editor >= 0 ? gShownPages[static_cast<size_t>(editor)] : ShownPage{};
    PrepareTextLayer();
    ClearGraphicLayer();
    RefreshEditor(0, 0);
    NoteEmptiedByUser(editor, held);
    CancelMarking();
    AlignCursorRowAgain(gTextAlignment);
    gTextModified = kFalse;
    gRealignPending = kFalse;
    SetEditMenuState(0);
}

void ToggleAutoMode() {
    gAutoMode = VbBool(!gAutoMode);
    CommandPort().CheckMenuItem("auto_e", gAutoMode != 0);
    CommandPort().EnableMenuItem("Font_e", !gAutoMode);
}

void ToggleAutomaticLayout() {
    if (!AskSaveChanges()) return;
    ToggleAutoMode();
    RefreshEditor(0, 0);
    AlignCursorRowAgain(gTextAlignment);
}

// ------------------------------------------------------------------ graphic files

std::string GraphicFileProposal() {
    if (!gDocumentPath.empty()) return Left(gDocumentPath, static_cast<long>(gDocumentPath.size()) - 3) + "grf";
    return JoinPath(gOpenSavePath, "*.grf");
}

bool CanExportGraphic() {
    if (gAreaSelected) return true;
    Beep();
    MsgBox(LangText("S123", "Select an area of the graphic first!"), vbExclamation);
    return false;
}

bool ExportGraphic(const std::string& path) { return WriteGraphicFile(path); }

bool ImportGraphic(const std::string& path) {
    std::string text;
    if (!ReadGraphicFile(path, text) || text.empty()) {
        Beep();
        return false;
    }
    PasteGraphicText(text);
    gGraphicModified = kTrue;
    return true;
}

// ------------------------------------------------------------------ the cursor timer

CursorPlace GraphicCursorPlace() {
    CursorPlace p;
    if (!IsSignAddress(gCurrentSign)) return p;
    const SignInfo& sign = SignInfoOf(gCurrentSign);
    const float s = static_cast<float>(sign.DotSize + 1) / 5.0f;
    const int32_t w5 = 5 * int32_t{sign.Width};
    p.width = s > 0.4f ? static_cast<int32_t>(RoundHalfEven(5 * s)) : 3;
    p.height = static_cast<int32_t>(RoundHalfEven(gCharHeight * s));
    p.top = static_cast<int32_t>(RoundHalfEven(gCursorY * s));
    double left;
    if (gCursorX > w5) left = (w5 - 5) * static_cast<double>(s);  // past the right edge: on the last dot column
    else if (gCursorBeforeCell) left = gCursorX * s;
    else left = (gCursorX - 5) * s;
    p.left = static_cast<int32_t>(RoundHalfEven(left));
    return p;
}

void CursorTimerTick() {
    EditorControls& c = ControlsPort();
    if (gTextSignActive) {
        c.ShowStripCursor(!c.StripCursorShown());
        c.PlaceStripCursor(gCursorX, gCursorY, 5, gCharHeight);
    } else if (gBlinkState == 3 || PreviousBlinkState == 3 || TextWaveRunning()) {
        // The wave of the text: the cursor is hidden while it runs; its last
        // step gives the timer the blink's interval back.
        c.SetCursorTimerInterval(CursorBlink(gBlinkState));
        if (PreviousBlinkState == 0) c.ShowCursorPicture(false);
    } else {
        c.ShowCursorPicture(!c.CursorPictureShown());
        const CursorPlace p = GraphicCursorPlace();
        c.PlaceCursorPicture(p.left, p.top, p.width, p.height);
    }
    PreviousBlinkState = gBlinkState;
}

void ResetEditCommands() {
    gGraphicClipboard.clear();
    PreviousBlinkState = 0;
}

namespace {
const ResetRegistrar kReset("edit commands", StateLayer::App, ResetEditCommands);
}  // namespace

}  // namespace kv
