// The sign simulation without its window: every page of the first three
// graphic signs of an entry is rendered once into a picture of its own, and
// the pictures of each sign take turns in front at the entry's change time;
// while it runs the destination goes to the signs over the serial line again
// and again (unless the settings say not to). Next steps to the next entry
// with text of the active list; Cancel or closing the window ends the run.
//
// The window runs the loop on a timer: every tick is one pass (Tick). The
// clock is the monotonic one, and tests set their own.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kv {

// What the simulation asks of the windows.
class SimulationView {
public:
    virtual ~SimulationView() = default;
    // The main window lays its graphic sign pictures out for the shown flags.
    virtual void LayoutSignPictures() {}
    // The simulation window: loaded (hidden), shown with its caption,
    // unloaded. The main window is hidden while the simulation shows.
    virtual void LoadWindow() {}
    virtual void ShowWindow(const std::string& caption) {}
    virtual void UnloadWindow() {}
    virtual void HideMainWindow() {}
    // A new page picture `index` (from 1) of group g: a copy of the picture
    // of the sign at `address` as it has just been painted.
    virtual void AddPagePicture(int16_t index, int16_t group, int16_t address) {}
    // The page pictures 1..gSimPictureCount go.
    virtual void RemovePagePictures() {}
    virtual void BringToFront(int16_t index) {}
    // The text cursor of the text-sign strip.
    virtual void ShowTextCursor(bool on) {}
    // The main window's picture of the sign at `address` is cleared.
    virtual void ClearSignPicture(int16_t address) {}
};

// One sign of the simulated entry: its address, pages and the indices of its
// first, last and front page picture.
struct SimGroup {
    int16_t Address = 0;
    int16_t PageCount = 0;
    int16_t First = 0, Last = 0, Front = 0;
};
constexpr int kSimGroups = 3;

extern int16_t gSimNumber;        // the entry being simulated
extern int16_t gSimPictureCount;  // the page pictures loaded
extern std::string gSimCaption;   // caption template, "XXX" stands for the number
extern int16_t gSimStopSending;   // [Generell] StopSendDataToPortWhileSimulating = "1"
extern std::array<SimGroup, kSimGroups> gSimGroups;
extern int16_t gSimGroupCount;

// The entry a simulation starts with: the current entry of the active list
// when it has text, else the first from 1 up that has; 0 when the list is
// empty or no entry has text.
int16_t FirstSimulatedEntry();
// The entry Next moves to: the first after gSimNumber with text, wrapping
// from past the last used number to 1; 0 when the search comes back to
// gSimNumber.
int16_t NextSimulatedEntry();

// Saves the current sign, the current page, the current font and the shown
// flags, and reads the caption template and the sending switch.
void InitSimulation();
// Puts the saved sign, page, font and shown flags back; returns the page.
int16_t EndSimulation();

class SignSimulation {
public:
    explicit SignSimulation(SimulationView& view) : view_(view) {}
    // The loop's continue flag.
    bool GoOn() const { return goOn_; }
    void SetGoOn(bool on) { goOn_ = on; }
    // The run of entry n up to its loop: the shown signs, every page
    // rendered and loaded, the window shown. False when the entry gave no
    // page picture: its run has then ended (Stop).
    bool Show(int16_t n);
    // One pass of the loop: the destination sent, and every sign of more
    // than one page turned to its next page once the change time has passed.
    void Tick();
    // Next: the run of the next entry with text. False when there is none
    // or it gave no page picture; the caller then ends the simulation.
    bool ShowNext();
    // The end of a run: the text cursor on again, the sign pictures cleared,
    // the window unloaded.
    void Stop();

private:
    SimulationView& view_;
    bool goOn_ = false;
    int16_t changeTime_ = 0;
    double start_ = 0;
};

void ResetSimulation();

}  // namespace kv
