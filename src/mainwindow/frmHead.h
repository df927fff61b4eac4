// The main window.
#pragma once

#include <QMainWindow>

class frmHead : public QMainWindow {
    Q_OBJECT
public:
    explicit frmHead(QWidget* parent = nullptr);
    ~frmHead() override;

    // The rest of the start: settings, fonts, language texts, the document.
    void Form_Load();
    // Every caption and tooltip; runs each time the window is activated.
    void Form_Activate();
    // Makes sure activation runs even where the window system does not report it.
    void EnsureActivated();

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    bool activatedOnce_ = false;
};

// The one main window of the program (null before Main creates it).
extern frmHead* gfrmHead;
