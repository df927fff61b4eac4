// The user and company information of the project: Company, Date,
// Responsible and Others. OK stores them (the project is marked modified when
// one of them changed); Cancel stores nothing.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class frmUser : public QDialog {
    Q_OBJECT
public:
    explicit frmUser(QWidget* parent = nullptr);

    void Form_Load();
    // Texts from the language file; the first time also the four boxes from
    // the project, with the focus on the company.
    void Form_Activate();
    void cmdOK_Click();
    void cmdCancel_Click();
    void Form_Unload();
    // Makes the window invisible without unloading it.
    void HideForm();

    QLabel* lblCompany = nullptr;
    QLabel* lblDate = nullptr;
    QLabel* lblResponsible = nullptr;
    QLabel* lblOthers = nullptr;
    QLineEdit* txtCompany = nullptr;
    QLineEdit* txtDate = nullptr;
    QLineEdit* txtResponsible = nullptr;
    QLineEdit* txtOthers = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

protected:
    void showEvent(QShowEvent* e) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    bool filled_ = false;
};
