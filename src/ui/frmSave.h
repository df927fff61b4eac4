// The store-or-insert choice: asked in insert mode when the entry is stored
// under a number already in use. The answer goes to gSaveChoice.
#pragma once

#include <QDialog>

class QPushButton;

class frmSave : public QDialog {
    Q_OBJECT
public:
    explicit frmSave(QWidget* parent = nullptr);
    void Form_Load();
    void cmdReplace_Click();
    void cmdInsertBefore_Click();
    void cmdInsertAfter_Click();
    void cmdCancel_Click();

    QPushButton* cmdReplace;
    QPushButton* cmdInsertBefore;
    QPushButton* cmdInsertAfter;
    QPushButton* cmdCancel;

private:
    // Placement kept, then the window goes.
    void CloseForm();
};
