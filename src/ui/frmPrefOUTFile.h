// The out-file options dialog: the layout of the out-file, the command file,
// the route-number characters of the information block, the sign to show
// and the name written into the file. Three layouts: the old out-file (only
// the sign to show and the name digits), layout 1.5, and layout 1.5 with the
// project's own route-number characters.
//
// The rules of its controls live in files/outoptions.h; the window keeps one
// OutFilePrefsForm and shows it.
#pragma once

#include <QDialog>

#include "files/outoptions.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmPrefOUTFile : public QDialog {
    Q_OBJECT
public:
    // Form_Load: the first load sets layout 1.5 for a project without a
    // stored configuration and restores the placement.
    explicit frmPrefOUTFile(QWidget* parent = nullptr);

    // frmHead.InitOutFilePrefs: fills the dialog from the options.
    void InitOutFilePrefs(const kv::OutFilePrefsInput& in);
    // The three layouts (0..2).
    void ChangeMode(uint8_t layout);

    void ControlInfo_CB_Click();
    void CommandRow_CB_Click();
    void chkBrisbane_Click();
    void chkExtra142_Click();
    void chkLinjeNummer_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

    const kv::OutFilePrefsForm& Form() const { return f_; }

    QCheckBox* ControlInfo_CB = nullptr;
    QLabel* Label3 = nullptr;
    QComboBox* SignToShow_COB = nullptr;
    QLabel* lblname = nullptr;
    QLineEdit* txtPromName = nullptr;
    QLineEdit* txtAscii = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QGroupBox* frm_00281_03 = nullptr;
    QCheckBox* chkLinjeNummer = nullptr;
    QCheckBox* chkExtra142 = nullptr;
    QCheckBox* chkBrisbane = nullptr;
    QGroupBox* ControlInfo_F = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* LangFile_COB = nullptr;
    QLabel* lblFontIncl = nullptr;
    QCheckBox* CommandRow_CB = nullptr;
    QGroupBox* CommandRow_F = nullptr;
    QLabel* lblComrowMems = nullptr;
    QLineEdit* ComrowMems_TB = nullptr;
    QLabel* lblRouteNumberStartChar = nullptr;
    QLineEdit* RouteNumberStartChar_TB = nullptr;
    QLabel* lblRouteNumberSeq = nullptr;
    QLineEdit* RouteNumberSeq_TB = nullptr;

protected:
    // Form_Activate, every time the dialog is shown.
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // The form's state into the controls, and the typed texts and choices
    // back into the form's state.
    void Show();
    void Take();
    // A check box clicked by the user: its value, then its rule.
    void Clicked(kv::OutFilePrefsForm::Check& box, QCheckBox* control, void (*rule)(kv::OutFilePrefsForm&));
    // The route-number fields left: the start character checked.
    void RouteNumberFields_LostFocus();

    kv::OutFilePrefsForm f_;
    bool showing_ = false;
    // Set while the focus move that refused the start character is being
    // handled: the click that moved the focus does not go on to OK.
    bool refusedFocusMove_ = false;
};
