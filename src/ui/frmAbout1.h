// The About window: the program's title and version, the maker's address,
// a local representative's address when the language file has one, the
// disclaimer, the maker's web link, and a button with what the system
// reports about itself.
#pragma once

#include <QDialog>
#include <array>

#include "app/about.h"

class QFrame;
class QLabel;
class QPushButton;

class frmAbout1 : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout1(QWidget* parent = nullptr);

    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();
    // Shows what the system reports about itself (there is no system
    // information tool to start).
    void StartSysInfo();
    // KeyCode and Shift as the window system numbers them (1 Shift, 2 Ctrl, 4 Alt).
    void Form_KeyDown(int keyCode, int shift);
    void lblWWW_Click();
    // The link blue while the mouse is over it, black elsewhere.
    void lblWWW_MouseMove();
    void Form_MouseMove();
    void Form_Unload();

    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblRepAddress = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QLabel* lblWWW = nullptr;
    std::array<QFrame*, 4> Line1{};
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;

    // Keys typed while Shift, Ctrl and Alt are held.
    kv::AboutKeySequence KeySequence;

    // Heights of the two layouts (3930 and 5530 twips) and the shift of the
    // lower part when the representative's block is shown (1600 twips).
    static constexpr int kShortHeight = 262, kTallHeight = 369, kRepShift = 107;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void changeEvent(QEvent* e) override;
    void done(int result) override;

private:
    // The texts of the language file, and the layout they ask for.
    void ShowTexts();
    bool tall_ = false;
};

// The message of the system-information button.
std::string SystemInfoText();
// The window system's key code of a letter, a digit or the space; 0 for any
// other key (the modifier keys themselves never join the key sequence).
int WindowsKeyCode(int qtKey);
