#include "app/toolbar.h"

#include "app/signtools.h"
#include "data/charmap.h"
#include "data/destcodes.h"
#include "data/fontlist.h"
#include "data/language.h"
#include "data/startup.h"
#include "engine/alignment.h"
#include "engine/centring.h"
#include "engine/dotlayers.h"
#include "engine/editorview.h"
#include "engine/editstate.h"
#include "engine/graphictools.h"
#include "engine/marking.h"
#include "engine/signview.h"
#include "engine/transforms.h"
#include "platform/host.h"
#include "platform/ports.h"
#include "platform/vb.h"

namespace kv {

namespace {

constexpr int16_t kPointButton = 20;

// The operation under the hourglass.
template <class F>
void Busy(F f) {
    SetBusy(true);
    f();
    SetBusy(false);
}

void SelectionOperation(void (*op)()) {
    if (!gAreaSelected) return;
    Busy([op] {
        op();
        gGraphicModified = kTrue;
    });
}

void Rotate(int16_t angle) {
    if (gAreaSelected) RotateGraphic(angle);
}

}  // namespace

void fraCutSub(bool enable) {
    for (int16_t i = 33; i <= 38; ++i) CommandPort().EnableToolbarButton(i, enable);
}

void UpdatePenSizeKeys() {
    const bool point = CommandPort().ToolbarButtonValue(kPointButton) == 1 && CommandPort().ToolbarButtonEnabled(kPointButton);
    for (int16_t i = 28; i <= 31; ++i) CommandPort().EnableToolbarButton(i, point);
}

void SelectGraphicTool(int16_t tool) {
    if (gCurrentTool == 20 || gCurrentTool == 21) {
        CancelMarking();
        fraCutSub(false);
    }
    if (GraphicHasDots()) {
        SaveUndo();
        CommandPort().EnableUndoImage(true);
    }
    EditorControls& c = ControlsPort();
    switch (tool) {
    case 1:
    case 2:
        c.SetEditPointer(2, gPenSize);
        c.SetDrawStyle(0);
        c.MarkToolImage(tool);
        break;
    case 3:
        c.MarkToolImage(tool);
        c.SetEditPointer(1, gPenSize);
        break;
    case 4:
        c.MarkToolImage(tool);
        c.SetEditPointer(2, gPenSize);
        break;
    case 20:
        c.SetEditPointer(2, gPenSize);
        c.SetDrawStyle(3);
        c.MarkToolImage(tool);
        break;
    default:
        break;
    }
    gCurrentTool = tool;
}

void SelectPointSize(int16_t pen) {
    if (pen < 0 || pen > 3) return;
    gPenSize = pen;
    ControlsPort().MarkPenImage(pen);
    ControlsPort().SetEditPointer(1, pen);
}

void SetModeControls(int16_t mode, bool redraw) {
    const bool text = mode == 1;
    EditorControls& c = ControlsPort();
    c.ShowFontStepButtons(text);
    for (const char* item : {"Import_e", "Export_e"}) CommandPort().EnableMenuItem(item, !text);
    for (const char* item : {"auto_e", "ExpandMore_e", "ExpandLess_e", "T_e"}) CommandPort().EnableMenuItem(item, text);
    c.EnableCursorTimer(text);
    c.ShowCursorPicture(text);
    CancelMarking();
    if (text) {
        c.SetEditPointer(0, gPenSize);
        c.SetDrawStyle(3);
    } else {
        SelectGraphicTool(gCurrentTool);
    }
    for (int16_t i = 9; i <= 21; ++i) CommandPort().EnableToolbarButton(i, text);
    for (int16_t i = 19; i <= 26; ++i) CommandPort().EnableToolbarButton(i, !text);
    gEditorActive = mode;
    if (redraw) {
        RedrawEditor();
        ShowSign(false, false);
    }
    if (!gStartUp) SignPicturePort().FocusSignPicture();
}

void RefreshFromText(int16_t direction) {
    const bool marked = gAreaSelected && IsUsedCell(gMarkedCells[1]);
    const std::string start = marked ? std::string(1, Cell(gMarkedCells[1]).FontCode) : gCurrentFontCode;
    const int last = static_cast<int>(gFontIds.size()) - 1;  // the closing blank entry
    int index = FindFontIdIndex(start);
    if (direction != 1 && index < 1) index = gFontIdCount + 1;
    bool taken = false;
    for (int guard = 0; guard <= last + 1 && !taken; ++guard) {
        index += direction == 1 ? 1 : -1;
        const std::string id = index >= 0 && index <= last ? gFontIds[static_cast<size_t>(index)] : " ";
        if (id == " " || id.empty()) {
            // The end of the list: no wrap.
            if (gAutoMode) MsgBox(direction == 1 ? gTextS94 : gTextS95, static_cast<int>(Val("048")));
            else Beep();
            break;
        }
        taken = ReadCharMap(id) == CharMapStatus::Taken;
    }
    if (taken) {
        if (gAutoMode) CenterRowVertically();
        if (gAreaSelected) SetAlignment(gTextAlignment, false, true, true);
        RedrawEditor();
        ShowSign(false, false);
        if (gAreaSelected) UpdateMarkFrame();
    }
    if (!gStartUp) SignPicturePort().FocusSignPicture();
}

void StartToolState() {
    gCurrentTool = 3;
    CommandPort().SetToolbarButtonValue(kPointButton, 1);
}

void UndoGraphicCommand() {
    Busy([] {
        const int16_t modified = gGraphicModified;
        UndoGraphic();
        gGraphicModified = modified;
        RedrawEditor();
        ShowSign(false, false);
    });
}

void RefreshGraphicCommand() { Busy([] { RefreshGraphic(); }); }

void DeleteGraphicCommand() {
    if (!gAreaSelected) {
        Beep();
        return;
    }
    Busy([] {
        ClearSelectionArea();
        SignPicturePort().ClearSignPictureColor(kWhite);
        gGraphicModified = kTrue;
    });
}

void ToolbarMouseMove() {
    if (CursorTimerOff) return;
    ControlsPort().EnableCursorTimer(false);
    CursorTimerOff = true;
}

bool ToolbarKey(const std::string& key, bool opening) {
    bool ran = true;
    if (key == "TextMode") SetModeControls(1, !opening);
    else if (key == "GraphMode") SetModeControls(2, true);
    else if (key == "Left") SetAlignment(1, false, true, true);
    else if (key == "Center") SetAlignment(3, false, true, true);
    else if (key == "Right") SetAlignment(2, false, true, true);
    else if (key == "Automatik") {
        gInsertMode = VbBool(CommandPort().ToolbarButtonValue(14) == 1);
        ShowSaveButtonCaption(gInsertMode ? gTextS6 + "..." : gTextS6);
    } else if (key == "Point") SelectGraphicTool(3);
    else if (key == "Line") SelectGraphicTool(2);
    else if (key == "Rect") SelectGraphicTool(1);
    else if (key == "Sax") SelectGraphicTool(20);
    else if (key == "Fill") SelectGraphicTool(4);
    else if (key == "Refresh") RefreshGraphicCommand();
    else if (key == "Undo") UndoGraphicCommand();
    else if (key.size() == 4 && key.compare(0, 3, "Dot") == 0 && key[3] >= '1' && key[3] <= '4')
        SelectPointSize(static_cast<int16_t>(key[3] - '1'));
    else if (key == "MirrorHor") SelectionOperation(MirrorHorizontally);
    else if (key == "MirrorVer") SelectionOperation(MirrorVertically);
    else if (key == "InvGraph") SelectionOperation(InvertGraphic);
    else if (key == "RotCW") Rotate(90);
    else if (key == "RotCCW") Rotate(270);
    else if (key == "DeleteGraph") DeleteGraphicCommand();
    else ran = key != "New" && key != "Open" && key != "Save" && key != "Print" && key != "SpridMera" &&
               key != "SpridMindre" && key != "InvText";
    UpdatePenSizeKeys();
    return ran;
}

}  // namespace kv
