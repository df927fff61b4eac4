// First-start language choice.
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

class frmInitLanguage : public QDialog {
    Q_OBJECT
public:
    explicit frmInitLanguage(QWidget* parent = nullptr);
    void Form_Load();
    void cmdOK_Click();

    QComboBox* cboLanguage;
    QLabel* lbl1;
    QLabel* lbl2;
    QPushButton* cmdOK;
};
