// The preferences: four pages chosen by tab labels (language, start-up
// defaults, miscellaneous options, printing). The window is not modal; it
// reads the settings when it opens, and OK writes back what changed and
// closes. Cancel and the close box write nothing.
#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "app/preferences.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

class frmPreferences : public QDialog {
    Q_OBJECT
public:
    explicit frmPreferences(QWidget* parent = nullptr);

    void Form_Load();
    void cmdOK_Click();
    void cmdCancel_Click();
    // Shows page `index` (0..3); any other index shows none.
    void lblTag_Click(int index);
    void chkPrintHeader_Click();
    void hsbChangeTime_Change();
    void hsbAutoSaveTime_Change();
    void hsbPrintStartPos_Change();
    void hsbPrintEndPos_Change();
    void txtPrintPaperWidth_LostFocus();
    void cmdPrintColor_Click(int index);
    void cmdChangeLibLadder_Click();
    void cmdDefaultFont_Click();

    // The dialog of the default start and route-number fonts per sign
    // height, modal over the given owner. While none is set the button is
    // disabled.
    static std::function<void(QWidget* owner)> DefaultFontsDialog;

    // The tab strip, its labels and the highlight over the active tab.
    QFrame* picTag = nullptr;
    std::array<QLabel*, 4> lblTag{};
    QFrame* picFokus = nullptr;
    QLabel* lblFokus = nullptr;
    // The pages.
    QFrame* fraSpråk = nullptr;
    QFrame* fraStandard = nullptr;
    QFrame* fraDiverse = nullptr;
    QFrame* fraUtskrift = nullptr;

    // Language.
    QLabel* lblLanguage = nullptr;
    QComboBox* cboLanguage = nullptr;
    // Start-up defaults.
    QLabel* lblStandard = nullptr;
    QCheckBox* chkAutomatik = nullptr;
    QCheckBox* chkShowLineNo = nullptr;
    QGroupBox* fraChangingTime = nullptr;
    QScrollBar* hsbChangeTime = nullptr;
    QLabel *lblChangeTime = nullptr, *lblCTMin = nullptr, *lblCTMax = nullptr;
    // Miscellaneous.
    QGroupBox* fraDefaultFont = nullptr;
    QLabel* lblDefaultFont = nullptr;
    QPushButton* cmdDefaultFont = nullptr;
    QGroupBox* fraAutoSave = nullptr;
    QCheckBox* chkAutoSaveEnabled = nullptr;
    QScrollBar* hsbAutoSaveTime = nullptr;
    QLabel *lblAutoSaveTime = nullptr, *lblAutoSaveTimeMin = nullptr, *lblAutoSaveTimeMax = nullptr;
    QLabel *lblAutoSaveTimeValue = nullptr, *lblAutoSaveFileName = nullptr, *lblAutoSaveFileNameX = nullptr;
    QGroupBox* fraLibLadder = nullptr;
    QLabel* lblLibladder = nullptr;
    QPushButton* cmdChangeLibLadder = nullptr;
    QCheckBox* chkInsertEnabled = nullptr;
    QCheckBox* chkBoundLn = nullptr;
    QCheckBox* chkSaveWinPos = nullptr;
    // Printing.
    QGroupBox* fraPrinter = nullptr;
    QCheckBox* chkPrintGraphical = nullptr;
    std::array<QLabel*, 2> picPrintColor{};
    std::array<QPushButton*, 2> cmdPrintColor{};
    std::array<QLabel*, 2> lblPrintColor{};
    QGroupBox* fraPrinterOrientation = nullptr;
    std::array<QRadioButton*, 2> optOrientation{};
    std::array<QLabel*, 2> picOrientation{};
    QCheckBox* chkPrintPageNumber = nullptr;
    QGroupBox* fraPrintTextPosHor = nullptr;
    QLabel* lblPrintPaperWidth = nullptr;
    QLineEdit* txtPrintPaperWidth = nullptr;
    QLabel *lblPrintStartPos = nullptr, *lblPrintStartPosValue = nullptr, *lblPrintStartPosMin = nullptr,
           *lblPrintStartPosMax = nullptr;
    QScrollBar* hsbPrintStartPos = nullptr;
    QLabel *lblPrintEndPos = nullptr, *lblPrintEndPosValue = nullptr, *lblPrintEndPosMin = nullptr,
           *lblPrintEndPosMax = nullptr;
    QScrollBar* hsbPrintEndPos = nullptr;
    QGroupBox* fraPrintResult = nullptr;
    QCheckBox *chkPrintEmptyLines = nullptr, *chkPrintCompact = nullptr, *chkPrintUserInfo = nullptr,
              *chkPrintCodeName = nullptr, *chkPrintTrimLeftSpaces = nullptr, *chkPrintTrimRightSpaces = nullptr,
              *chkPrintPromptSignText = nullptr;
    QGroupBox* fraLineNumber = nullptr;
    std::array<QRadioButton*, 3> optLineNo{};
    QGroupBox* fraHeader = nullptr;
    QCheckBox* chkPrintHeader = nullptr;
    std::array<QCheckBox*, 3> chkHeaderInfo{};

    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    // What the window read when it opened.
    const kv::PreferencesStart& Remembered() const { return start_; }

    // Pixel positions: the highlight's left edge is 120 + 1995 x index twips.
    static int TabLeft(int index) { return (120 + 1995 * index) / 15; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void BuildPages();
    void BuildLanguagePage();
    void BuildStandardPage();
    void BuildMiscPage();
    void BuildPrintingPage();
    void SetCaptions();
    // Keeps the paper width within 10..999 (a beep when it is not) and
    // sets the position bars' maxima from it.
    void CheckPaperWidth(int& width);
    void ShowColour(int index, int32_t colour);
    // The print-preference boxes in the order of their bits.
    std::array<QCheckBox*, kv::kPrintFlags> PrintFlagBoxes() const;

    kv::PreferencesStart start_;
    std::array<int32_t, 2> colours_{};
};
