// The sign-text print options: one title or heading of a print run, its text
// and, for printer output, its font size and style and whether it is centred.
// Done hides the window; the run reads the fields.
#pragma once

#include <QDialog>

#include "platform/printtarget.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmPrintSignText : public QDialog {
    Q_OBJECT
public:
    explicit frmPrintSignText(QWidget* parent = nullptr);

    // The size list 8 to 12, 14, 16, 18, 24.
    void Form_Load();
    // The frame with size and style shows only for printer output.
    void Form_Activate();
    void cmdDone_Click();

    // The controls from the run's fields, and back.
    void SetFields(const kv::PrintTextFields& fields, bool printerOutput);
    void TakeFields(kv::PrintTextFields& fields) const;

    QLineEdit* txtSignText = nullptr;
    QGroupBox* fraSignText = nullptr;
    QComboBox* cboFontSize = nullptr;
    QLabel* lblFontSize = nullptr;
    QCheckBox* chkSignTextBold = nullptr;
    QCheckBox* chkSignTextItalic = nullptr;
    QCheckBox* chkSignTextUnderlined = nullptr;
    QCheckBox* chkCenterText = nullptr;
    QPushButton* cmdDone = nullptr;

protected:
    void showEvent(QShowEvent* e) override;

private:
    bool printerOutput_ = true;
};
