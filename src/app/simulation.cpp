#include "app/simulation.h"

#include "app/doccommands.h"
#include "app/headstate.h"
#include "app/serialsend.h"
#include "data/charmap.h"
#include "data/destlist.h"
#include "data/fieldtext.h"
#include "data/fontlist.h"
#include "data/ini.h"
#include "data/language.h"
#include "data/records.h"
#include "data/signdata.h"
#include "data/signtable.h"
#include "engine/pageload.h"
#include "engine/signview.h"
#include "platform/clock.h"
#include "platform/reset.h"
#include "platform/host.h"
#include "platform/vb.h"

namespace kv {

int16_t gSimNumber = 0;
int16_t gSimPictureCount = 0;
std::string gSimCaption;
int16_t gSimStopSending = kFalse;
std::array<SimGroup, kSimGroups> gSimGroups{};
int16_t gSimGroupCount = 0;

namespace {

double Now() { return MonotonicSeconds(); }

// What the simulation puts back at its end.
struct SavedState {
    int16_t sign = 0;
    int16_t page = 1;
    std::string font;  // the current font: the rendering loads others
    std::array<int16_t, kSignCount> shown{};
};
SavedState gSaved;

bool DestListActive() { return gDestListActive != 0; }

int16_t LastActiveNumber() { return LastUsedNumber(DestListActive() ? DestList : ExtraList); }

int ActiveLimit() { return DestListActive() ? kDestCount : kExtraCount; }

bool HasText(int n) { return n >= 0 && n < ActiveLimit() && !ActiveAt(n).Text.empty(); }

// The first three graphic signs are shown; later ones are not.
void ShowFirstGraphicSigns() {
    int graphic = 0;
    for (int a = kFirstSignAddress; a <= kLastSignAddress; ++a) {
        SignInfo& s = SignInfoOf(a);
        if (s.Model != "K4000") continue;
        s.Shown = VbBool(++graphic <= kSimGroups);
    }
}

}  // namespace

int16_t FirstSimulatedEntry() {
    if (LastActiveNumber() == 0) return 0;
    const int16_t current = DestListActive() ? gCurrentDest : gCurrentExtra;
    if (HasText(current)) return current;
    for (int n = 1; n < ActiveLimit(); ++n)
        if (HasText(n)) return static_cast<int16_t>(n);
    return 0;
}

int16_t NextSimulatedEntry() {
    const int last = LastActiveNumber();
    int k = gSimNumber + 1;
    for (int steps = 0; steps <= last + 1; ++steps, ++k) {
        if (k > last) k = 1;
        if (k == gSimNumber) return 0;
        if (HasText(k)) return static_cast<int16_t>(k);
    }
    return 0;
}

void InitSimulation() {
    gSaved.sign = gCurrentSign;
    gSaved.page = gCurrentPage;
    gSaved.font = gCurrentFontCode;
    for (int i = 0; i < kSignCount; ++i) gSaved.shown[static_cast<size_t>(i)] = gSignInfo[static_cast<size_t>(i)].Shown;
    gSimCaption = LangText("S3101");
    if (gSimCaption == "0") gSimCaption = "Sign simulation: Dest XXX";
    gSimStopSending = VbBool(IniGetValue(gSettingsFile, "Generell", "StopSendDataToPortWhileSimulating", kIniOpenClose) == "1");
}

int16_t EndSimulation() {
    for (int i = 0; i < kSignCount; ++i) gSignInfo[static_cast<size_t>(i)].Shown = gSaved.shown[static_cast<size_t>(i)];
    gCurrentSign = gSaved.sign;
    gCurrentPage = gSaved.page;
    if (!gSaved.font.empty() && gSaved.font != gCurrentFontCode) {
        ReadCharMap(gSaved.font);
        FindFontByChar(gSaved.font);
    }
    return gSaved.page;
}

bool SignSimulation::Show(int16_t n) {
    gSimNumber = n;
    gSimPictureCount = 0;
    ShowFirstGraphicSigns();
    view_.LayoutSignPictures();
    DoEvents();
    view_.LayoutSignPictures();

    const DestRecord& record = ActiveAt(n);
    const std::string text = record.Text;
    changeTime_ = record.ChangeTime;

    view_.LoadWindow();
    view_.HideMainWindow();
    DoEvents();

    // Every page of the shown graphic signs, at most three, into a picture
    // of its own, each rendered on the picture its sign has.
    gSimGroupCount = 0;
    gSimGroups = {};
    const int16_t pictureIndex = gCurrentPictureIndex;
    for (int a = kFirstSignAddress; a <= kLastSignAddress && gSimGroupCount < kSimGroups; ++a) {
        const SignInfo& s = SignInfoOf(a);
        if (!s.Shown || s.Model != "K4000") continue;
        SimGroup& g = gSimGroups[static_cast<size_t>(gSimGroupCount)];
        g.Address = static_cast<int16_t>(a);
        const std::string section = GetSignText(text, g.Address);
        if (!section.empty()) {
            g.PageCount = CountHashMarks(section);
            g.First = g.Front = static_cast<int16_t>(gSimPictureCount + 1);
            for (int16_t p = 1; p <= g.PageCount; ++p) {
                int16_t page = p, multi = 0;
                const std::string data = GetActiveRow(n, g.Address, page, multi);
                gCurrentSign = g.Address;
                gCurrentPage = p;
                gCurrentPictureIndex = s.GraphicIndex;
                ParseSignMarkupFrom(data, section);
                ShowSign(false, false);
                ++gSimPictureCount;
                view_.AddPagePicture(gSimPictureCount, gSimGroupCount, g.Address);
            }
            g.Last = gSimPictureCount;
        }
        ++gSimGroupCount;
    }
    gCurrentPictureIndex = pictureIndex;

    view_.ShowWindow(ReplaceStringNext(gSimCaption, "XXX", std::to_string(n)));
    DoEvents();
    if (gSimPictureCount == 0) {
        Stop();
        return false;
    }
    for (int16_t i = 0; i < gSimGroupCount; ++i)
        if (gSimGroups[static_cast<size_t>(i)].First > 0) view_.BringToFront(gSimGroups[static_cast<size_t>(i)].First);
    view_.ShowTextCursor(false);
    start_ = Now();
    goOn_ = true;
    return true;
}

void SignSimulation::Tick() {
    if (!goOn_) return;
    // Only a committed destination goes out: the refusal of one that is
    // not would come up again in every pass.
    if (DestListActive() && !gSimStopSending && !DestAt(gSimNumber).SignData.empty()) SendDestToSign(gSimNumber);
    if (!goOn_) return;
    const double now = Now();
    if (now - start_ < changeTime_) return;
    start_ = now;
    for (int16_t i = 0; i < gSimGroupCount; ++i) {
        SimGroup& g = gSimGroups[static_cast<size_t>(i)];
        if (g.PageCount <= 1) continue;
        g.Front = g.Front >= g.Last ? g.First : static_cast<int16_t>(g.Front + 1);
        view_.BringToFront(g.Front);
    }
}

bool SignSimulation::ShowNext() {
    goOn_ = false;
    const int16_t k = NextSimulatedEntry();
    if (k == 0) return false;
    view_.RemovePagePictures();
    return Show(k);
}

void SignSimulation::Stop() {
    goOn_ = false;
    view_.ShowTextCursor(true);
    for (int16_t i = 0; i < gSimGroupCount; ++i) view_.ClearSignPicture(gSimGroups[static_cast<size_t>(i)].Address);
    view_.UnloadWindow();
    gSimPictureCount = 0;
}

void ResetSimulation() {
    gSimNumber = 0;
    gSimPictureCount = 0;
    gSimCaption.clear();
    gSimStopSending = kFalse;
    gSimGroups = {};
    gSimGroupCount = 0;
    gSaved = SavedState{};
}

namespace {
const ResetRegistrar kReset("sign simulation", StateLayer::App, ResetSimulation);
}  // namespace

}  // namespace kv
