// The bitmap import: one picture (gSinglePictureMode) becomes the graphic of
// the open entry, with a background colour chosen from the picture's
// colours and a display text; or a folder of numbered pictures is converted
// into their destinations and extra texts in one run. The six toggles of the
// toolbar place the picture on the sign.
//
// The dialog waits inside its handlers (for a colour, for the display text
// of a batch picture) in local event loops that also end when it closes.
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QImage>
#include <array>
#include <functional>
#include <string>

#include "app/picconvert.h"

class QAction;
class QCheckBox;
class QEventLoop;
class QFileDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QStatusBar;
class QToolBar;

// A picture box that takes the size of its picture. While the colours are
// scanned, the pixels read so far show in the marking colour.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);
    void SetImage(const QImage& image);
    const QImage& Image() const { return image_; }
    // The first `count` pixels (row by row) in `colour`; 0 none.
    void MarkScanned(int count, QColor colour);
    // The background behind the picture.
    QColor BackColor{Qt::black};

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QImage image_;
    int scanned_ = 0;
    QColor mark_;
};

class frmPic2Graph : public QDialog, public kv::PictureImportView {
    Q_OBJECT
public:
    explicit frmPic2Graph(QWidget* parent = nullptr);

    void Form_Load();
    void Form_Resize();
    void cmdCancel_Click();
    void Toolbar1_ButtonClick(QAction* button);
    void cmdColor_Click(int index);
    void cmdOK_Click();
    void cmdGo_Click();
    void cmdSkip_Click();
    // The colour scan of the picture just loaded from the file, the colour
    // buttons and the wait for a colour.
    void LoadSinglePicture(const std::string& fileName);
    // Removes the colour buttons 1..16.
    void ResetColorButtons();

    // What the conversion and the batch ask of the dialog.
    void ShowProgress(bool visible) override;
    void SetProgressRange(int32_t min, int32_t max) override;
    int32_t ProgressMax() override;
    void SetProgressValue(int32_t value) override;
    void ShowPicture(const kv::PixelPicture& picture, bool step) override;
    void SetStatusText(const std::string& text) override;
    kv::Alignment AlignmentToggles() override;
    kv::PixelPicture LoadPicture(const std::string& path) override;
    bool AsksDisplayText() override;
    bool AskDisplayText(const std::string& proposed, int start, int length, std::string& text) override;
    bool Closed() override { return closed_; }

    QToolBar* Toolbar1 = nullptr;
    QAction *tbOpen = nullptr, *tbHAL = nullptr, *tbHAC = nullptr, *tbHAR = nullptr;
    QAction *tbVAT = nullptr, *tbVAC = nullptr, *tbVAB = nullptr;
    PictureBox* picSelected = nullptr;
    // Holds picSelected: a picture larger than the room the screen leaves
    // scrolls.
    QScrollArea* scrPicture = nullptr;
    QGroupBox* fraSelectColor = nullptr;
    std::array<QPushButton*, 17> cmdColor{};  // 0 the template, 1..16 one per colour
    QLabel* picChosenColor = nullptr;
    QLabel* lblDisplayText = nullptr;
    QLineEdit* txtDisplayText = nullptr;
    QCheckBox* chkSetDisplayText = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdGo = nullptr;
    QPushButton* cmdSkip = nullptr;
    QProgressBar* pgbStatus = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* StatusPanel1 = nullptr;  // the status bar's first panel
    QFileDialog* CommonDialog1 = nullptr;

    // The wait signal: "XXX" a load waits for a colour, "ChoiceFlag" a batch
    // commit waits for the display text; "" releases either.
    QString Tag;
    // The user skipped the batch picture whose display text was asked for.
    bool m_bSkipPicture = false;

protected:
    void done(int result) override;
    void resizeEvent(QResizeEvent*) override;
    void showEvent(QShowEvent* e) override;

private:
    // Runs the window system's events while `waiting` holds and the dialog
    // is open.
    void WaitWhile(const std::function<bool()>& waiting);
    void EndWait();
    void BuildToolbar();
    // The dialog at that size, or as much of it as the screen takes, and
    // wholly on the screen.
    void ResizeOnScreen(int w, int h);
    void ShowChosenColor(int32_t colour);
    // The colour of a colour button.
    static int32_t ButtonColor(const QPushButton* button);

    std::string fileName_;    // the single picture, for the commit
    kv::PixelPicture loaded_;  // the picture last loaded
    bool single_ = true;
    bool closed_ = false;
    bool running_ = false;
    QEventLoop* wait_ = nullptr;
    QElapsedTimer shown_;  // since the picture box was last repainted
};
