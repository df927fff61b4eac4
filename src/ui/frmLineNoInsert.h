// Inserting a route-number placeholder at the text cursor: the count of the
// route number's last characters it shows, chosen or typed.
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

class frmLineNoInsert : public QDialog {
    Q_OBJECT
public:
    explicit frmLineNoInsert(QWidget* parent);

    void Form_Load();
    // The placement is restored each time the dialog is activated.
    void Form_Activate();
    void OK_btn_Click();
    void Cancel_btn_Click();

    QComboBox* NoLineToInsNos = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* OK_btn = nullptr;
    QPushButton* Cancel_btn = nullptr;

protected:
    void showEvent(QShowEvent* e) override;
    // Enter in the count box presses OK, as in the other dialogs.
    bool eventFilter(QObject* watched, QEvent* e) override;
};

// Shows the dialog over the main window (the main window's hook).
void ShowLineNoInsertDialog(QWidget* parent);
