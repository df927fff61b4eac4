#include "app/textrows.h"

#include <cmath>
#include <utility>
#include <vector>

#include "app/signcontrols.h"
#include "data/records.h"
#include "engine/editorview.h"
#include "engine/editstate.h"
#include "engine/graphictools.h"
#include "engine/marking.h"
#include "engine/rowtidy.h"
#include "engine/alignment.h"
#include "engine/signview.h"
#include "platform/ports.h"
#include "platform/reset.h"

namespace kv {

namespace {

// Four turns of the sine; the steps come faster and faster (the cursor
// timer's interval falls from 102 to 3 ms), about a second in all.
constexpr int kWaveSteps = 256;
constexpr int kWaveCells = 100;
constexpr int kBlinkInterval = 200;

struct Wave {
    int step = 0;  // 0: not running
    std::vector<std::pair<int16_t, int16_t>> saved;  // cell, its own Y
};
Wave gWave;

struct ScreenMemo {
    bool seen = false;
    int16_t dest = 0, extra = 0, cursorX = 0;
};
ScreenMemo gScreen;

// The offset of a cell at `place` in its row, in whole dots.
int16_t WaveOffset(int step, int place) {
    const double a = 6.28 * step / 64.0 + 0.8 * place;
    return static_cast<int16_t>(5 * std::lround(2.0 * std::sin(a)));
}

void StartWave() {
    gWave.saved.clear();
    for (int16_t c = PageFirstCell(); IsUsedCell(c) && gWave.saved.size() < kWaveCells; c = Cell(c).Next)
        gWave.saved.emplace_back(c, Cell(c).Y);
    gWave.step = 1;
}

void PlaceWaveCells() {
    int place = 0;
    for (auto [cell, y] : gWave.saved) {
        if (!IsUsedCell(cell)) continue;
        Cell(cell).Y = static_cast<int16_t>(y + WaveOffset(gWave.step, place));
        place = Cell(cell).RowEnd ? 0 : place + 1;
    }
}

}  // namespace

void RedrawTextSigns() {
    if (gTextSignActive) CentreStripRow();
    else CentreCurrentRow();
}

namespace {

// After a spread: the cursor after its cell, the alignment again.
void AfterSpread() {
    if (IsUsedCell(gCursorCell)) {
        gCursorX = static_cast<int16_t>(Cell(gCursorCell).X + Cell(gCursorCell).Width);
        gCursorY = Cell(gCursorCell).Y;
    }
    SetAlignment(gTextAlignment, false, false, true);
    RedrawEditor();
}

void PaintAfterSpread() {
    SignPicturePort().FocusSignPicture();
    ShowSign(false, false);
}

}  // namespace

void ExpandLess() {
    if (gAreaSelected) CancelMarking();
    if (!IsRowIndex(gCurrentRow) || Row(gCurrentRow).CellCount == 0) return;
    if (SpreadRowLess()) AfterSpread();
    PaintAfterSpread();
}

void ExpandMore() {
    if (gAreaSelected) CancelMarking();
    if (SpreadRowMore()) AfterSpread();
    PaintAfterSpread();
}

bool TextWaveRunning() { return gWave.step > 0; }

void StopTextWave() {
    if (!TextWaveRunning()) return;
    for (auto [cell, y] : gWave.saved)
        if (IsUsedCell(cell)) Cell(cell).Y = y;
    gWave = Wave{};
}

int CursorBlink(int16_t& state) {
    if (state != 3 || (TextWaveRunning() && gWave.step >= kWaveSteps)) {
        const bool wasRunning = TextWaveRunning();
        StopTextWave();
        state = 0;
        if (wasRunning) ShowSign(false, false);
        return kBlinkInterval;
    }
    if (!TextWaveRunning()) StartWave();
    else ++gWave.step;
    PlaceWaveCells();
    ShowSign(false, false);
    const int n = gWave.step;
    return (n + 100) / n + 1;
}

bool ScreenTimerTick() {
    const bool same = gScreen.seen && gScreen.dest == gCurrentDest && gScreen.extra == gCurrentExtra &&
                      gScreen.cursorX == gCursorX;
    gScreen = {true, gCurrentDest, gCurrentExtra, gCursorX};
    return same;
}

void ResetTextRows() {
    gWave = Wave{};
    gScreen = ScreenMemo{};
}

namespace {
const ResetRegistrar kReset("text rows", StateLayer::App, ResetTextRows);
}  // namespace

}  // namespace kv
