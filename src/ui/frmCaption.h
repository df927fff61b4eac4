// Modal text entry used while a page with a graphic is encoded.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

class frmCaption : public QDialog {
    Q_OBJECT
public:
    explicit frmCaption(QWidget* parent = nullptr);
    void Form_Load();
    void Form_Activate();
    void Command1_Click();
    void Form_Unload();

    QLineEdit* Cap_txt;
    QPushButton* Command1;

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
};
