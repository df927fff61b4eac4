// The route-number layout: how many route-number characters, at which end of
// the graphic sign and how far from its edge, and the sample route number
// the placeholders show while editing.
#pragma once

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmLineNo : public QDialog {
    Q_OBJECT
public:
    explicit frmLineNo(QWidget* parent);

    void Form_Load();
    void cmdOK_Click();
    void cmdCancel_Click();
    void LineLeft_op_Click();
    void LineRight_op_Click();
    // A count chosen: the sample shows that many stored characters.
    void NoOfLineNos_Click();
    // An empty start position becomes "0".
    void txtStartPos_Change();

    QGroupBox *Frame1 = nullptr, *Frame2 = nullptr, *Frame3 = nullptr;
    QLabel *Label4 = nullptr, *lblLeft = nullptr, *lblRight = nullptr, *Label1 = nullptr, *Label2 = nullptr;
    QRadioButton* LineLeft_op = nullptr;
    QRadioButton* LineRight_op = nullptr;
    QLineEdit* txtStartPos = nullptr;
    QLineEdit* txtEndPos = nullptr;
    QComboBox* NoOfLineNos = nullptr;
    QLineEdit* LineNoToShow_txt = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

protected:
    // The position boxes take digits (three at most) and Backspace only.
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QButtonGroup* ends_ = nullptr;
};
