// The route number the editor types into the first row of a graphic sign as
// a route-number field: the number, the font of its characters and the end
// of the sign it stands at.
#pragma once

#include <QDialog>

#include "engine/routenodialog.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmMBL : public QDialog {
    Q_OBJECT
public:
    explicit frmMBL(QWidget* parent);

    void Form_Load();
    void cmdOK_Click();
    void cmdCancel_Click();
    void LibBigger_Click();
    void LibSmaller_Click();

    QLineEdit* txtMBL = nullptr;
    QGroupBox* Frame1 = nullptr;
    QRadioButton* LineLeft_op = nullptr;
    QRadioButton* LineRight_op = nullptr;
    QGroupBox* SizeFrame = nullptr;
    QLabel* size_lbl = nullptr;
    QPushButton* LibBigger = nullptr;
    QPushButton* LibSmaller = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    // The font the dialog shows.
    kv::RouteNoDialogFont Font;

protected:
    void showEvent(QShowEvent* e) override;
    // txtMBL selects its whole text when it takes the focus.
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void StepRouteNoFont(int16_t direction);
};

// The dialog as the editor's route-number command shows it.
void ShowRouteNumberDialog();
