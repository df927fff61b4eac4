// The sign simulation window: every page of the simulated entry's graphic
// signs as a picture of its own (the pictures of one sign on top of each
// other, the signs one below the other), Cancel and Next. A timer runs the
// simulation's passes; the window stays responsive throughout.
#pragma once

#include <QWidget>
#include <map>

#include "app/simulation.h"

class QLabel;
class QPushButton;
class QTimer;
class frmHead;

class frmShowTime : public QWidget, public kv::SimulationView {
    Q_OBJECT
public:
    // Form_Load: icon, placement, captions. The main window gets the end of
    // the run back (frmHead::EndShowtime).
    explicit frmShowTime(frmHead* head);
    ~frmShowTime() override;

    // Starts the simulation of entry n of the active list. False when it
    // ended at once (the entry has no page to show); the main window has
    // then been given the end.
    bool Run(int16_t n);

    // The loop's continue flag.
    bool GoOn() const { return sim_.GoOn(); }
    void SetGoOn(bool on) { sim_.SetGoOn(on); }

    void cmdAvbryt_Click();
    void cmdNext_Click();

    QPushButton* cmdAvbryt = nullptr;
    QPushButton* cmdNext = nullptr;
    // picShow(1..gSimPictureCount).
    std::map<int, QLabel*> picShow;
    // One pass of the simulation per tick.
    QTimer* timSim = nullptr;
    static constexpr int kTickMs = 100;

    // SimulationView.
    void LayoutSignPictures() override;
    void LoadWindow() override;
    void ShowWindow(const std::string& caption) override;
    void UnloadWindow() override;
    void HideMainWindow() override;
    void AddPagePicture(int16_t index, int16_t group, int16_t address) override;
    void RemovePagePictures() override;
    void BringToFront(int16_t index) override;
    void ShowTextCursor(bool on) override;
    void ClearSignPicture(int16_t address) override;

protected:
    // Form_Unload: the run ends.
    void closeEvent(QCloseEvent* e) override;
    // Form_Resize: the two buttons follow the window's size.
    void resizeEvent(QResizeEvent* e) override;
    // After a change of language: the buttons' captions again.
    void changeEvent(QEvent* e) override;

private:
    void SetCaptions();
    // The run is over: the window goes and the main window takes over.
    void Finish();

    frmHead* head_;
    kv::SignSimulation sim_{*this};
    bool loaded_ = false;
    bool finished_ = false;
    // Where the pictures of each group stand, and where the next group goes.
    std::map<int, QPoint> groupPlace_;
    int nextTop_ = 0;
    int widest_ = 0;
};
